#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/SimComputer.h"

namespace brillex {
class BrightnessManager;
}

namespace brillex::sim {

// A broken invariant: `kind` names which one (a shrunk sequence must break
// the same one), `detail` says how.
struct Violation {
    std::string kind;
    std::string detail;
};

// What must hold on the simulated computer after every step of a sequence.
class InvariantChecker {
public:
    explicit InvariantChecker(SimComputer& sim) : sim_(sim) {}

    // Call before a line runs: the tables of the attached displays are taken
    // as the ones before launch when the line launches the program.
    void beforeStep(const std::string& line);
    // `output`: what the step printed, log lines and answers.
    std::optional<Violation> afterStep(const std::string& line, const std::vector<std::string>& output);

private:
    std::optional<Violation> checkStates(BrightnessManager& manager);
    std::optional<Violation> checkOverlays(BrightnessManager& manager);
    std::optional<Violation> checkTablesRestored(const BrightnessManager& manager, bool lastChance);
    void recordNewDisplays();

    SimComputer& sim_;
    bool launched_ = false;
    // Each display's table before the program could touch it.
    std::map<DisplayId, SimGamma::Table> original_;
};

} // namespace brillex::sim
