#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/x11/CrtcRamp.h"

namespace brillex::x11 {

// A CRTC's native ramp as kept on disk while a boost has changed it: enough
// to put it back without the program that wrote it.
struct SavedRamp {
    std::string displayName;  // the X display, as DISPLAY names it
    CrtcId crtc = 0;
    int owner = 0;     // the process whose boost changed the CRTC
    int guardian = 0;  // the process that restores it if the owner dies; 0 for none
    CrtcRamp ramp;
    // Checksums (rampChecksum) of the ramps the owner last wrote, newest
    // last: the one the CRTC shows and the one on its way. Empty before the
    // first write, and in files of the first version, which did not record it.
    std::vector<std::uint32_t> shown;
    // What puts the ramp back: the display server's kind (RampWriters).
    std::string writer = "x11";

    bool operator==(const SavedRamp&) const = default;
};

// Larger files are not read: three channels of the largest ramp RandR allows.
inline constexpr std::size_t kMaxSavedRampBytes = 1536 * 1024;

// A CRC-32 of the ramp's entries, as `shown` records them.
std::uint32_t rampChecksum(const CrtcRamp& ramp);

// The file's text: one "key value" line per field, one line of decimal
// entries per channel, and a CRC-32 of everything before the last line.
std::string encodeSavedRamp(const SavedRamp& saved);

// The CRC-32 that the file's last line gives for the bytes before it.
std::uint32_t savedRampChecksum(std::string_view body);

// Reads a file's bytes (this version's, or the first's); none when they are
// not exactly what `encodeSavedRamp` writes (wrong checksum, missing or extra fields, values out of range), and
// `error` then says what is wrong.
std::optional<SavedRamp> parseSavedRamp(std::string_view bytes, std::string* error = nullptr);

} // namespace brillex::x11
