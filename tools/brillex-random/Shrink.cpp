#include "Shrink.h"

#include <algorithm>

namespace brillex::sim {

std::vector<std::string> shrinkSteps(std::vector<std::string> steps,
                                     const std::function<bool(const std::vector<std::string>&)>& stillFails) {
    std::size_t parts = 2;
    while (steps.size() >= 2) {
        const std::size_t chunk = (steps.size() + parts - 1) / parts;
        bool removed = false;
        for (std::size_t start = 0; start < steps.size(); start += chunk) {
            std::vector<std::string> rest(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(start));
            rest.insert(rest.end(), steps.begin() + static_cast<std::ptrdiff_t>(std::min(start + chunk, steps.size())),
                        steps.end());
            if (stillFails(rest)) {
                steps = std::move(rest);
                parts = std::max<std::size_t>(parts - 1, 2);
                removed = true;
                break;
            }
        }
        if (removed) continue;
        if (chunk == 1) break;
        parts = std::min(parts * 2, steps.size());
    }
    return steps;
}

} // namespace brillex::sim
