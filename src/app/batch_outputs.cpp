#include "app/batch_outputs.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <memory>

#include "documents/backend/file_store.h"
#include "platform/program.h"

namespace lumora {

namespace {

// A path that does not survive the way to a file name and back (bytes that are not valid UTF-8, the
// encoding of file names here and of the arguments on every system) would be written under another
// name: it is refused instead.
bool keepsItsBytes(const std::string &name) {
    const QByteArray bytes = QByteArray::fromStdString(name);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

// The file a name ends at: links are followed even when the last one points at nothing yet (writing
// through it creates that file), and the folders on the way are resolved.
QString fileBehind(const QString &name) {
    QFileInfo info(name);
    for (int hops = 0; hops < 40 && info.isSymLink(); ++hops) {
        const QString target = info.symLinkTarget();
        if (target.isEmpty()) break;
        info = QFileInfo(target);
    }
    if (info.exists()) return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

std::optional<std::string> refuseName(const BatchName &n) {
    if (n.name.empty()) return "после " + n.option + " нужно имя файла, а оно пустое";
    if (!keepsItsBytes(n.name))
        return "имя файла после " + n.option +
               " не в кодировке UTF-8; переименуйте файл или укажите другое имя";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> refuseBatchNames(const std::vector<BatchName> &inputs,
                                            const std::vector<BatchName> &outputs) {
    // The files behind the names so far, the inputs' first: a name meets an input before an output.
    std::vector<QString> paths;
    for (size_t i = 0; i < inputs.size() + outputs.size(); ++i) {
        const bool input = i < inputs.size();
        const BatchName &n = input ? inputs[i] : outputs[i - inputs.size()];
        if (auto refused = refuseName(n)) return refused;
        const QString path = fileBehind(QString::fromStdString(n.name));
        const auto k = static_cast<size_t>(std::find(paths.begin(), paths.end(), path) - paths.begin());
        if (k < paths.size()) {
            if (input)
                return "файл «" + n.name + "» указан дважды (" + inputs[k].name +
                       "); каждый пересчёт — один раз";
            if (k < inputs.size())
                return "файл после " + n.option + " — это файл пересчёта «" + inputs[k].name +
                       "»; укажите другой";
            return "один и тот же файл указан дважды: " + outputs[k - inputs.size()].option + " и " +
                   n.option;
        }
        paths.push_back(path);
    }
    return std::nullopt;
}

std::optional<int> startBatch(const std::optional<std::string> &badLine, bool help,
                              const std::function<std::string()> &usage,
                              const std::function<std::optional<std::string>()> &refuseNames,
                              std::ostream &out, std::ostream &err) {
    auto usageError = [&err](const std::string &message) {
        err << "lumora: " << message << "\n";
        return 2;
    };
    if (badLine) return usageError(*badLine);
    if (help) {
        out << usage();
        return 0;
    }
    if (auto refused = refuseNames()) return usageError(*refused);
    return std::nullopt;
}

int writeBatchOutputs(const std::vector<BatchOutput> &outputs, std::ostream &err) {
    // Declared before the staged files, so that it goes after them: their temporaries and the copies
    // of old contents are removed before a signal that came meanwhile ends the program.
    platform::BatchSignals interruption;
    const auto stopped = [&interruption] { return interruption.requested(); };
    std::vector<std::unique_ptr<StagedFile>> staged;
    std::optional<std::string> failure;
    for (const BatchOutput &output : outputs) {
        if (stopped()) {
            failure = std::string(kBatchInterrupted);
            break;
        }
        staged.push_back(std::make_unique<StagedFile>(QString::fromStdString(output.name)));
        failure = output.write(*staged.back());
        if (failure) break;
    }
    if (!failure) {
        std::vector<StagedFile *> all;
        for (auto &file : staged) all.push_back(file.get());
        CommitSteps steps;
        steps.stopped = stopped;
        failure = commitAll(all, steps);
    }
    if (!failure) return 0;
    err << *failure << "\n";
    err.flush();
    return 1;
}

}  // namespace lumora
