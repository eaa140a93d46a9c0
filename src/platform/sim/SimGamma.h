#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "boost/TransferTables.h"
#include "platform/sim/SimScreens.h"

namespace brillex::sim {

// Per-display transfer tables of the simulated computer, identity at first
// (entry i = i/255). A display without an attached screen takes no reads or
// writes; failures can be switched on per display.
class SimGamma : public TransferTables {
public:
    static constexpr std::size_t size = 256;
    static constexpr int failure = 1000; // the platform's generic failure status

    struct Table {
        std::array<float, size> red;
        std::array<float, size> green;
        std::array<float, size> blue;
    };

    explicit SimGamma(const SimScreens& screens) : screens_(screens) {}

    int getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green, float* blue,
                         std::uint32_t& sampleCount) override;
    int setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                         const float* blue) override;

    std::string whyUnprotected() const override { return whyUnprotected_; }

    void setReadFails(DisplayId display, bool fails);
    // With a reason, no table can be kept safe: every read answers kUnprotected.
    void setUnprotected(std::string why) { whyUnprotected_ = std::move(why); }
    void setWriteFails(DisplayId display, bool fails);
    bool writeFails(DisplayId display) const { return writeFails_.count(display) != 0; }
    // The table installed on the display now (made the identity on first use).
    Table& table(DisplayId display);
    // Every entry of every channel set to `value`.
    void fill(DisplayId display, float value);
    // Successful writes so far.
    int writes(DisplayId display) const;

    static Table identity();

private:
    const SimScreens& screens_;
    std::map<DisplayId, Table> tables_;
    std::set<DisplayId> readFails_;
    std::set<DisplayId> writeFails_;
    std::map<DisplayId, int> writes_;
    std::string whyUnprotected_;
};

} // namespace brillex::sim
