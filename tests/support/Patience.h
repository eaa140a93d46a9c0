#pragma once

#include <chrono>
#include <thread>

namespace brillex::test {

// How long a test waits for something that must happen: far beyond what it
// takes on a machine busy with parallel builds, so that load changes how long
// a test runs, never its answer. Only a test that fails waits this long.
inline constexpr std::chrono::seconds kPatience{60};

// Polls `done` until it holds or `limit` has passed; whether it holds.
template <class Condition>
bool eventually(Condition done, std::chrono::milliseconds limit = kPatience,
                std::chrono::milliseconds interval = std::chrono::milliseconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(interval);
    }
    return true;
}

} // namespace brillex::test
