// The note a length change leaves when it empties counts: the steps the new length lacks, how many
// logs they held, and that undo gives them back. The window shows it in its status line, so that the
// receiver, who is typing, is told without a box to close.
#pragma once

#include <string>

#include "tally/tally_state.h"

namespace lumora {

class Form;

// "" when the form (now at its new length) holds every count of `before`, or the length is unchanged.
std::string droppedByLengthNote(const TallyState &before, const Form &after);

}  // namespace lumora
