#include "platform/linux/wayland/MutterDisplayConfig.h"

#include <gio/gio.h>

#include <cstring>

#include "base/Log.h"

namespace brillex::wayland {
namespace {

constexpr const char* kService = "org.gnome.Mutter.DisplayConfig";
constexpr const char* kPath = "/org/gnome/Mutter/DisplayConfig";
constexpr int kTimeoutMs = 5000;

GVariant* call(GDBusConnection* bus, const char* method, GVariant* parameters, const char* replyType,
               GError** error) {
    return g_dbus_connection_call_sync(bus, kService, kPath, kService, method, parameters,
                                       G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NO_AUTO_START, kTimeoutMs,
                                       nullptr, error);
}

std::vector<std::uint16_t> channel(GVariant* array) {
    gsize count = 0;
    const auto* data = static_cast<const std::uint16_t*>(g_variant_get_fixed_array(array, &count, sizeof(guint16)));
    return std::vector<std::uint16_t>(data, data + count);
}

GVariant* channelVariant(const std::vector<std::uint16_t>& values) {
    return g_variant_new_fixed_array(G_VARIANT_TYPE_UINT16, values.data(), values.size(), sizeof(guint16));
}

MutterOutput outputOf(GVariant* entry) {
    MutterOutput output;
    guint32 index = 0;
    gint64 id = 0;
    gint32 crtc = -1;
    const char* name = nullptr;
    GVariant* properties = nullptr;
    g_variant_get(entry, "(uxi@au&s@au@au@a{sv})", &index, &id, &crtc, nullptr, &name, nullptr, nullptr, &properties);
    output.id = id;
    output.crtc = crtc;
    output.connector = name ? name : "";
    const char* text = nullptr;
    if (g_variant_lookup(properties, "display-name", "&s", &text)) output.displayName = text;
    if (g_variant_lookup(properties, "connector-type", "&s", &text)) output.connectorType = text;
    gboolean primary = FALSE;
    if (g_variant_lookup(properties, "primary", "b", &primary)) output.primary = primary;
    if (GVariant* edid = g_variant_lookup_value(properties, "edid", G_VARIANT_TYPE("ay"))) {
        gsize size = 0;
        const auto* bytes = static_cast<const std::uint8_t*>(g_variant_get_fixed_array(edid, &size, 1));
        output.edid.assign(bytes, bytes + size);
        g_variant_unref(edid);
    }
    g_variant_unref(properties);
    return output;
}

} // namespace

const MutterCrtc* MutterResources::crtcWithId(std::int64_t id) const {
    for (const MutterCrtc& crtc : crtcs) {
        if (crtc.id == id) return &crtc;
    }
    return nullptr;
}

MutterDisplayConfig::Opening MutterDisplayConfig::open(const std::string& busAddress) {
    GError* error = nullptr;
    std::string address = busAddress;
    if (address.empty()) {
        if (gchar* session = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error)) {
            address = session;
            g_free(session);
        }
    }
    GDBusConnection* bus =
        address.empty() ? nullptr
                        : g_dbus_connection_new_for_address_sync(
                              address.c_str(),
                              static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                                                G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                              nullptr, nullptr, &error);
    if (!bus) {
        std::string why = "GNOME's display configuration (no session bus: " +
                          std::string(error ? error->message : "unknown error") + ")";
        g_clear_error(&error);
        return why;
    }
    GVariant* owner = g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                  "org.freedesktop.DBus", "NameHasOwner", g_variant_new("(s)", kService),
                                                  G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, kTimeoutMs, nullptr,
                                                  nullptr);
    gboolean owned = FALSE;
    if (owner) {
        g_variant_get(owner, "(b)", &owned);
        g_variant_unref(owner);
    }
    if (!owned) {
        g_object_unref(bus);
        return std::string("GNOME's display configuration (org.gnome.Mutter.DisplayConfig is not on the session bus)");
    }
    return std::unique_ptr<MutterDisplayConfig>(new MutterDisplayConfig(bus, std::move(address)));
}

MutterDisplayConfig::MutterDisplayConfig(GDBusConnection* bus, std::string address)
    : bus_(bus), address_(std::move(address)) {
    subscription_ = g_dbus_connection_signal_subscribe(bus_, kService, kService, "MonitorsChanged", kPath, nullptr,
                                                       G_DBUS_SIGNAL_FLAGS_NONE, &MutterDisplayConfig::onSignal, this,
                                                       nullptr);
}

MutterDisplayConfig::~MutterDisplayConfig() {
    g_dbus_connection_signal_unsubscribe(bus_, subscription_);
    g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
    g_object_unref(bus_);
}

void MutterDisplayConfig::onSignal(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant*,
                                   void* self) {
    auto& config = *static_cast<MutterDisplayConfig*>(self);
    config.resources_.reset();
    if (config.monitorsChanged_) config.monitorsChanged_();
}

const MutterResources* MutterDisplayConfig::resources() {
    if (resources_) return &*resources_;
    GError* error = nullptr;
    GVariant* reply = call(bus_, "GetResources", nullptr, "(ua(uxiiiiiuaua{sv})a(uxiausauaua{sv})a(uxuudu)ii)", &error);
    if (!reply) {
        logLine("Mutter: the display configuration cannot be read (" + std::string(error->message) + ")");
        g_error_free(error);
        return nullptr;
    }
    MutterResources read;
    GVariantIter* crtcs = nullptr;
    GVariantIter* outputs = nullptr;
    g_variant_get(reply, "(ua(uxiiiiiuaua{sv})a(uxiausauaua{sv})@a(uxuudu)ii)", &read.serial, &crtcs, &outputs,
                  nullptr, nullptr, nullptr);
    MutterCrtc crtc;
    gint32 mode = -1;
    while (g_variant_iter_next(crtcs, "(uxiiiiiu@au@a{sv})", &crtc.index, &crtc.id, &crtc.x, &crtc.y, &crtc.width,
                               &crtc.height, &mode, nullptr, nullptr, nullptr)) {
        read.crtcs.push_back(crtc);
    }
    g_variant_iter_free(crtcs);
    while (GVariant* entry = g_variant_iter_next_value(outputs)) {
        read.outputs.push_back(outputOf(entry));
        g_variant_unref(entry);
    }
    g_variant_iter_free(outputs);
    g_variant_unref(reply);
    // A CRTC's ramp size shows only in its ramp.
    for (MutterCrtc& each : read.crtcs) {
        x11::CrtcRamp ramp;
        if (callGamma("GetCrtcGamma", read.serial, each.index, nullptr, &ramp) == Answer::done)
            each.gammaSize = ramp.size();
    }
    resources_ = std::move(read);
    return &*resources_;
}

MutterDisplayConfig::Answer MutterDisplayConfig::callGamma(const char* method, std::uint32_t serial,
                                                           std::uint32_t index, const x11::CrtcRamp* ramp,
                                                           x11::CrtcRamp* read) {
    GError* error = nullptr;
    GVariant* parameters = ramp ? g_variant_new("(uu@aq@aq@aq)", serial, index, channelVariant(ramp->red),
                                                channelVariant(ramp->green), channelVariant(ramp->blue))
                                : g_variant_new("(uu)", serial, index);
    GVariant* reply = call(bus_, method, parameters, ramp ? "()" : "(aqaqaq)", &error);
    if (!reply) {
        const bool stale = g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_ACCESS_DENIED);
        g_error_free(error);
        return stale ? Answer::stale : Answer::failed;
    }
    if (read) {
        GVariant *red = nullptr, *green = nullptr, *blue = nullptr;
        g_variant_get(reply, "(@aq@aq@aq)", &red, &green, &blue);
        *read = x11::CrtcRamp{channel(red), channel(green), channel(blue)};
        g_variant_unref(red);
        g_variant_unref(green);
        g_variant_unref(blue);
    }
    g_variant_unref(reply);
    return Answer::done;
}

template <class Call> bool MutterDisplayConfig::onCrtc(std::int64_t crtc, Call call) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const MutterResources* current = resources();
        const MutterCrtc* found = current ? current->crtcWithId(crtc) : nullptr;
        if (!found) return false;
        const Answer answer = call(current->serial, found->index);
        if (answer != Answer::stale) return answer == Answer::done;
        // The configuration changed since it was read: read it again.
        resources_.reset();
    }
    return false;
}

std::optional<x11::CrtcRamp> MutterDisplayConfig::crtcGamma(std::int64_t crtc) {
    x11::CrtcRamp ramp;
    if (!onCrtc(crtc, [&](std::uint32_t serial, std::uint32_t index) {
            return callGamma("GetCrtcGamma", serial, index, nullptr, &ramp);
        }))
        return std::nullopt;
    if (ramp.size() == 0) return std::nullopt;
    return ramp;
}

bool MutterDisplayConfig::setCrtcGamma(std::int64_t crtc, const x11::CrtcRamp& ramp) {
    if (!onCrtc(crtc, [&](std::uint32_t serial, std::uint32_t index) {
            return callGamma("SetCrtcGamma", serial, index, &ramp, nullptr);
        }))
        return false;
    return crtcGamma(crtc) == ramp;
}

} // namespace brillex::wayland
