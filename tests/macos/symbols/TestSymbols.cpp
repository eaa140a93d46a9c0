// Functions a test library exports under the names the core looks up, with
// the C signatures the core expects of them.
#include <cstdint>

namespace {
float stored = 0.25f;
bool lastTheme = false;
} // namespace

extern "C" {

std::int32_t DisplayServicesGetBrightness(std::uint32_t display, float* value) {
    if (display != 7) return -1;
    *value = stored;
    return 0;
}

std::int32_t DisplayServicesSetBrightness(std::uint32_t display, float value) {
    if (display != 7) return -1;
    stored = value;
    return 0;
}

void SLSSetAppearanceThemeLegacy(bool dark) { lastTheme = dark; }

bool brillexTestLastTheme() { return lastTheme; }
}
