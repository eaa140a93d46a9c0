#pragma once

#include <cstdint>
#include <tuple>
#include <utility>
#include <variant>

#include "controls/ObjectRuntime.h"

namespace brillex::macos {

// The argument lists the core sends messages with, as C types. A message is
// sent through the runtime's dispatch function cast to exactly one of these
// (with the result type the caller names), never to a type guessed from the
// values.
template <class... Arguments>
struct ArgumentList {};

using MessageSignatures = std::tuple<ArgumentList<>,                                          // isEnabled, copyKeyboardBacklightIDs
                                     ArgumentList<bool>,                                      // setEnabled:
                                     ArgumentList<std::uint64_t>,                             // brightnessForKeyboard:
                                     ArgumentList<float, std::uint64_t>,                      // setBrightness:forKeyboard:
                                     ArgumentList<float, std::int32_t, bool, std::uint64_t>>; // ...fadeSpeed:commit:forKeyboard:

// Calls `send.template operator()<Arguments...>(values...)` for the entry of
// the table whose types `arguments` holds, in order; false when no entry has
// that list, and then nothing is sent.
template <class Send>
bool dispatchMessage(const MessageArguments& arguments, Send&& send) {
    const auto matches = [&]<class... Arguments>(ArgumentList<Arguments...>) {
        return sizeof...(Arguments) == arguments.size() && [&]<std::size_t... I>(std::index_sequence<I...>) {
            return (std::holds_alternative<Arguments>(arguments[I]) && ...);
        }(std::index_sequence_for<Arguments...>{});
    };
    const auto sendAs = [&]<class... Arguments>(ArgumentList<Arguments...>) {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            send.template operator()<Arguments...>(std::get<Arguments>(arguments[I])...);
        }(std::index_sequence_for<Arguments...>{});
    };
    return std::apply(
        [&](auto... lists) {
            return ((matches(lists) ? (sendAs(lists), true) : false) || ...);
        },
        MessageSignatures{});
}

} // namespace brillex::macos
