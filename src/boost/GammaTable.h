#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "boost/ScreenServices.h"
#include "boost/TransferTables.h"

namespace brillex {

// A display's saved transfer table; entry i of a channel is the output for input i/255.
struct GammaTable {
    static constexpr std::size_t size = 256;

    std::vector<float> red;
    std::vector<float> green;
    std::vector<float> blue;
};

// Reads the display's current table; none (and a log line) when the system
// refuses. None without a line when the platform cannot keep the table safe
// (TransferTables::kUnprotected); `unprotected`, when given, then says so.
std::optional<GammaTable> captureGammaTable(DisplayId display, TransferTables& tables, bool* unprotected = nullptr);

// One saved entry brightened by `factor` in linear light (sRGB decode, scale,
// encode); not clamped, so results may exceed 1.0.
float boostedGammaValue(float saved, float factor);

// The saved channels scaled by `factor`; none when a channel holds fewer than
// 256 entries.
std::optional<GammaTable> boostedGammaTable(std::span<const float> red, std::span<const float> green,
                                            std::span<const float> blue, float factor);

// Writes the saved table scaled by `factor`. Always scales the saved table,
// never the one installed, so repeated calls do not compound. A table with
// fewer than 256 entries per channel is rejected without writing anything.
void applyGammaBoost(DisplayId display, std::span<const float> red, std::span<const float> green,
                     std::span<const float> blue, float factor, TransferTables& tables);

// Writes the saved table back unchanged. Logs the restore either way; true
// when the system took the table.
bool restoreGammaTable(DisplayId display, std::span<const float> red, std::span<const float> green,
                       std::span<const float> blue, TransferTables& tables);

// Installs a complete table as it is, without a log line; true when the system took it.
bool writeGammaTable(DisplayId display, const GammaTable& table, TransferTables& tables);

} // namespace brillex
