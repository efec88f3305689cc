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

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "documents/core/recovery_text.h"
#include "documents/core/tally_file.h"
#include "documents/core/tally_texts.h"
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
        // What the window loaded from a file or wrote to it is what that file holds as far as it knows.
        DocumentHooks hooks = w->documentHooks();
        auto knowAfter = [this](auto command) {
            return [this, command](auto &&...args) {
                auto done = command(args...);
                if (!done) return done;
                // A save before a replace shows the tally under its file only for a moment.
                known[w->form().tallyFileName] = tallyFileBytes(w->form());
                seenUnder[w->form().tallyFileName].insert(tallyFileBytes(w->form()));
                seenDocuments.insert(documentKey());
                return done;
            };
        };
        hooks.open = knowAfter(hooks.open);
        hooks.openFile = knowAfter(hooks.openFile);
        hooks.save = knowAfter(hooks.save);
        hooks.saveAs = knowAfter(hooks.saveAs);
        hooks.command4 = knowAfter(hooks.command4);
        w->setDocumentHooks(hooks);
        w->setLeaveQuestion([this] {
            const LeaveAnswer a = std::vector{LeaveAnswer::Save, LeaveAnswer::Discard,
                                              LeaveAnswer::Cancel}[static_cast<size_t>(pick(0, 2))];
            discarded = discarded || a == LeaveAnswer::Discard;
            if (a == LeaveAnswer::Save) dialogs.answers.push_front(maybeName());  // a save may ask a name
            return a;
        });
        w->setMessageBox([](const QString &) {});  // a recent file that is not on the disk
        w->setChangedFileQuestion([this](const QString &) {
            return std::vector{ChangedFileAnswer::Overwrite, ChangedFileAnswer::SaveAs,
                               ChangedFileAnswer::Cancel}[static_cast<size_t>(pick(0, 2))];
        });
    }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    std::optional<std::string> name() { return std::optional<std::string>(names[pick(0, 4)]); }
    std::optional<std::string> maybeName() { return pick(0, 3) ? name() : std::nullopt; }

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
        if (w) w->writeRecoveryNow();  // what the timer does within a second
        for (const QString &name : QDir(recoveryDir.path()).entryList({"recovery-*.txt"})) {
            const auto left = readRecovery(test::contents(recoveryDir.filePath(name)).toStdString());
            if (left && left->state.counts == counts) return true;
        }
        return false;
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
    const char *names[5] = {"A.txt", "B.txt", "C.txt", "bad.txt", "odd.txt"};
    std::map<std::string, std::string> known;  // what the window last read from or wrote to a file
    bool discarded = false;                    // the user answered «Не сохранять» in this event
};

TEST_F(NothingLost, EveryTypedCountAndEveryFileIsKeptWhateverTheUserDoes) {
    const long seed = envNumber("LUMORA_NOTHING_LOST_SEED", 0);
    const long events = envNumber("LUMORA_NOTHING_LOST_EVENTS", 400);
    rng.seed(static_cast<unsigned>(seed));
    originals = {{"A.txt", tallyFile({{24, "4"}, {120, "1"}})},
                 {"B.txt", tallyFile({{16, "3"}, {40, "12"}})},
                 {"bad.txt", "1\r\nabc\r\n"},
                 {"odd.txt", tallyFile({{7, "2"}, {69, "5"}})}};  // not every length has 7 and 69 cm
    files.files = originals;
    seenDocuments.insert(documentKey());
    const int diameters[] = {7, 16, 24, 40, 69, 120};
    const char *roundings[] = {"Tis", "Sot", "Des", "NoOkrugl"};
    int restores = 0;
    auto restart = [&] {
        docs.reset();
        w = std::make_unique<MainWindow>(test::kComma);
        SetUp();
        known.clear();
    };
    // At start: the tallies left behind are offered first, then a file named on the command line.
    auto start = [&] {
        const RecoveryChoice choice = std::vector{RecoveryChoice::Restore, RecoveryChoice::Later,
                                                  RecoveryChoice::Discard}[static_cast<size_t>(pick(0, 2))];
        discarded = discarded || choice == RecoveryChoice::Discard;
        w->setRecoveryChooser([choice](const std::vector<RecoveryOffer> &o) {
            return std::vector<RecoveryChoice>(o.size(), choice);
        });
        w->offerRecovery();
        // A restored tally is on screen, under its file, before a file named at start replaces it.
        seenDocuments.insert(documentKey());
        if (pick(0, 1)) w->openTallyFile(QString::fromStdString(*name()));
    };

    for (long e = 0; e < events; ++e) {
        std::string event;
        const TallyCounts countsBefore = shownCounts();
        const bool atRisk = w->unsaved();
        bool edit = false;  // the user's own change of the tally
        discarded = false;
        switch (pick(0, 15)) {
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
                dialogs.answers = {maybeName()};
                action("Open")->trigger();
                break;
            case 5:
                event = "recent";
                dialogs.answers.clear();
                if (QAction *recent = action("RecentFile1"); recent->isVisible()) recent->trigger();
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
                const std::string file = "R" + std::to_string(++restores) + ".txt";
                const QString orphan =
                    QDir(recoveryDir.path()).filePath(QString("recovery-0-%1.txt").arg(restores));
                test::put(orphan, QByteArray::fromStdString(writeRecovery(left, file)));
                w->setRecoveryChooser([](const std::vector<RecoveryOffer> &o) {
                    return std::vector<RecoveryChoice>(o.size(), RecoveryChoice::Restore);
                });
                // What the restored tally's file holds is not known to this window (it may be an older
                // window's tally, naming a file this one also opened).
                if (w->offerRecovery())
                    known.erase(named());
                else
                    QFile::remove(orphan);
                break;
            }
            case 12: {
                // Another program (or another window) writes a tally into one of the files.
                event = "other program";
                const std::string file = *name();
                files.files[file] = tallyFile({{diameters[pick(0, 5)], "7"}});
                seenUnder[file].insert(files.files[file]);
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
                w->openTallyFile(QString::fromStdString(*name()));
                break;
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
