// The window's crash recovery: writing the recovery file (and saying so when it cannot be written),
// ending on the system's request, and offering back what windows left behind at start.
#include <QCoreApplication>
#include <QDir>
#include <QStatusBar>

#include "ui/main_window.h"

namespace lumora {

namespace {

QString qs(const std::string &s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::writeRecoveryNow() {
    recoveryTimer_.stop();
    std::optional<QString> error;
    if (saved_.differs(form_))
        error = recovery_.write(TallyState::of(form_), form_.tallyFileName);
    else
        recovery_.remove();
    // Crash protection that fails says so, in a status line under the grid, until a write works again.
    const QString problem =
        error ? QStringLiteral("Защита от сбоев не работает: не удаётся записать файл восстановления (%1).")
                    .arg(*error)
              : QString();
    if (problem == recoveryProblem_) return;
    recoveryProblem_ = problem;
    showStatus();
}

void MainWindow::endOnRequest() {
    writeRecoveryNow();
    keepRecovery_ = recovery_.exists();
    QCoreApplication::exit(0);
}

bool MainWindow::offerRecovery() {
    RecoveryFile::Scan scan = RecoveryFile::scan(recoveryFolder_);
    if (!scan.setAside.isEmpty()) {
        QStringList names;
        for (const QString &path : scan.setAside) names << QDir::toNativeSeparators(path);
        tell_(QStringLiteral("Файлы восстановления, которые не удалось прочитать (повреждены или чужие), "
                             "отложены и больше предлагаться не будут:\n%1")
                  .arg(names.mid(0, 10).join(QLatin1Char('\n')) +
                       (names.size() > 10 ? QStringLiteral("\n…") : QString())));
    }
    std::vector<RecoveryFile::Orphan> &orphans = scan.orphans;
    if (orphans.empty()) return false;
    std::vector<RecoveryOffer> offers;
    for (const RecoveryFile::Orphan &orphan : orphans) {
        RecoveryOffer offer;
        offer.written = orphan.written;
        offer.fileName = qs(orphan.tally.fileName);
        const auto length = static_cast<size_t>(orphan.tally.state.length);
        if (length > 0 && length < form_.listEntries().size()) offer.length = qs(form_.listEntries()[length]);
        // A count is at most five digits (the recovery file was checked when read).
        for (const std::string &count : orphan.tally.state.counts) {
            long long n = 0;
            for (char c : count) n = n * 10 + (c - '0');
            offer.logs += n;
        }
        offers.push_back(offer);
    }
    std::vector<RecoveryChoice> choices = chooseRecovery_(offers);
    if (choices.size() != offers.size())
        choices.assign(offers.size(), RecoveryChoice::Later);  // ask next time
    bool restored = false;
    for (size_t k = 0; k < orphans.size(); ++k) {
        RecoveryFile::Orphan &orphan = orphans[k];
        if (choices[k] == RecoveryChoice::Discard) {
            RecoveryFile::discard(orphan);
        } else if (choices[k] == RecoveryChoice::Restore && !restored) {
            restored = true;
            recovery_.adopt(orphan);
            const RecoveredTally &tally = orphan.tally;
            forward([&] {
                tally.state.applyTo(form_);
                form_.tallyFileName = tally.fileName;
            });
            saved_.forget(tally.fileName);  // what the file holds is not known: the restored tally is unsaved
            tallyChanged();
        } else {
            RecoveryFile::keep(orphan);
        }
    }
    return restored;
}

}  // namespace lumora
