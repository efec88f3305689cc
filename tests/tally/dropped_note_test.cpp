// The note a length change leaves when it empties counts.
#include "tally/dropped_note.h"

#include <gtest/gtest.h>

#include "form_test_support.h"
#include "tally/form.h"

namespace lumora {
namespace {

using test::entryOf;
using test::kComma;
using test::typeCount;

TEST(DroppedByLengthNote, NamesTheEmptiedStepsAndTheirLogsAndOnlyWhenALengthEmptiedThem) {
    const struct {
        const char *what;
        int fromCm, toCm;
        std::vector<std::pair<int, const char *>> counts;
        const char *note;
    } cases[] = {
        {"a short length empties the thick end",
         600,
         50,
         {{12, "12"}, {16, "100"}, {24, "007"}, {40, "40"}, {120, "10"}},
         "При длине 0,50 м нет ступеней 16–120 см: убрано 157 шт. Ctrl+Z вернёт."},
        {"one step that the new length lacks",
         400,
         600,
         {{24, "5"}, {69, "3"}},
         "При длине 6,00 м нет ступеней 69 см: убрано 3 шт. Ctrl+Z вернёт."},
        {"two runs apart are named apart",
         600,
         1000,
         {{7, "2"}, {24, "5"}, {40, "3"}},
         "При длине 10,00 м нет ступеней 7, 40 см: убрано 5 шт. Ctrl+Z вернёт."},
        {"the blank entry empties every count",
         600,
         0,
         {{24, "5"}, {30, "2"}},
         "Без длины нет ступеней 24–30 см: убрано 7 шт. Ctrl+Z вернёт."},
        {"a length that has every counted step", 600, 400, {{24, "5"}, {30, "2"}}, ""},
        {"no counts", 600, 50, {}, ""},
    };
    for (const auto &c : cases) {
        Form f(kComma);
        f.startUp();
        f.setListIndex(entryOf(c.fromCm));
        for (const auto &[d, n] : c.counts) typeCount(f, d, n);
        const TallyState before = TallyState::of(f);
        f.setListIndex(c.toCm ? entryOf(c.toCm) : 0);
        EXPECT_EQ(droppedByLengthNote(before, f), c.note) << c.what;
        // The same tally and length again: nothing is emptied by that step.
        EXPECT_EQ(droppedByLengthNote(TallyState::of(f), f), "") << c.what;
    }
}

}  // namespace
}  // namespace lumora
