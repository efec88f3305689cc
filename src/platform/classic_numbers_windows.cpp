#include <clocale>
#include <cstdlib>
#include <string>

#include "platform/classic_numbers.h"

namespace lumora {

namespace {
struct Saved {
    int threadSetting = 0;
    std::string numeric;
};
}  // namespace

// The C runtime's locale becomes this thread's own, set to "C" for numbers, then restored.
ClassicNumbers::ClassicNumbers() {
    auto *saved = new Saved;
    saved->threadSetting = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    if (const char *numeric = std::setlocale(LC_NUMERIC, nullptr)) saved->numeric = numeric;
    std::setlocale(LC_NUMERIC, "C");
    saved_ = saved;
}

ClassicNumbers::~ClassicNumbers() {
    auto *saved = static_cast<Saved *>(saved_);
    if (!saved->numeric.empty()) std::setlocale(LC_NUMERIC, saved->numeric.c_str());
    _configthreadlocale(saved->threadSetting);
    delete saved;
}

}  // namespace lumora
