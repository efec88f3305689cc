// Nothing is lost, whatever the user does with the window's document commands: random typing, length
// changes, Opens of good, broken and unfitting files, Save, Save As, undo, redo, restores and leaving,
// with random answers to every dialog. After each event every file holds its original bytes or a
// tally that was on screen while the title named that file, and the title's "*" is shown exactly when
// the counts differ from what the named file holds.
//
//   LUMORA_NOTHING_LOST_SEED (default 0) and LUMORA_NOTHING_LOST_EVENTS (default 400) choose the run.
#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "../file_bytes_support.h"
#include "documents/core/recovery_text.h"
#include "documents/core/tally_file.h"
#include "documents/core/tally_texts.h"
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
    // What Save would write: the counts, then the length and rounding they are shown at.
    std::string shownBytes() const { return tallyFileBytes(w->form()); }
    // "*" follows the counts: a file's counts against the shown ones.
    bool countsDiffer(const std::string &bytes) const {
        const TallyReadResult file = readTally(bytes);
        return !file.ok || file.counts != TallyState::of(w->form()).counts;
    }
    std::string named() const { return w->form().tallyFileName; }

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
        bool differs;
        if (file.empty())
            differs = TallyState::of(w->form()).counts != TallyCounts{};
        else
            differs = !files.files.count(file) || unknown.count(file) || countsDiffer(files.files[file]);
        ASSERT_EQ(w->isWindowModified(), differs) << "title " << w->windowTitle().toStdString();
    }

    // Undo and redo only go back to what was on screen before: the same counts, length and rounding
    // under the same file name.
    void checkRevisited(const std::string &event) {
        const std::string state = documentKey();
        if (event == "undo" || event == "redo") {
            ASSERT_TRUE(seenDocuments.count(state))
                << event << " gave a tally a file it was never shown under";
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
    std::set<std::string> unknown;  // files named by a restore, whose contents the window does not know
};

TEST_F(NothingLost, EveryFileHoldsItsOwnBytesOrATallyShownUnderItsName) {
    const long seed = envNumber("LUMORA_NOTHING_LOST_SEED", 0);
    const long events = envNumber("LUMORA_NOTHING_LOST_EVENTS", 400);
    std::mt19937 rng(static_cast<unsigned>(seed));
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const char *names[] = {"A.txt", "B.txt", "C.txt", "bad.txt", "odd.txt"};
    originals = {{"A.txt", tallyFile({{24, "4"}, {120, "1"}})},
                 {"B.txt", tallyFile({{16, "3"}, {40, "12"}})},
                 {"bad.txt", "1\r\nabc\r\n"},
                 {"odd.txt", tallyFile({{7, "2"}, {69, "5"}})}};  // not every length has 7 and 69 cm
    files.files = originals;
    seenDocuments.insert(documentKey());
    const int diameters[] = {7, 16, 24, 40, 69, 120};
    int restores = 0;
    auto name = [&] { return std::optional<std::string>(names[pick(0, 4)]); };
    auto maybeName = [&]() -> std::optional<std::string> { return pick(0, 3) ? name() : std::nullopt; };

    for (long e = 0; e < events; ++e) {
        std::string event;
        switch (pick(0, 10)) {
            case 0:
            case 1: {
                const int d = diameters[pick(0, 5)];
                event = "type " + std::to_string(d);
                typeCount(d, QString::number(pick(1, 9)));
                break;
            }
            case 2:
                event = "length";
                widget<QComboBox>("Hight1")->setCurrentIndex(pick(0, 3) ? pick(1, kLengthCount) : 0);
                break;
            case 3:
                event = "open";
                dialogs.answers = {maybeName()};
                action("Open")->trigger();
                break;
            case 4:
                event = "save";
                dialogs.answers = {maybeName()};
                action("Save")->trigger();
                break;
            case 5:
                event = "save as";
                dialogs.answers = {maybeName()};
                action("SaveAs")->trigger();
                break;
            case 6:
            case 7:
                event = "undo";
                action("Undo")->trigger();
                break;
            case 8:
                event = "redo";
                action("Redo")->trigger();
                break;
            case 9: {
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
                if (w->offerRecovery())
                    unknown.insert(file);
                else
                    QFile::remove(orphan);
                break;
            }
            case 10: {
                event = "leave";
                answer = std::vector{LeaveAnswer::Save, LeaveAnswer::Discard,
                                     LeaveAnswer::Cancel}[static_cast<size_t>(pick(0, 2))];
                dialogs.answers = {maybeName()};
                if (w->close()) {
                    // Leaving with a save showed the tally under its new name before the window went.
                    if (!named().empty()) seenUnder[named()].insert(shownBytes());
                    docs.reset();
                    w = std::make_unique<MainWindow>(test::kComma);
                    SetUp();
                }
                break;
            }
        }
        // A save or an open makes a file's contents known again.
        if (!named().empty() && files.files.count(named()) &&
            (event == "save" || event == "save as" || event == "open"))
            unknown.erase(named());
        const std::string where =
            "seed " + std::to_string(seed) + ", event " + std::to_string(e) + ": " + event;
        check(where);
        if (HasFatalFailure()) return;
        checkRevisited(where.substr(where.find(": ") + 2));
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace lumora
