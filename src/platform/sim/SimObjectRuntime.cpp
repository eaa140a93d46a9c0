#include "platform/sim/SimObjectRuntime.h"

#include <memory>

namespace brillex::sim {
namespace {

class SimInstance : public RuntimeObject {
public:
    explicit SimInstance(SimClass& cls) : cls(cls) {}
    SimClass& cls;
};

SimClass& classOf(const ObjectRef& object) {
    return static_cast<const SimInstance&>(*object).cls;
}

} // namespace

SimClass* SimObjectRuntime::findClass(std::string_view className) const {
    const auto found = classes_.find(className);
    if (found == classes_.end() || !found->second->exists || !found->second->isObjectClass) return nullptr;
    return found->second;
}

bool SimObjectRuntime::hasClass(std::string_view className) const {
    return findClass(className) != nullptr;
}

ObjectRef SimObjectRuntime::create(std::string_view className) {
    SimClass* cls = findClass(className);
    if (!cls || cls->initReturnsNil) return nullptr;
    return std::make_shared<SimInstance>(*cls);
}

bool SimObjectRuntime::respondsTo(const ObjectRef& object, std::string_view selector) const {
    return object && classOf(object).respondsTo(selector);
}

template <class Result>
Result SimObjectRuntime::send(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    if (!object) return Result();
    SimClass& cls = classOf(object);
    if (!cls.respondsTo(selector)) SimClass::unrecognized(selector);
    SimAnswer answer = cls.receive(selector, arguments);
    if constexpr (std::is_void_v<Result>) {
        return;
    } else {
        if (!std::holds_alternative<Result>(answer)) {
            throw std::logic_error("result of " + std::string(selector) + " read as the wrong type");
        }
        return std::get<Result>(answer);
    }
}

void SimObjectRuntime::call(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    send<void>(object, selector, arguments);
}

bool SimObjectRuntime::callBool(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) {
    return send<bool>(object, selector, arguments);
}

float SimObjectRuntime::callFloat(const ObjectRef& object, std::string_view selector,
                                  const MessageArguments& arguments) {
    return send<float>(object, selector, arguments);
}

std::optional<std::vector<std::uint64_t>> SimObjectRuntime::callNumberArray(const ObjectRef& object,
                                                                           std::string_view selector,
                                                                           const MessageArguments& arguments) {
    return send<std::optional<std::vector<std::uint64_t>>>(object, selector, arguments);
}

} // namespace brillex::sim
