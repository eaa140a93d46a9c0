#include "platform/sim/SimGamma.h"

#include <algorithm>

namespace brillex::sim {

SimGamma::Table SimGamma::identity() {
    Table table{};
    for (std::size_t i = 0; i < size; ++i) {
        const float value = static_cast<float>(i) / 255.0f;
        table.red[i] = table.green[i] = table.blue[i] = value;
    }
    return table;
}

SimGamma::Table& SimGamma::table(DisplayId display) {
    return tables_.try_emplace(display, identity()).first->second;
}

int SimGamma::getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green, float* blue,
                               std::uint32_t& sampleCount) {
    if (!screens_.isAttached(display) || readFails_.count(display) != 0) return failure;
    if (!whyUnprotected_.empty()) return kUnprotected;
    const auto& current = table(display);
    const std::size_t n = std::min<std::size_t>(capacity, size);
    std::copy_n(current.red.begin(), n, red);
    std::copy_n(current.green.begin(), n, green);
    std::copy_n(current.blue.begin(), n, blue);
    sampleCount = static_cast<std::uint32_t>(size);
    return 0;
}

int SimGamma::setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                               const float* blue) {
    if (!screens_.isAttached(display) || writeFails_.count(display) != 0) return failure;
    if (count != size) return failure;
    auto& current = table(display);
    std::copy_n(red, size, current.red.begin());
    std::copy_n(green, size, current.green.begin());
    std::copy_n(blue, size, current.blue.begin());
    ++writes_[display];
    return 0;
}

void SimGamma::setReadFails(DisplayId display, bool fails) {
    if (fails) {
        readFails_.insert(display);
    } else {
        readFails_.erase(display);
    }
}

void SimGamma::setWriteFails(DisplayId display, bool fails) {
    if (fails) {
        writeFails_.insert(display);
    } else {
        writeFails_.erase(display);
    }
}

void SimGamma::fill(DisplayId display, float value) {
    auto& current = table(display);
    current.red.fill(value);
    current.green.fill(value);
    current.blue.fill(value);
}

int SimGamma::writes(DisplayId display) const {
    const auto it = writes_.find(display);
    return it == writes_.end() ? 0 : it->second;
}

} // namespace brillex::sim
