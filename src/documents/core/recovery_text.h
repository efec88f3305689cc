// The crash-recovery file: a tally file (93 lines of counts, so any tally reader takes it) followed by
// the rest of the tally state and the name of the tally's file:
//
//   lumora-recovery 1
//   length 64          the entry of the length list (0: no length)
//   rounded 1          the rounding switch
//   decimals 2
//   file /home/…/plot.txt   (UTF-8; the line is empty after "file " when the tally has no file yet)
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

// nullopt when the bytes are not a complete recovery file (cut short, foreign, or out of range).
std::optional<RecoveredTally> readRecovery(std::string_view bytes);

}  // namespace lumora
