// The window's crash recovery: ending on the system's request, and offering back what windows left
// behind at start.
#include <QApplication>
#include <QDialog>
#include <QDir>

#include "ui/main_window.h"

namespace lumora {

namespace {

QString qs(const std::string &s) { return QString::fromStdString(s); }

}  // namespace

void MainWindow::endOnRequest() {
    doc_.keepRecoveryAtEnd();
    if (endRequested_) return;
    endRequested_ = true;
    // A question open at start runs its own event loop: it closes, and the start goes no further
    // (every recovery file stays for the next start).
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible()) dialog->reject();
    QCoreApplication::exit(0);
}

bool MainWindow::offerRecovery() {
    RecoveryFile::Scan scan = RecoveryFile::scan(doc_.recoveryFolder());
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
    if (choices.size() != offers.size() || endRequested_)
        choices.assign(offers.size(), RecoveryChoice::Later);  // ask next time
    bool restored = false;
    for (size_t k = 0; k < orphans.size(); ++k) {
        RecoveryFile::Orphan &orphan = orphans[k];
        if (choices[k] == RecoveryChoice::Discard) {
            RecoveryFile::discard(orphan);
        } else if (choices[k] == RecoveryChoice::Restore && !restored && mayReplaceTally()) {
            restored = true;
            doc_.restore(orphan);
            const RecoveredTally &tally = orphan.tally;
            forward([&] {
                tally.state.applyTo(form_);
                form_.tallyFileName = tally.fileName;
            });
            tallyChanged();
        } else {
            RecoveryFile::keep(orphan);
        }
    }
    return restored;
}

}  // namespace lumora
