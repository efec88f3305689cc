// The consolidated statement: many saved tallies, each at its own length and rounding, added up.
//
// Each file is read once and shown as the window shows it after Open, in a form of its own. A
// statement row is what that tally shows: its length, its logs and its total volume. The totals and
// the thickness groups are exact sums of those shown figures (whole 0.0001 m³), written with at most
// as many decimals as the most precise tally has (an unrounded one counts as four): an exact sum of
// such figures never needs more.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "documents/core/tally_commands.h"
#include "documents/core/tally_texts.h"
#include "documents/core/thickness_groups.h"
#include "numbers/numbers.h"

namespace lumora {

constexpr int kUnroundedPlaces = 4;

struct StatementTally {
    std::string path;  // as given
    std::string name;  // the tally's title, or the file name without its folder when it has none
    TallyTexts texts;  // as the window would show the tally
    ThicknessGroups groups;
    int places = 2;  // decimals the tally shows; kUnroundedPlaces when not rounded
    int64_t logs = 0;
    int64_t volume = 0;  // the shown total, 0.0001 m³
    // What the window divides for the mean diameters: Σ diameter × count, Σ diameter × step volume.
    int64_t diameterCount = 0;
    int64_t diameterVolume = 0;  // cm × 0.0001 m³
};

struct StatementLoad {
    std::optional<StatementTally> tally;
    std::string error;  // when refused: the reason in Russian, naming the file
};

// The file name without its folder ('/' and '\\' both separate folders).
std::string fileNameOf(const std::string &path);

// Reads one tally file through `files` (once) and shows it at its own length and rounding, as Open
// would. A file without its length (from earlier versions) cannot be placed in a statement and is
// refused; so is a file that Open refuses. `groupsOnSheet` is carried into the tally's texts for its
// own sheet and workbook page.
StatementLoad loadStatementTally(FileStore &files, const std::string &path, const NumberFormat &fmt,
                                 bool groupsOnSheet = false);

struct Statement {
    std::vector<StatementTally> tallies;
    int64_t logs = 0;
    int64_t volume = 0;  // 0.0001 m³
    ThicknessGroups groups;
    int places = 1;  // the most precise tally's decimals
    int64_t diameterCount = 0, diameterVolume = 0;
    std::string meanByCount = "0", meanByVolume = "0";  // as the window would show them
    NumberFormat fmt;                                   // the one its texts are written in
};

// The tallies in the order given, added up. The mean diameters of the whole statement are worked out
// by the window's rule (weighted means by count and by volume of the shown figures), rounded to the
// statement's decimals, or as an unrounded tally shows them when one of the tallies is.
Statement makeStatement(std::vector<StatementTally> tallies, const NumberFormat &fmt);

// A volume of 0.0001 m³ units as the window writes numbers ("12,5").
std::string volumeText(int64_t volume, const NumberFormat &fmt);

// The statement as the batch prints it, one line each: per tally
// "name\tlength\tlogs\tvolume\tmean by count\tmean by volume", then "Итого\t\tlogs\tvolume\t…\t…",
// then the three groups "label\t\tlogs\tvolume".
std::vector<std::string> statementLines(const Statement &statement, const NumberFormat &fmt);

}  // namespace lumora
