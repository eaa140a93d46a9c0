#pragma once

#include <string>

namespace brillex {

// Numbers as log lines and query answers print them: the shortest decimal
// that reads back as the same value of that type, keeping ".0" on integral
// values ("16.0", "2.1"); very small or very large magnitudes in exponent form
// ("1e-05", "1e+16").
std::string formatNumber(double value);
std::string formatNumber(float value);
std::string formatBool(bool value);

} // namespace brillex
