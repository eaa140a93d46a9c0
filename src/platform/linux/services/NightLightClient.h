#pragma once

#include <memory>

#include "platform/common/RegisteredClass.h"
#include "platform/linux/services/GSettingsKey.h"

namespace brillex::x11 {

// GNOME's night light (org.gnome.settings-daemon.plugins.color
// night-light-enabled) served as the blue-light client class: "isEnabled"
// and "setEnabled:". Without the schema the class does not exist.
class NightLightClient : public platform::RegisteredClass {
public:
    static constexpr const char* className = "CBBlueLightClient";

    // `schemas`: where the schema is looked up; null for the default source.
    explicit NightLightClient(GSettingsSchemaSource* schemas = nullptr);

    bool respondsTo(std::string_view selector) const override;
    platform::MethodAnswer receive(std::string_view selector, const MessageArguments& arguments) override;

private:
    std::unique_ptr<GSettingsKey> enabled_;
};

} // namespace brillex::x11
