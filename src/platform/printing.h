// Printing where no printer is installed: Qt's own print dialog (POSIX) then still offers printing to
// a PDF file, while Windows' dialog cannot open at all.
#pragma once

namespace lumora::platform {

// Whether the system's print dialog can print to a PDF file when no printer is installed.
bool printDialogOffersPdfWithoutPrinter();

}  // namespace lumora::platform
