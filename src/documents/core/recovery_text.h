// The crash-recovery file: a tally file (93 lines of counts, so any tally reader takes it) followed by
// the rest of the tally state and the name of the tally's file:
//
//   lumora-recovery 2
//   length 64          the entry of the length list (0: no length)
//   rounded 1          the rounding switch
//   decimals 2
//   file /home/…/plot.txt   (UTF-8; the line is empty after "file " when the tally has no file yet)
//
// The file name is written with "%" followed by two hexadecimal digits for a control character, a
// "%" and DEL, so that any name (one with a line break too) reads back as it was. Files of version 1
// (the name as it is) are still read.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "numbers/numbers.h"
#include "tally/tally_state.h"

namespace lumora {

struct RecoveredTally {
    TallyState state;
    std::string fileName;
};

std::string writeRecovery(const TallyState &state, const std::string &fileName);

// nullopt when the bytes are not a complete recovery file (cut short, foreign, or out of range), or
// hold counts that its length cannot show.
std::optional<RecoveredTally> readRecovery(std::string_view bytes);

}  // namespace lumora
