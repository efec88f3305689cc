// Offering back at start the tallies that windows left behind, and restoring one.
#include <QDir>
#include <QFileInfo>

#include "editing/document.h"
#include "editing/qt_text.h"

namespace lumora {

namespace {

QString namesOf(const QStringList &paths) {
    QStringList names;
    for (const QString &path : paths) names << QDir::toNativeSeparators(path);
    return names.mid(0, 10).join(QLatin1Char('\n')) + (names.size() > 10 ? QStringLiteral("\n…") : QString());
}

RecoveryOffer offerOf(const RecoveryFile::Orphan &orphan, const Form &form) {
    RecoveryOffer offer;
    offer.written = orphan.written;
    offer.fileName = qs(orphan.tally.fileName);
    const auto length = static_cast<size_t>(orphan.tally.state.length);
    if (length > 0 && length < form.listEntries().size()) offer.length = qs(form.listEntries()[length]);
    // A count is at most five digits (the recovery file was checked when read).
    for (const std::string &count : orphan.tally.state.counts) {
        long long n = 0;
        for (char c : count) n = n * 10 + (c - '0');
        offer.logs += n;
    }
    return offer;
}

}  // namespace

bool Document::offerRecovery() {
    RecoveryFile::Scan scan = RecoveryFile::scan(recoveryFolder_);
    if (!scan.setAside.isEmpty())
        questions_->message(
            QStringLiteral("Файлы восстановления, которые не удалось прочитать (повреждены или чужие), "
                           "отложены и больше предлагаться не будут:\n%1")
                .arg(namesOf(scan.setAside))
                .toStdString());
    std::vector<RecoveryFile::Orphan> &orphans = scan.orphans;
    if (orphans.empty()) return false;
    std::vector<RecoveryOffer> offers;
    for (const RecoveryFile::Orphan &orphan : orphans) offers.push_back(offerOf(orphan, form_));
    std::vector<RecoveryChoice> choices = questions_->chooseRecovery(offers);
    if (choices.size() != offers.size() || endRequested_)
        choices.assign(offers.size(), RecoveryChoice::Later);  // ask next time
    bool restored = false;
    QStringList stuck;  // files in a folder that takes no lock: they stay where they are
    for (size_t k = 0; k < orphans.size(); ++k) {
        RecoveryFile::Orphan &orphan = orphans[k];
        const bool locked = orphan.lock != nullptr;
        if (choices[k] == RecoveryChoice::Discard) {
            RecoveryFile::discard(orphan);
            if (!locked && QFileInfo::exists(orphan.path)) stuck << orphan.path;
        } else if (choices[k] == RecoveryChoice::Restore && !restored && mayReplace(kReplaceQuestion)) {
            restored = true;
            restore(orphan);
            if (!locked) stuck << orphan.path;
        } else {
            RecoveryFile::keep(orphan);
        }
    }
    if (!stuck.isEmpty())
        questions_->message(QStringLiteral("Папку файлов восстановления нельзя изменить; эти файлы остались "
                                           "в ней и будут предложены снова при следующем запуске:\n%1")
                                .arg(namesOf(stuck))
                                .toStdString());
    return restored;
}

// The tally in an orphaned recovery file becomes this document, unsaved, with that file as its
// recovery file (a file without a lock stays as it is: the tally goes to this window's own). What its
// file held when the tally left it is what a save then compares the file with.
void Document::restore(RecoveryFile::Orphan &orphan) {
    // A tally restored before and undone away leaves the history with this step: it stays in its
    // recovery file, for the next start, and this tally takes over the file it came in.
    forgetRestore();
    recovery_.adopt(orphan);
    RecoveredTally tally = orphan.tally;
    // A name kept as it was typed (older recovery files) cannot tell which folder it meant: the
    // tally comes back without a file, and Save asks for one.
    if (!tally.fileName.empty() && !QDir::isAbsolutePath(qs(tally.fileName))) tally.fileName.clear();
    saved_.restored(tally.fileName, tally.held);
    const int before = history_.stack().index();
    replacing_ = true;
    runStep([&] {
        tally.state.applyTo(form_);
        form_.tallyFileName = tally.fileName;
    });
    replacing_ = false;
    const QUndoStack &stack = history_.stack();
    restorePending_ = true;
    restoreLost_ = false;
    restoreStep_ = stack.index() > before ? stack.command(stack.index() - 1) : nullptr;
    changed();
    emit stateChanged();
}

}  // namespace lumora
