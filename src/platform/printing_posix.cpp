#include "platform/printing.h"

namespace lumora::platform {

bool printDialogOffersPdfWithoutPrinter() { return true; }

}  // namespace lumora::platform
