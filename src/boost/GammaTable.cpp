#include "boost/GammaTable.h"

#include <cmath>
#include <string>

#include "base/Format.h"
#include "base/Log.h"

namespace brillex {
namespace {

constexpr auto tableSize = static_cast<std::uint32_t>(GammaTable::size);

bool isComplete(std::span<const float> red, std::span<const float> green, std::span<const float> blue) {
    return red.size() >= GammaTable::size && green.size() >= GammaTable::size && blue.size() >= GammaTable::size;
}

void logShortTable(const char* what, DisplayId display) {
    logLine(std::string(what) + ": display=" + std::to_string(display) + ", fewer than 256 entries per channel");
}

} // namespace

std::optional<GammaTable> captureGammaTable(DisplayId display, TransferTables& tables, bool* unprotected) {
    GammaTable table{std::vector<float>(GammaTable::size, 0.0f), std::vector<float>(GammaTable::size, 0.0f),
                     std::vector<float>(GammaTable::size, 0.0f)};
    std::uint32_t samples = 0;
    const int status =
        tables.getTransferTable(display, tableSize, table.red.data(), table.green.data(), table.blue.data(), samples);
    if (unprotected) *unprotected = status == TransferTables::kUnprotected;
    if (status == TransferTables::kUnprotected) return std::nullopt;
    if (status != 0) {
        logLine("Failed to get gamma table");
        return std::nullopt;
    }
    return table;
}

float boostedGammaValue(float saved, float factor) {
    if (!(saved > 0.0f)) return 0.0f;
    float linear = saved <= 0.04045f ? saved / 12.92f : std::pow((saved + 0.055f) / 1.055f, 2.4f);
    linear *= factor;
    return linear <= 0.0031308f ? linear * 12.92f : std::pow(linear, 0.41666666f) * 1.055f - 0.055f;
}

std::optional<GammaTable> boostedGammaTable(std::span<const float> red, std::span<const float> green,
                                            std::span<const float> blue, float factor) {
    if (!isComplete(red, green, blue)) return std::nullopt;
    GammaTable out{std::vector<float>(GammaTable::size, 0.0f), std::vector<float>(GammaTable::size, 0.0f),
                   std::vector<float>(GammaTable::size, 0.0f)};
    for (std::size_t i = 0; i < GammaTable::size; ++i) {
        out.red[i] = boostedGammaValue(red[i], factor);
        out.green[i] = boostedGammaValue(green[i], factor);
        out.blue[i] = boostedGammaValue(blue[i], factor);
    }
    return out;
}

void applyGammaBoost(DisplayId display, std::span<const float> red, std::span<const float> green,
                     std::span<const float> blue, float factor, TransferTables& tables) {
    const auto boosted = boostedGammaTable(red, green, blue, factor);
    if (!boosted) {
        logShortTable("Gamma boost rejected", display);
        return;
    }
    if (tables.setTransferTable(display, tableSize, boosted->red.data(), boosted->green.data(), boosted->blue.data()) == 0) {
        logLine("Gamma applied: display=" + std::to_string(display) + ", boost=" + formatNumber(factor));
    }
}

bool restoreGammaTable(DisplayId display, std::span<const float> red, std::span<const float> green,
                       std::span<const float> blue, TransferTables& tables) {
    if (!isComplete(red, green, blue)) {
        logShortTable("Gamma restore rejected", display);
        return false;
    }
    const bool taken = tables.setTransferTable(display, tableSize, red.data(), green.data(), blue.data()) == 0;
    logLine("Gamma restored: display=" + std::to_string(display));
    return taken;
}

bool writeGammaTable(DisplayId display, const GammaTable& table, TransferTables& tables) {
    if (!isComplete(table.red, table.green, table.blue)) return false;
    return tables.setTransferTable(display, tableSize, table.red.data(), table.green.data(), table.blue.data()) == 0;
}

} // namespace brillex
