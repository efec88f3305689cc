// Nothing is lost, whatever the user does with the window's document commands: random typing, length
// and rounding changes, Opens of good, broken and unfitting files (from the dialog, the recent files
// or named at start), Save, Save As, undo, redo, restores, files changed by another program, a signal
// that ends the program, and leaving, with random answers to every question. After each event:
// - every count the user typed is on screen, in its file or in a recovery file, unless the user
//   answered «Не сохранять» or «Удалить»;
// - every file holds its own bytes, what another program wrote there, or a tally that was on screen
//   while the title named that file;
// - the title's "*" is shown exactly when the lines Save would write differ from what this window
//   last read from or wrote to the named file (or there is no file and there are counts).
//
//   LUMORA_NOTHING_LOST_SEED (default 0) and LUMORA_NOTHING_LOST_EVENTS (default 400) choose the run;
//   LUMORA_NOTHING_LOST_EVENTS=100000 is the long run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "documents/core/recovery_text.h"
#include "documents/core/tally_file.h"
#include "documents/core/tally_texts.h"
#include "editing/document_files.h"
#include "editing/saved_tally.h"
#include "file_bytes_support.h"
#include "window_files_support.h"

namespace lumora {
namespace {

using test::rowOf;
using test::tallyFile;

long envNumber(const char *name, long fallback) {
    const char *v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

class NothingLost : public test::WindowFiles {
protected:
    void SetUp() override {
        WindowFiles::SetUp();
        asked.leave = [this] {
            const LeaveAnswer a = std::vector{LeaveAnswer::Save, LeaveAnswer::Discard,
                                              LeaveAnswer::Cancel}[static_cast<size_t>(pick(0, 2))];
            discarded = discarded || a == LeaveAnswer::Discard;
            say("  asked to save: " + std::to_string(static_cast<int>(a)));
            if (a == LeaveAnswer::Discard) restorePending = false;  // let go with the tally on screen
            if (a == LeaveAnswer::Save) dialogs.answers.push_front(maybeName());  // a save may ask a name
            return a;
        };
        asked.changedFile = [this](const QString &) {
            askedAboutChange = true;
            lastRead.reset();  // the save's own look at the file, not a load
            const ChangedFileAnswer a =
                std::vector{ChangedFileAnswer::Overwrite, ChangedFileAnswer::SaveAs,
                            ChangedFileAnswer::Cancel}[static_cast<size_t>(pick(0, 2))];
            say("  asked about a changed file: " + std::to_string(static_cast<int>(a)));
            return a;
        };
        // What the window read from a file or wrote to it is what that file holds as far as it knows.
        files.onRead = [this](const std::string &name, const std::string &bytes) {
            if (trace) say("  read " + name + ": " + brief(bytes));
            lastRead = {name, bytes};
        };
        files.onWrite = [this](const std::string &name, const std::string &bytes) {
            // A save before a load reads the file first to see whether it changed: that read is not
            // what the window shows, and the file holds these bytes from now on.
            lastRead.reset();
            // Save writes over the tally's own file only when it holds what the window saw there, or
            // the user was asked (a name chosen in a dialog was asked about by the dialog).
            if (trace)
                say("  write " + name + ": " + brief(bytes) + " " + contentsOf(bytes).sha256.substr(0, 8) +
                    " (seen there: " +
                    (seenBytes.count(name) ? brief(seenBytes[name]) : std::string("nothing")) + ")");
            const bool inPlace = name == named() && !chosenInDialog.count(name);
            const auto now = files.files.find(name);
            // A restored tally knows only what its file held when it left: the file holding that
            // again (another program wrote it back) is no change.
            const bool heldAgain = now != files.files.end() && heldWhenLeft.count(name) &&
                                   heldWhenLeft[name] == contentsOf(now->second);
            if (inPlace && now != files.files.end() && seenBytes.count(name) &&
                seenBytes[name] != now->second && !heldAgain && !askedAboutChange)
                ADD_FAILURE() << "event " << eventNumber << ": " << name
                              << " was written over without a question: it held\n"
                              << ::testing::PrintToString(now->second) << "\nwhere the window saw\n"
                              << ::testing::PrintToString(seenBytes[name]);
            known[name] = bytes;
            seenBytes[name] = bytes;
            heldWhenLeft.erase(name);
            seenUnder[name].insert(bytes);
            const TallyState s = TallyState::of(w->form());
            seenDocuments.insert(writeTally(s.counts) + std::to_string(s.length) + (s.rounded ? "r" : "n") +
                                 std::to_string(s.decimals) + "|" + name);
        };
    }
    // After a command that may have loaded a file: the tally on screen is that file's.
    void noteLoaded() {
        if (!lastRead || lastRead->first != named()) return;
        const TallyReadResult r = readTally(lastRead->second);
        if (!r.ok || r.counts != shownCounts()) return;
        known[named()] = shownBytes();
        seenBytes[named()] = lastRead->second;
        heldWhenLeft.erase(named());
    }
    // With LUMORA_NOTHING_LOST_TRACE=1, what each event read, wrote and was asked goes to stderr.
    void say(const std::string &line) const {
        if (trace) std::fprintf(stderr, "%s\n", line.c_str());
    }
    // The counts that are there, " row:count" each.
    static std::string countsText(const TallyCounts &counts) {
        std::string text;
        for (int i = 1; i <= kRowCount; ++i)
            if (!counts[static_cast<size_t>(i - 1)].empty())
                text += " " + std::to_string(i) + ":" + counts[static_cast<size_t>(i - 1)];
        return text;
    }
    static std::string brief(const std::string &bytes) {
        const TallyReadResult r = readTally(bytes);
        if (!r.ok) return "(not a tally)";
        const std::string counts = countsText(r.counts);
        return counts.empty() ? "(empty)" : counts.substr(1);
    }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    std::string file(const char *name) const {
        return canonicalFileName(folder.filePath(name).toStdString());
    }
    std::optional<std::string> name() { return file(names[pick(0, 4)]); }
    // A save dialog's answer: a name, or a cancel.
    std::optional<std::string> maybeName() {
        auto chosen = pick(0, 3) ? name() : std::nullopt;
        if (chosen) chosenInDialog.insert(*chosen);
        return chosen;
    }

    // What Save would write: the counts, then the length and rounding they are shown at.
    std::string shownBytes() const { return tallyFileBytes(w->form()); }
    std::string named() const { return w->form().tallyFileName; }
    TallyCounts shownCounts() const { return TallyState::of(w->form()).counts; }
    bool holdsCounts() const { return shownCounts() != TallyCounts{}; }

    // The counts at risk before a command replaced the tally are still somewhere: on screen, in a
    // file (their own, or the one a save asked for), or in a recovery file.
    bool keptSomewhere(const TallyCounts &counts) {
        if (shownCounts() == counts) return true;
        for (const auto &[name, bytes] : files.files) {
            const TallyReadResult r = readTally(bytes);
            if (r.ok && r.counts == counts) return true;
        }
        if (w) w->document().writeRecoveryNow();  // what the timer does within a second
        for (const QString &name : QDir(recoveryDir.path()).entryList({"recovery-*.txt"})) {
            const auto left = readRecovery(test::contents(recoveryDir.filePath(name)).toStdString());
            if (left && left->state.counts == counts) return true;
        }
        return false;
    }

    // The tallies in the recovery files, by file, as a start would offer them.
    std::map<QString, RecoveredTally> leftBehind() const {
        std::map<QString, RecoveredTally> all;
        for (const QString &name : QDir(recoveryDir.path()).entryList({"recovery-*.txt"})) {
            const QString path = recoveryDir.filePath(name);
            if (auto left = readRecovery(test::contents(path).toStdString())) all[path] = *left;
        }
        return all;
    }
    // After a restore: what the restored tally's file holds is not known to this window, only what it
    // held when the tally left it (no record: nothing it holds is the window's). The restored tally is
    // the one whose recovery file the window took over.
    void noteRestored(const std::map<QString, RecoveredTally> &offered) {
        const auto restored = offered.find(w->document().recoveryFile().path());
        if (restored == offered.end()) {
            ADD_FAILURE() << "the restored tally was not one of those left behind";
            return;
        }
        const RecoveredTally &t = restored->second;
        if (named().empty()) return;
        const auto there = files.files.find(named());
        const bool same = there != files.files.end() && t.held && contentsOf(there->second) == *t.held;
        seenBytes[named()] = same ? there->second : "(not this)";
        say("  restored " + named() + ", which held " +
            (t.held ? std::to_string(t.held->size) + " bytes " + t.held->sha256.substr(0, 8)
                    : "nothing known") +
            "; now " + (there != files.files.end() ? contentsOf(there->second).sha256.substr(0, 8) : "none"));
        if (t.held)
            heldWhenLeft[named()] = *t.held;
        else
            heldWhenLeft.erase(named());
    }

    // What the title and the files may show after an event.
    void check(const std::string &event) {
        SCOPED_TRACE(event);
        const std::string file = named();
        if (!file.empty()) seenUnder[file].insert(shownBytes());
        for (const auto &[name, bytes] : files.files) {
            const bool original = originals.count(name) && originals[name] == bytes;
            ASSERT_TRUE(original || seenUnder[name].count(bytes))
                << name << " holds a tally never shown under it";
        }
        const bool differs = file.empty() ? holdsCounts() : !known.count(file) || known[file] != shownBytes();
        // A restored tally undone away keeps the "*" until it is saved or let go.
        if (restorePending && !differs) return;
        ASSERT_EQ(w->isWindowModified(), differs) << "title " << w->windowTitle().toStdString();
    }

    // Undo and redo only go back to what was on screen before: the same counts, length and rounding
    // under the same file name.
    void checkRevisited(const std::string &event, const std::string &lastEvent) {
        const std::string state = documentKey();
        if (event == "undo" || event == "redo") {
            ASSERT_TRUE(seenDocuments.count(state))
                << event << " gave a tally a file it was never shown under (" << lastEvent << ")";
        }
        seenDocuments.insert(state);
    }
    std::string documentKey() const {
        const TallyState s = TallyState::of(w->form());
        return writeTally(s.counts) + std::to_string(s.length) + (s.rounded ? "r" : "n") +
               std::to_string(s.decimals) + "|" + named();
    }

    std::set<std::string> seenDocuments;
    std::map<std::string, std::string> originals;
    std::map<std::string, std::set<std::string>> seenUnder;
    std::mt19937 rng;
    const char *names[5] = {"A.txt", "B.txt", "C.txt", "bad.txt", "odd.txt"};  // in `folder`
    std::map<std::string, std::string> known;          // what the window last read from or wrote to a file
    std::map<std::string, std::string> seenBytes;      // the bytes it last saw there, a restore's included
    std::map<std::string, FileContents> heldWhenLeft;  // a restored tally's record of its file
    std::optional<std::pair<std::string, std::string>> lastRead;
    std::set<std::string> chosenInDialog;  // names answered in a save dialog in this event
    bool discarded = false;                // the user answered «Не сохранять» in this event
    bool askedAboutChange = false;         // the changed-on-disk question was asked in this event
    bool restorePending = false;           // a restored tally may be unsaved off screen (undone away)
    bool trace = false;
    long eventNumber = 0;
    QTemporaryDir folder, otherFolder;  // the working folder, and the one of another start
};

TEST_F(NothingLost, EveryTypedCountAndEveryFileIsKeptWhateverTheUserDoes) {
    const long seed = envNumber("LUMORA_NOTHING_LOST_SEED", 0);
    const long events = envNumber("LUMORA_NOTHING_LOST_EVENTS", 400);
    trace = envNumber("LUMORA_NOTHING_LOST_TRACE", 0) != 0;  // each event on stderr
    rng.seed(static_cast<unsigned>(seed));
    // The same names in two folders: a start in the other one must not write over these.
    for (const QTemporaryDir *dir : {&folder, &otherFolder}) {
        auto at = [dir](const char *n) { return canonicalFileName(dir->filePath(n).toStdString()); };
        originals[at("A.txt")] = tallyFile({{24, "4"}, {120, "1"}});
        originals[at("B.txt")] = tallyFile({{16, "3"}, {40, "12"}});
        originals[at("bad.txt")] = "1\r\nabc\r\n";
        originals[at("odd.txt")] = tallyFile({{7, "2"}, {69, "5"}});  // not every length has 7 and 69 cm
    }
    files.files = originals;
    struct Back {
        QString folder;
        ~Back() { QDir::setCurrent(folder); }
    } back{QDir::currentPath()};
    seenDocuments.insert(documentKey());
    const int diameters[] = {7, 16, 24, 40, 69, 120};
    const char *roundings[] = {"Tis", "Sot", "Des", "NoOkrugl"};
    int restores = 0;
    auto restart = [&] {
        w->setOutputCommands(nullptr);
        w = std::make_unique<MainWindow>(test::kComma);
        SetUp();
        known.clear();
        seenBytes.clear();
        heldWhenLeft.clear();
        restorePending = false;
        // The next start may be in the other folder, where the same relative names mean other files.
        QDir::setCurrent(pick(0, 1) ? folder.path() : otherFolder.path());
    };
    // At start: the tallies left behind are offered first, then a file named on the command line.
    auto start = [&] {
        const RecoveryChoice choice = std::vector{RecoveryChoice::Restore, RecoveryChoice::Later,
                                                  RecoveryChoice::Discard}[static_cast<size_t>(pick(0, 2))];
        discarded = discarded || choice == RecoveryChoice::Discard;
        asked.recovery = [this, choice](const std::vector<RecoveryOffer> &o) {
            for (const RecoveryOffer &offer : o)
                say("  offered " + offer.fileName.toStdString() + " (" + std::to_string(offer.logs) +
                    " logs): " + std::to_string(static_cast<int>(choice)));
            return std::vector<RecoveryChoice>(o.size(), choice);
        };
        const auto offered = leftBehind();
        if (w->document().offerRecovery()) {
            restorePending = true;
            known.erase(named());
            noteRestored(offered);
        }
        // A restored tally is on screen, under its file, before a file named at start replaces it.
        seenDocuments.insert(documentKey());
        // Named as typed on the command line: relative to the folder the program starts in.
        if (pick(0, 1)) {
            lastRead.reset();
            w->document().openFile(names[pick(0, 4)]);
            noteLoaded();
        }
    };
    QDir::setCurrent(folder.path());

    for (long e = 0; e < events; ++e) {
        eventNumber = e;
        std::string event;
        const TallyCounts countsBefore = shownCounts();
        // A restored tally undone away keeps the "*" while its recovery file holds it: the tally on
        // screen is at risk only when its own lines differ from its file's.
        const std::string shownFile = named();
        const bool linesDiffer =
            shownFile.empty() ? holdsCounts() : !known.count(shownFile) || known[shownFile] != shownBytes();
        const bool atRisk = w->unsaved() && (!restorePending || linesDiffer);
        bool edit = false;  // the user's own change of the tally
        discarded = false;
        askedAboutChange = false;
        chosenInDialog.clear();
        dialogs.answers.clear();  // a dialog answers only in the event that set it
        lastRead.reset();
        switch (pick(0, 18)) {
            case 0:
            case 1: {
                const int d = diameters[pick(0, 5)];
                event = "type " + std::to_string(d);
                typeCount(d, QString::number(pick(1, 9)));
                edit = true;
                break;
            }
            case 2:
                event = "length";
                widget<QComboBox>("Hight1")->setCurrentIndex(pick(0, 3) ? pick(1, kLengthCount) : 0);
                edit = true;
                break;
            case 3:
                event = "rounding";
                action(roundings[pick(0, 3)])->trigger();
                edit = true;
                break;
            case 4:
                event = "open";
                dialogs.answers = {name()};
                if (!pick(0, 3)) dialogs.answers = {std::nullopt};
                action("Open")->trigger();
                noteLoaded();
                break;
            case 5:
                event = "recent";
                dialogs.answers.clear();
                if (QAction *recent = action("RecentFile1"); recent->isVisible()) recent->trigger();
                noteLoaded();
                break;
            case 6:
                event = "save";
                dialogs.answers = {maybeName(), maybeName()};
                action("Save")->trigger();
                break;
            case 7:
                event = "save as";
                dialogs.answers = {maybeName()};
                action("SaveAs")->trigger();
                break;
            case 8:
            case 9:
                event = "undo";
                action("Undo")->trigger();
                edit = true;
                break;
            case 10:
                event = "redo";
                action("Redo")->trigger();
                edit = true;
                break;
            case 11: {
                // A tally left by a window that crashed, naming a file of its own, offered and restored.
                event = "restore";
                TallyState left;
                left.length = static_cast<int16_t>(test::entryOf(600));
                left.counts[static_cast<size_t>(rowOf(30) - 1)] = std::to_string(pick(1, 99));
                // Its file: one of its own, or one that holds what it held when the tally left it, or
                // one saved since (by this window or another).
                RecoveredTally tally;
                tally.state = left;
                ++restores;
                const std::string own = file(("R" + std::to_string(restores) + ".txt").c_str());
                tally.fileName = pick(0, 1) ? own : *name();
                const auto there = files.files.find(tally.fileName);
                if (there != files.files.end())
                    tally.held = contentsOf(pick(0, 1) ? there->second : there->second + "0\r\n");
                const QString orphan =
                    QDir(recoveryDir.path()).filePath(QString("recovery-0-%1.txt").arg(restores));
                test::put(orphan, QByteArray::fromStdString(writeRecovery(tally)));
                asked.recovery = [](const std::vector<RecoveryOffer> &o) {
                    return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
                };
                // The newest tally left behind is restored: this one, or one kept for later before.
                const auto offered = leftBehind();
                if (w->document().offerRecovery()) {
                    restorePending = true;
                    known.erase(named());
                    noteRestored(offered);
                    // Undone at once, sometimes: the restored tally must still be kept.
                    seenDocuments.insert(documentKey());
                    if (!pick(0, 2)) action("Undo")->trigger();
                } else {
                    QFile::remove(orphan);
                }
                break;
            }
            case 12: {
                // Another program (or another window) writes a tally into one of the files.
                event = "other program";
                const std::string other = *name();
                files.files[other] = tallyFile({{diameters[pick(0, 5)], "7"}});
                say("  another program writes " + other + ": " + brief(files.files[other]));
                seenUnder[other].insert(files.files[other]);
                break;
            }
            case 13:
                // A signal ends the program; the next start offers what it kept.
                event = "signal";
                w->endOnRequest();
                // The main loop ends on that request: run it once, so the request is spent here.
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
                QCoreApplication::exec();
                if (atRisk && !keptSomewhere(countsBefore)) {
                    ADD_FAILURE() << "seed " << seed << ", event " << e << ": a signal lost the counts";
                    return;
                }
                restart();
                start();
                break;
            case 14:
                event = "named at start";
                w->document().openFile(pick(0, 1) ? *name() : std::string(names[pick(0, 4)]));
                noteLoaded();
                break;
            case 16:
                event = "new";
                action("New")->trigger();
                break;
            case 17:
            case 18: {
                // A length typed into the list's box, key by key, ended by Enter or not.
                event = "typed length";
                auto *list = widget<QComboBox>("Hight1");
                list->setFocus();
                QApplication::processEvents();
                const QString typed =
                    std::vector<QString>{"1", "10", "4,5", "6"}[static_cast<size_t>(pick(0, 3))];
                // Each key's length is on screen for a moment (where the form moves the focus, the typing
                // is more than one step).
                for (QChar c : typed) {
                    QTest::sendKeyEvent(QTest::Click, list, Qt::Key_unknown, c, Qt::NoModifier);
                    seenDocuments.insert(documentKey());
                }
                if (pick(0, 1)) QTest::keyClick(list, Qt::Key_Return);
                edit = true;
                break;
            }
            case 15: {
                event = "leave";
                dialogs.answers.clear();
                if (w->close()) {
                    // Leaving with a save showed the tally under its new name before the window went.
                    if (!named().empty()) seenUnder[named()].insert(shownBytes());
                    restart();
                    start();
                }
                break;
            }
        }
        if (trace) {
            const TallyState t = TallyState::of(w->form());
            std::fprintf(stderr, "%ld %s -> %s L%d r%d d%d%s\n", e, event.c_str(), named().c_str(), t.length,
                         t.rounded, t.decimals, countsText(t.counts).c_str());
        }
        dialogs.messages.clear();
        const std::string where =
            "seed " + std::to_string(seed) + ", event " + std::to_string(e) + ": " + event;
        if (atRisk && !edit && !discarded && !keptSomewhere(countsBefore)) {
            ADD_FAILURE() << where << ": typed counts were lost";
            return;
        }
        check(where);
        if (HasFatalFailure()) return;
        checkRevisited(where.substr(where.find(": ") + 2), where);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace lumora
