#include "app/report_statement.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <memory>
#include <optional>

#include "app/report.h"
#include "documents/backend/file_store.h"
#include "documents/backend/sheet_painter.h"
#include "documents/backend/statement_documents.h"
#include "documents/core/statement.h"
#include "documents/core/statement_layout.h"

namespace lumora {

namespace {

const char kUsage[] =
    "       lumora --statement ФАЙЛ... [--xlsx ВЫХОД] [--pdf ВЫХОД] [--title ЗАГОЛОВОК]\n"
    "\n"
    "Сводная ведомость нескольких пересчётов, каждого при его длине и округлении: по строке на файл\n"
    "(файл, длина, количество, объем), итог и группы по толщине:\n"
    "  --statement ФАЙЛ...  файлы пересчётов (в каждом должна быть длина)\n"
    "  --xlsx ВЫХОД         записать книгу: лист «Сводка», затем по листу на пересчёт\n"
    "  --pdf ВЫХОД          напечатать ведомость в PDF-файл ВЫХОД (A4): сводка, затем листы пересчётов\n"
    "  --title ЗАГОЛОВОК    заголовок ведомости для --xlsx и --pdf\n";

struct Options {
    std::vector<std::string> files;
    std::optional<std::string> xlsx, pdf, title;
    bool help = false;
};

std::optional<Options> parse(const std::vector<std::string> &args, std::string &error) {
    Options o;
    bool statement = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--statement") {
            statement = true;
            // The files run up to the next option.
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) o.files.push_back(args[++i]);
        } else if (a == "--xlsx" || a == "--pdf" || a == "--title") {
            if (i + 1 >= args.size() || args[i + 1].rfind("--", 0) == 0) {
                error = "после " + a + " нужно значение";
                return std::nullopt;
            }
            auto &slot = a == "--xlsx" ? o.xlsx : a == "--pdf" ? o.pdf : o.title;
            if (slot) {
                error = a + " указан дважды";
                return std::nullopt;
            }
            slot = args[++i];
        } else {
            error = "неизвестный параметр «" + a + "» для --statement";
            return std::nullopt;
        }
    }
    if (o.help) return o;
    if (!statement || o.files.empty()) {
        error = "не указаны файлы пересчётов (--statement ФАЙЛ...)";
        return std::nullopt;
    }
    if (o.title && !o.xlsx && !o.pdf) {
        error = "--title задаёт заголовок ведомости и нужен только вместе с --xlsx или --pdf";
        return std::nullopt;
    }
    return o;
}

// A path that does not survive the way to a file name and back would be written under another name.
bool keepsItsBytes(const std::string &name) {
    const QByteArray bytes = QByteArray::fromStdString(name);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

QString pathOf(const std::string &name) {
    const QFileInfo info(QString::fromStdString(name));
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

// Refuses names that cannot be written as given, an output over one of the tallies, and two outputs
// on one file; nullopt when all is well.
std::optional<std::string> refuseNames(const Options &o) {
    std::vector<QString> inputs;
    for (const std::string &file : o.files) {
        if (!keepsItsBytes(file)) return "имя файла «" + file + "» не в кодировке UTF-8; переименуйте файл";
        inputs.push_back(pathOf(file));
    }
    std::vector<std::pair<const char *, std::string>> outputs;
    if (o.xlsx) outputs.emplace_back("--xlsx", *o.xlsx);
    if (o.pdf) outputs.emplace_back("--pdf", *o.pdf);
    std::vector<QString> seen;
    for (const auto &[option, name] : outputs) {
        if (!keepsItsBytes(name))
            return std::string("имя файла после ") + option +
                   " не в кодировке UTF-8; переименуйте файл или укажите другое имя";
        const QString path = pathOf(name);
        for (const QString &input : inputs)
            if (input == path)
                return std::string("файл после ") + option +
                       " — это один из файлов пересчётов; укажите другой";
        for (const QString &other : seen)
            if (other == path) return std::string("один и тот же файл указан дважды: ") + option;
        seen.push_back(path);
    }
    return std::nullopt;
}

}  // namespace

bool wantsStatement(const std::vector<std::string> &args) {
    for (const auto &a : args) {
        if (a == "--") return false;
        if (a == "--statement") return true;
    }
    return false;
}

const char *statementUsage() { return kUsage; }

int runStatement(const std::vector<std::string> &args, const NumberFormat &fmt, std::ostream &out,
                 std::ostream &err) {
    std::string error;
    auto options = parse(args, error);
    if (!options) {
        err << "lumora: " << error << "\n";
        return 2;
    }
    if (options->help) {
        out << reportUsage();
        return 0;
    }
    if (auto refused = refuseNames(*options)) {
        err << "lumora: " << *refused << "\n";
        return 2;
    }
    DiskFiles disk;
    std::vector<StatementTally> tallies;
    tallies.reserve(options->files.size());
    for (const std::string &file : options->files) {
        StatementLoad load = loadStatementTally(disk, file, fmt);
        if (!load.tally) {
            err << load.error << "\n";
            return 1;
        }
        tallies.push_back(std::move(*load.tally));
    }
    const Statement statement = makeStatement(std::move(tallies));

    // As the report's documents: each to a temporary beside its target, all put in place or none.
    const std::string title = options->title.value_or(kDefaultStatementTitle);
    const std::string date = sheetDate();
    std::vector<std::unique_ptr<StagedFile>> staged;
    auto stage = [&staged](const std::string &name) -> StagedFile & {
        staged.push_back(std::make_unique<StagedFile>(QString::fromStdString(name)));
        return *staged.back();
    };
    std::optional<std::string> failure;
    if (options->xlsx) failure = writeStatementWorkbook(statement, title, date, fmt, stage(*options->xlsx));
    if (!failure && options->pdf)
        failure = printStatementToPdf(statement, title, date, fmt, stage(*options->pdf));
    if (!failure) {
        std::vector<StagedFile *> all;
        for (auto &file : staged) all.push_back(file.get());
        failure = commitAll(all);
    }
    if (failure) {
        err << *failure << "\n";
        return 1;
    }
    for (const std::string &line : statementLines(statement, fmt)) out << line << "\n";
    return 0;
}

}  // namespace lumora
