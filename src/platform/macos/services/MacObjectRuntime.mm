#include "platform/macos/services/MacObjectRuntime.h"

#import <Foundation/Foundation.h>
#include <objc/message.h>
#include <objc/runtime.h>

#include <string>
#include <type_traits>
#include <variant>

#include "base/Log.h"
#include "platform/macos/services/MessageSignatures.h"
#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

namespace {

// An instance, held strongly for as long as the core keeps it.
struct Instance : RuntimeObject {
    explicit Instance(id object) : object(object) {}
    __strong id object;
};

id objectOf(const ObjectRef& ref) {
    const auto* instance = dynamic_cast<const Instance*>(ref.get());
    return instance ? instance->object : nil;
}

// The C type a method declares for each of the core's value types.
template <class T>
struct CType {
    using type = T;
};
template <>
struct CType<bool> {
    using type = BOOL;
};
template <class T>
using CTypeOf = typename CType<T>::type;

// Whether the method hands its result over retained: its selector is of the
// alloc, copy, mutableCopy or new family, that is its first word, after any
// leading underscores, is the family's name and is not followed by a
// lowercase letter (ARC's rule: "copyIDs" is a copy, "copyright" is not).
constexpr bool returnsRetained(std::string_view selector) {
    while (!selector.empty() && selector.front() == '_') selector.remove_prefix(1);
    for (std::string_view family : {"alloc", "copy", "mutableCopy", "new"}) {
        if (!selector.starts_with(family)) continue;
        const std::string_view rest = selector.substr(family.size());
        if (rest.empty() || rest.front() < 'a' || rest.front() > 'z') return true;
    }
    return false;
}
static_assert(returnsRetained("copyKeyboardBacklightIDs") && returnsRetained("new") && returnsRetained("_copyItems:"));
static_assert(!returnsRetained("copying") && !returnsRetained("newestItems") && !returnsRetained("keyboardCopy"));

// Sends the message with the result type R (void, BOOL, float, or an object
// passed as a pointer so that its ownership is taken here). Nil answers zero,
// as the runtime does; an argument list outside the table is a fault of the
// caller, logged and answered with zero rather than sent as a guess.
template <class R>
std::conditional_t<std::is_void_v<R>, std::monostate, R> send(const ObjectRef& ref, std::string_view selector,
                                                               const MessageArguments& arguments) {
    std::conditional_t<std::is_void_v<R>, std::monostate, R> result{};
    id receiver = objectOf(ref);
    if (!receiver) return result;
    SEL name = NSSelectorFromString(stringOf(selector));
    const bool sent = dispatchMessage(arguments, [&]<class... A>(A... values) {
        using Function = R (*)(id, SEL, CTypeOf<A>...);
        const auto function = reinterpret_cast<Function>(objc_msgSend);
        if constexpr (std::is_void_v<R>) function(receiver, name, static_cast<CTypeOf<A>>(values)...);
        else result = function(receiver, name, static_cast<CTypeOf<A>>(values)...);
    });
    if (!sent) logLine("ObjectRuntime: " + std::string(selector) + " is not sent with this argument list");
    return result;
}

} // namespace

bool MacObjectRuntime::hasClass(std::string_view className) const {
    Class found = NSClassFromString(stringOf(className));
    // A class of objects is one that instances can be allocated of.
    return found && class_getClassMethod(found, @selector(alloc)) != nullptr;
}

ObjectRef MacObjectRuntime::create(std::string_view className) {
    if (!hasClass(className)) return nullptr;
    id object = [[NSClassFromString(stringOf(className)) alloc] init];
    return object ? std::make_shared<Instance>(object) : nullptr;
}

bool MacObjectRuntime::respondsTo(const ObjectRef& object, std::string_view selector) const {
    id receiver = objectOf(object);
    return receiver && [receiver respondsToSelector:NSSelectorFromString(stringOf(selector))];
}

void MacObjectRuntime::call(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    send<void>(object, selector, arguments);
}

bool MacObjectRuntime::callBool(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    return send<BOOL>(object, selector, arguments) != NO;
}

float MacObjectRuntime::callFloat(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    return send<float>(object, selector, arguments);
}

std::optional<std::vector<std::uint64_t>> MacObjectRuntime::callNumberArray(const ObjectRef& object,
                                                                           std::string_view selector,
                                                                           const MessageArguments& arguments) {
    const void* answer = send<const void*>(object, selector, arguments);
    id array = returnsRetained(selector) ? CFBridgingRelease(answer) : (__bridge id)answer;
    if (![array isKindOfClass:NSArray.class]) return std::nullopt;
    std::vector<std::uint64_t> numbers;
    for (id element in (NSArray*)array) {
        if (![element isKindOfClass:NSNumber.class]) return std::nullopt;
        numbers.push_back([(NSNumber*)element unsignedLongLongValue]);
    }
    return numbers;
}

} // namespace brillex::macos
