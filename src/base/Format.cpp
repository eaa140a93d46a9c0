#include "base/Format.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace brillex {
namespace {

template <class T>
std::string shortest(T value, T exactIntegerLimit) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const T magnitude = std::fabs(value);
    const bool fixed = magnitude == T(0) || (magnitude >= T(1e-4) && magnitude < exactIntegerLimit);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      fixed ? std::chars_format::fixed : std::chars_format::scientific);
    std::string text(buffer, result.ptr);
    if (fixed && text.find('.') == std::string::npos) text += ".0";
    return text;
}

} // namespace

std::string formatNumber(double value) {
    return shortest(value, 9007199254740992.0); // 2^53
}

std::string formatNumber(float value) {
    return shortest(value, 16777216.0f); // 2^24
}

std::string formatBool(bool value) {
    return value ? "true" : "false";
}

} // namespace brillex
