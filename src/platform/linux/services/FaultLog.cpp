#include "platform/linux/services/FaultLog.h"

#include "base/Log.h"

namespace brillex::x11 {

void FaultLog::once(const std::string& line) {
    if (written_.insert(line).second) logLine(line);
}

} // namespace brillex::x11
