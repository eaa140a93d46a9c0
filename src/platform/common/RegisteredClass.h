#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "controls/ObjectRuntime.h"

namespace brillex::platform {

// What a registered method answers: nothing, a Boolean, a 32-bit float, or an
// object: an array of numbers, or none for nil or any other object.
using MethodAnswer = std::variant<std::monostate, bool, float, std::optional<std::vector<std::uint64_t>>>;

// A class served by a ClassRegistry. Its instances share the state (simulated
// or real hardware) behind it, so every instance sees the same state.
class RegisteredClass {
public:
    virtual ~RegisteredClass() = default;

    bool exists = true;          // found by name at all
    bool isObjectClass = true;   // false: found, but not a class of objects
    bool initReturnsNil = false;

    virtual bool respondsTo(std::string_view selector) const = 0;
    // Runs a method the class responds to; throws std::logic_error for one it
    // lacks or for arguments of other types than the method declares, both of
    // which would be undefined behaviour in a native object runtime.
    virtual MethodAnswer receive(std::string_view selector, const MessageArguments& arguments) = 0;

    [[noreturn]] static void unrecognized(std::string_view selector) {
        throw std::logic_error("unrecognized selector " + std::string(selector));
    }

protected:
    // The arguments as the method's declared types.
    template <class... T>
    static std::tuple<T...> unpack(std::string_view selector, const MessageArguments& arguments) {
        if (arguments.size() != sizeof...(T)) mismatch(selector);
        return unpackAt<T...>(selector, arguments, std::index_sequence_for<T...>{});
    }
    [[noreturn]] static void mismatch(std::string_view selector) {
        throw std::logic_error("message " + std::string(selector) + " sent with the wrong signature");
    }

private:
    template <class... T, std::size_t... I>
    static std::tuple<T...> unpackAt(std::string_view selector, const MessageArguments& arguments,
                                     std::index_sequence<I...>) {
        if (!(std::holds_alternative<T>(arguments[I]) && ...)) mismatch(selector);
        return {std::get<T>(arguments[I])...};
    }
};

} // namespace brillex::platform
