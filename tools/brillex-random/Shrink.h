#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brillex::sim {

// Delta debugging over the steps of a failing sequence: removes ever smaller
// runs of steps while `stillFails` holds for what is left, down to a sequence
// from which no single step can be removed.
std::vector<std::string> shrinkSteps(std::vector<std::string> steps,
                                     const std::function<bool(const std::vector<std::string>&)>& stillFails);

} // namespace brillex::sim
