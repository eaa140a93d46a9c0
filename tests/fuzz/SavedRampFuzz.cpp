// Any bytes as a saved-ramp file. A file of this version is accepted only
// when it is exactly what the writer makes of what was read from it; one of
// the first version, when what the writer makes of it reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/linux/ramps/SavedRamp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto saved = brillex::x11::parseSavedRamp(bytes, &error);
    if (saved.has_value() == !error.empty()) std::abort();
    if (!saved) return 0;
    const std::string again = brillex::x11::encodeSavedRamp(*saved);
    if (bytes.rfind("brillex-saved-ramp 2\n", 0) == 0 ? again != bytes : brillex::x11::parseSavedRamp(again) != saved)
        std::abort();
    return 0;
}
