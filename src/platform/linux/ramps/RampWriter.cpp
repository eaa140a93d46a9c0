#include "platform/linux/ramps/RampWriter.h"

namespace brillex::x11 {

const char* describe(RampWriter::Result result) {
    switch (result) {
    case RampWriter::Result::written: return "written";
    case RampWriter::Result::unreachable: return "the display cannot be opened";
    case RampWriter::Result::noSuchCrtc: return "the CRTC is gone";
    case RampWriter::Result::otherSize: return "the CRTC's ramp has another size now";
    case RampWriter::Result::refused: return "the CRTC no longer takes it";
    }
    return "unknown";
}

} // namespace brillex::x11
