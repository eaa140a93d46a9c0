#pragma once

#include "boost/TransferTables.h"

namespace brillex::macos {

// Quartz display transfer tables; the CGError of each call is the status.
class MacTransferTables : public TransferTables {
public:
    int getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green, float* blue,
                         std::uint32_t& sampleCount) override;
    int setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                         const float* blue) override;
};

} // namespace brillex::macos
