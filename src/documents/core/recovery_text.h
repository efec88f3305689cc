// The crash-recovery file: a tally file (93 lines of counts, so any tally reader takes it) followed by
// the rest of the tally state and the name of the tally's file:
//
//   lumora-recovery 3
//   length 64          the entry of the length list (0: no length)
//   rounded 1          the rounding switch
//   decimals 2
//   file /home/…/plot.txt   (UTF-8, absolute; the line is empty after "file " when the tally has no
//                            file yet)
//   held 2861 3f…e0    the size and SHA-256 of what that file held when the tally left it (nothing
//                      after "held" when not known)
//   title Кв. 12, …    the title typed at Print (UTF-8, escaped as the name; a file without the line
//                      holds a tally without a title)
//
// Each line is "key value", so a later version adds a line and a reader takes the lines it knows.
// The file name is written with "%" followed by two hexadecimal digits for a control character, a
// "%" and DEL, so that any name (one with a line break too) reads back as it was; the title too. Files of
// versions 1 (the name as it is) and 2 (no "held" line) are still read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numbers/numbers.h"
#include "tally/tally_state.h"

namespace lumora {

// What a file held: its size and the SHA-256 of its bytes in lowercase hexadecimal.
struct FileContents {
    long long size = 0;
    std::string sha256;
    bool operator==(const FileContents &o) const { return size == o.size && sha256 == o.sha256; }
};

struct RecoveredTally {
    TallyState state;
    std::string fileName;
    std::optional<FileContents> held;  // what `fileName` held when the tally left it
    int version = 3;                   // of the file it was read from
};

std::string writeRecovery(const RecoveredTally &tally);
std::string writeRecovery(const TallyState &state, const std::string &fileName);

// nullopt when the bytes are not a complete recovery file (cut short, foreign, or out of range), or
// hold counts that its length cannot show.
std::optional<RecoveredTally> readRecovery(std::string_view bytes);

}  // namespace lumora
