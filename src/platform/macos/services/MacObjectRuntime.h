#pragma once

#include "controls/ObjectRuntime.h"

namespace brillex::macos {

// The Objective-C runtime: classes by name, instances by alloc and init, and
// messages through objc_msgSend cast to exactly the C function type of the
// argument list (from the table of message signatures) and of the result.
class MacObjectRuntime : public ObjectRuntime {
public:
    bool hasClass(std::string_view className) const override;
    ObjectRef create(std::string_view className) override;
    bool respondsTo(const ObjectRef& object, std::string_view selector) const override;

    void call(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) override;
    bool callBool(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) override;
    float callFloat(const ObjectRef& object, std::string_view selector, const MessageArguments& arguments) override;
    std::optional<std::vector<std::uint64_t>> callNumberArray(const ObjectRef& object, std::string_view selector,
                                                              const MessageArguments& arguments) override;
};

} // namespace brillex::macos
