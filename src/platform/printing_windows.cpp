#include "platform/printing.h"

namespace lumora::platform {

// The native dialog needs a printer to show (it answers at once, as if cancelled, without one).
bool printDialogOffersPdfWithoutPrinter() { return false; }

}  // namespace lumora::platform
