#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace brillex {

// An object of the platform's dynamic object runtime. A null reference is
// nil: it responds to no selector, and a message sent to it answers zero
// (false, 0.0, nil).
class RuntimeObject {
public:
    virtual ~RuntimeObject() = default;
};
using ObjectRef = std::shared_ptr<RuntimeObject>;

// One argument of a message, of the C type that the method declares. The
// implementation pointer is called with exactly these types, so passing a
// type the method does not take is a fault of the caller.
using MessageArgument = std::variant<bool, std::int32_t, std::uint64_t, float>;
using MessageArguments = std::vector<MessageArgument>;

// Private platform classes looked up by name at run time. Every selector is
// tested with respondsTo() before it is called: calling one that an object
// does not implement is a fault of the caller, not a recoverable error.
class ObjectRuntime {
public:
    virtual ~ObjectRuntime() = default;

    // True when a class of that name exists and is an object class.
    virtual bool hasClass(std::string_view className) const = 0;
    // Allocates an instance of the class and sends it `init`; nil when the
    // class is missing or `init` declines.
    virtual ObjectRef create(std::string_view className) = 0;
    virtual bool respondsTo(const ObjectRef& object, std::string_view selector) const = 0;

    // Calls the method's implementation with the result type the caller
    // names: none, a Boolean, a 32-bit float, or an array of numbers (their
    // unsigned 64-bit values; nothing when the answer is nil or not an array
    // of numbers).
    virtual void call(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) = 0;
    virtual bool callBool(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) = 0;
    virtual float callFloat(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) = 0;
    virtual std::optional<std::vector<std::uint64_t>> callNumberArray(const ObjectRef& object,
                                                                      std::string_view selector,
                                                                      const MessageArguments& arguments) = 0;
};

} // namespace brillex
