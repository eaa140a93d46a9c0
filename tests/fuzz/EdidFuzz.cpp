// Any bytes as an EDID: a reading or a reason, never a read outside the bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "edid/EdidFields.h"
#include "edid/EdidReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that the sanitizer sees any overrun.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const brillex::EdidReading reading = brillex::readEdid(bytes);
    if (reading.info.has_value() == !reading.error.empty()) std::abort();
    if (reading.info && reading.info->minLuminance && !reading.info->maxLuminance) std::abort();
    (void)brillex::edidFields(reading);
    return 0;
}
