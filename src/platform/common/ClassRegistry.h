#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/ObjectRuntime.h"
#include "platform/common/RegisteredClass.h"

namespace brillex::platform {

// An object runtime of classes registered by name, each served by a
// RegisteredClass the registry does not own.
class ClassRegistry : public ObjectRuntime {
public:
    ClassRegistry(std::initializer_list<std::pair<const std::string, RegisteredClass*>> classes) : classes_(classes) {}

    bool hasClass(std::string_view className) const override;
    ObjectRef create(std::string_view className) override;
    bool respondsTo(const ObjectRef& object, std::string_view selector) const override;

    void call(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) override;
    bool callBool(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) override;
    float callFloat(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) override;
    std::optional<std::vector<std::uint64_t>> callNumberArray(const ObjectRef& object, std::string_view selector,
                                                              const MessageArguments& arguments) override;

private:
    RegisteredClass* findClass(std::string_view className) const;
    // The answer of the object's class, checked to be of the type the caller
    // expects; nil answers zero.
    template <class Result>
    Result send(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments);

    std::map<std::string, RegisteredClass*, std::less<>> classes_;
};

} // namespace brillex::platform
