#include "platform/common/ClassRegistry.h"

#include <memory>

namespace brillex::platform {
namespace {

class Instance : public RuntimeObject {
public:
    explicit Instance(RegisteredClass& cls) : cls(cls) {}
    RegisteredClass& cls;
};

RegisteredClass& classOf(const ObjectRef& object) {
    return static_cast<const Instance&>(*object).cls;
}

} // namespace

RegisteredClass* ClassRegistry::findClass(std::string_view className) const {
    const auto found = classes_.find(className);
    if (found == classes_.end() || !found->second->exists || !found->second->isObjectClass) return nullptr;
    return found->second;
}

bool ClassRegistry::hasClass(std::string_view className) const {
    return findClass(className) != nullptr;
}

ObjectRef ClassRegistry::create(std::string_view className) {
    RegisteredClass* cls = findClass(className);
    if (!cls || cls->initReturnsNil) return nullptr;
    return std::make_shared<Instance>(*cls);
}

bool ClassRegistry::respondsTo(const ObjectRef& object, std::string_view selector) const {
    return object && classOf(object).respondsTo(selector);
}

template <class Result>
Result ClassRegistry::send(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    if (!object) return Result();
    RegisteredClass& cls = classOf(object);
    if (!cls.respondsTo(selector)) RegisteredClass::unrecognized(selector);
    MethodAnswer answer = cls.receive(selector, arguments);
    if constexpr (std::is_void_v<Result>) {
        return;
    } else {
        if (!std::holds_alternative<Result>(answer)) {
            throw std::logic_error("result of " + std::string(selector) + " read as the wrong type");
        }
        return std::get<Result>(answer);
    }
}

void ClassRegistry::call(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    send<void>(object, selector, arguments);
}

bool ClassRegistry::callBool(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    return send<bool>(object, selector, arguments);
}

float ClassRegistry::callFloat(const ObjectRef& object, std::string_view selector,
                                  const MessageArguments& arguments) {
    return send<float>(object, selector, arguments);
}

std::optional<std::vector<std::uint64_t>> ClassRegistry::callNumberArray(const ObjectRef& object,
                                                                           std::string_view selector,
                                                                           const MessageArguments& arguments) {
    return send<std::optional<std::vector<std::uint64_t>>>(object, selector, arguments);
}

} // namespace brillex::platform
