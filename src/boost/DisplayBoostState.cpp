#include "boost/DisplayBoostState.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "base/Format.h"
#include "base/Log.h"

namespace brillex {
namespace {

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Truncation toward zero; arguments are bounded by the level range.
int integerPart(double value) {
    return static_cast<int>(value);
}

} // namespace

DisplayBoostState::DisplayBoostState(DisplayInfo info, ScreenServices& screens, TransferTables& tables,
                                     ExtendedRangeOutput& output, MainLoop& loop, UnrestoredTables& unrestored)
    : id(info.id),
      displayInfo(std::move(info)),
      maxNitsAvailable(*this, 0),
      screens_(screens),
      tables_(tables),
      output_(output),
      loop_(loop),
      unrestored_(unrestored) {
    maxNitsAvailable.set(integerPart(maxBoostMultiplier() * baseNits));
}

DisplayBoostState::~DisplayBoostState() = default;

double DisplayBoostState::maxBoostMultiplier() const {
    if (displayInfo.isBuiltIn) return 3.2;
    const auto name = lowercased(displayInfo.name);
    if (contains(name, "pro display xdr")) return 3.2;
    if (contains(name, "ultrafine")) return 1.6;
    return 1.0;
}

bool DisplayBoostState::isXDRCapable() const {
    if (displayInfo.isBuiltIn) return true;
    const auto name = lowercased(displayInfo.name);
    return contains(name, "pro display xdr") || contains(name, "ultrafine");
}

double DisplayBoostState::edr() const {
    return (maxBoostMultiplier() - 1.0) * boostLevel.get() + 1.0;
}

void DisplayBoostState::setBoostEnabled(bool enabled) {
    const bool previous = isBoostEnabled.get();
    isBoostEnabled.set(enabled);
    if (enabled == previous) return;
    if (enabled) {
        enableBoost();
    } else {
        disableBoost();
    }
}

void DisplayBoostState::setBoostLevel(double level) {
    // A level outside 0..1 would drive the display past its multiplier (and
    // the derived integers out of range); NaN means no boost.
    const double safe = std::isnan(level) ? 0.0 : std::clamp(level, 0.0, 1.0);
    if (safe != level) {
        logLine("Boost level out of range: display=" + std::to_string(id) + ", level=" + formatNumber(level) +
                ", using " + formatNumber(safe));
    }
    boostLevel.set(safe);
    applyBoost();
}

void DisplayBoostState::applyBoost() {
    if (!isBoostEnabled.get() || !overlayView) return;
    const double value = edr();
    overlayView->edrValue = value;
    overlayView->setClearColor(ClearColor{value, value, value, 0.01});
    if (originalGammaTable) {
        applyGammaBoost(id, originalGammaTable->red, originalGammaTable->green, originalGammaTable->blue,
                        static_cast<float>(value), tables_);
    }
    const double percentScale = displayInfo.isBuiltIn ? 200.0 : 100.0;
    boostPercent.set(integerPart(boostLevel.get() * percentScale));
    currentNits.set(integerPart(value * baseNits));
}

void DisplayBoostState::increaseBoost() {
    if (!isBoostEnabled.get()) return;
    double level = boostLevel.get() + boostStep;
    if (level > 1.0) level = 1.0;
    setBoostLevel(level);
}

void DisplayBoostState::decreaseBoost() {
    if (!isBoostEnabled.get()) return;
    double level = boostLevel.get() - boostStep;
    if (!(level > 0.0)) level = 0.0;
    setBoostLevel(level);
}

void DisplayBoostState::enableBoost() {
    refusal.clear();
    const auto screen = screens_.screenForDisplay(id);
    if (!screen) return;

    // The display still shows the boost whose write-back it refused: its own
    // table is the one kept then, not what a capture would read now.
    if (auto kept = unrestored_.take(id)) {
        originalGammaTable = std::move(*kept);
        logLine("Gamma table kept from the last boost: " + std::to_string(id));
    } else {
        bool unprotected = false;
        if (auto table = captureGammaTable(id, tables_, &unprotected)) {
            originalGammaTable = std::move(*table);
            logLine("Gamma table saved: " + std::to_string(id));
        } else if (unprotected) {
            refuseBoost(tables_.whyUnprotected());
            return;
        }
    }

    auto window = std::make_unique<OverlayWindow>(*screen, output_);
    auto view = EDROverlay::create(*screen, output_, loop_);
    if (!view) return; // the window is dropped unshown; a saved table is restored at switch-off

    window->setContentView(*view);
    window->orderFrontRegardless();
    overlayWindow = std::move(window);
    overlayView = std::move(view);

    applyBoost();
    logLine("XDR Boost Active for display: " + std::to_string(id));
}

void DisplayBoostState::refuseBoost(std::string why) {
    if (why.empty()) why = "its table cannot be kept safe";
    logLine("Boost refused for display " + std::to_string(id) + ": " + why);
    refusal = std::move(why);
    isBoostEnabled.set(false);
}

void DisplayBoostState::disableBoost() {
    if (overlayWindow) {
        overlayWindow->close();
        overlayWindow.reset();
    }
    overlayView.reset();
    if (originalGammaTable &&
        !restoreGammaTable(id, originalGammaTable->red, originalGammaTable->green, originalGammaTable->blue, tables_)) {
        logLine("Gamma restore refused: display=" + std::to_string(id) + ", kept to write back later");
        unrestored_.keep(id, std::move(*originalGammaTable));
    }
    originalGammaTable.reset();
    boostPercent.set(0);
    currentNits.set(static_cast<int>(baseNits));
    logLine("XDR Boost Disabled for display: " + std::to_string(id));
}

} // namespace brillex
