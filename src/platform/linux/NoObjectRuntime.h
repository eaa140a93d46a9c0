#pragma once

#include "controls/ObjectRuntime.h"

namespace brillex::x11 {

// No dynamic object runtime: no class exists, so nothing is ever called.
class NoObjectRuntime : public ObjectRuntime {
public:
    bool hasClass(std::string_view) const override { return false; }
    ObjectRef create(std::string_view) override { return nullptr; }
    bool respondsTo(const ObjectRef&, std::string_view) const override { return false; }
    // Messages to nil answer zero.
    void call(const ObjectRef&, std::string_view, const MessageArguments&) override {}
    bool callBool(const ObjectRef&, std::string_view, const MessageArguments&) override { return false; }
    float callFloat(const ObjectRef&, std::string_view, const MessageArguments&) override { return 0.0f; }
    std::optional<std::vector<std::uint64_t>> callNumberArray(const ObjectRef&, std::string_view,
                                                              const MessageArguments&) override {
        return std::nullopt;
    }
};

} // namespace brillex::x11
