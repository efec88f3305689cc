#include <locale.h>

#include <clocale>

#include "platform/classic_numbers.h"

namespace lumora {

// uselocale() switches only this thread, and back exactly to what it had (the global locale or a
// thread locale of its own).
ClassicNumbers::ClassicNumbers() {
    locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!classic) return;  // out of memory: numbers keep the process locale
    classic_ = classic;
    saved_ = uselocale(classic);
}

ClassicNumbers::~ClassicNumbers() {
    if (!classic_) return;
    uselocale(static_cast<locale_t>(saved_));
    freelocale(static_cast<locale_t>(classic_));
}

}  // namespace lumora
