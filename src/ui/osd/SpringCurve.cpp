#include "ui/osd/SpringCurve.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace brillex {

double springPosition(double seconds, double response, double dampingFraction) {
    if (!(seconds > 0.0)) return 0.0;
    if (!(response > 0.0)) return 1.0;
    const double omega = 2.0 * std::numbers::pi / response;
    const double zeta = std::max(dampingFraction, 0.0);
    const double decay = std::exp(-zeta * omega * seconds);
    if (zeta < 1.0) {
        const double damped = omega * std::sqrt(1.0 - zeta * zeta);
        return 1.0 - decay * (std::cos(damped * seconds) + zeta * omega / damped * std::sin(damped * seconds));
    }
    // Critically damped or slower: no overshoot. Over-damping is treated as
    // critical, which settles the same way, only sooner.
    return 1.0 - decay * (1.0 + omega * seconds);
}

double springSettlingTime(double response, double dampingFraction, double tolerance) {
    if (!(response > 0.0) || !(tolerance > 0.0)) return 0.0;
    const double omega = 2.0 * std::numbers::pi / response;
    const double zeta = std::max(dampingFraction, 0.05);
    if (zeta < 1.0) {
        // |1 - x(t)| <= e^(-zeta omega t) / sqrt(1 - zeta^2)
        const double bound = 1.0 / std::sqrt(1.0 - zeta * zeta);
        return std::max(0.0, std::log(bound / tolerance) / (zeta * omega));
    }
    // (1 + u) e^(-u) <= 2 e^(-1/2) e^(-u/2) for every u >= 0
    return std::max(0.0, 2.0 * std::log(2.0 * std::exp(-0.5) / tolerance) / omega);
}

} // namespace brillex
