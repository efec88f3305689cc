// The question at start about tallies left by windows that did not end cleanly. One tally is asked
// about plainly, with the answers as buttons: restore it, delete it, or decide at the next start.
// Several get one dialog for all, a row each with the time it was last written, its file, its length
// and its number of logs, and the same three answers to choose per row.
#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <vector>

#include "editing/document_questions.h"

namespace lumora {

// One choice per offer, in order; at most one Restore (this window shows one tally). For several,
// Escape or closing the dialog gives no choices: every tally is offered again next time.
std::vector<RecoveryChoice> askAboutRecovery(QWidget *parent, const std::vector<RecoveryOffer> &offers);

}  // namespace lumora
