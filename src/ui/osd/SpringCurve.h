#pragma once

namespace brillex {

// A damped spring released from 0 towards 1, as the entrance animations use
// it: `response` is the period of the undamped oscillation in seconds,
// `dampingFraction` the ratio to critical damping (below 1 it overshoots).
// Returns the position `seconds` after release; 0 before it.
double springPosition(double seconds, double response, double dampingFraction);

// How long the spring takes until it stays within `tolerance` of 1.
double springSettlingTime(double response, double dampingFraction, double tolerance = 0.001);

} // namespace brillex
