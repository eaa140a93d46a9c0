#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/linux/x11/CrtcRamp.h"

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GVariant GVariant;

namespace brillex::wayland {

// One CRTC of GNOME's display configuration. Calls name it by its place in
// the list (`index`), which a reconfiguration may change; `id` is Mutter's
// own and stays.
struct MutterCrtc {
    std::uint32_t index = 0;
    std::int64_t id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::size_t gammaSize = 0;  // 0 when the CRTC has no ramp
};

struct MutterOutput {
    std::int64_t id = 0;
    int crtc = -1;  // the index of the CRTC driving it; -1 when off
    std::string connector;
    std::string connectorType;  // "eDP", "DisplayPort", ...
    std::string displayName;
    bool primary = false;
    std::vector<std::uint8_t> edid;
};

struct MutterResources {
    std::uint32_t serial = 0;
    std::vector<MutterCrtc> crtcs;
    std::vector<MutterOutput> outputs;

    const MutterCrtc* crtcWithId(std::int64_t id) const;
};

// org.gnome.Mutter.DisplayConfig on the session bus, over a connection of its
// own. The resources are read once and kept until Mutter announces a change
// or calls them stale.
class MutterDisplayConfig {
public:
    using Opening = std::variant<std::unique_ptr<MutterDisplayConfig>, std::string>;

    // Connects to the bus at `address` (empty: the session bus); when Mutter
    // does not serve it there, what is missing ("GNOME's display configuration (why)").
    static Opening open(const std::string& address = {});
    ~MutterDisplayConfig();
    MutterDisplayConfig(const MutterDisplayConfig&) = delete;
    MutterDisplayConfig& operator=(const MutterDisplayConfig&) = delete;

    // The bus it is on, as open() takes it.
    const std::string& busAddress() const { return address_; }
    // What Mutter says now (read afresh after a change); none when it does not answer.
    const MutterResources* resources();
    std::optional<x11::CrtcRamp> crtcGamma(std::int64_t crtc);
    // Mutter ignores a ramp of the wrong size and answers success: the ramp is read back.
    bool setCrtcGamma(std::int64_t crtc, const x11::CrtcRamp& ramp);

    // Called after MonitorsChanged, once the resources are to be read afresh;
    // GLib's main context (Qt's loop on Linux) delivers it.
    void setMonitorsChanged(std::function<void()> changed) { monitorsChanged_ = std::move(changed); }

private:
    MutterDisplayConfig(GDBusConnection* bus, std::string address);
    enum class Answer { done, stale, failed };
    Answer callGamma(const char* method, std::uint32_t serial, std::uint32_t index, const x11::CrtcRamp* ramp,
                     x11::CrtcRamp* read);
    // Runs `call` on the current resources' CRTC, once more after a stale serial.
    template <class Call> bool onCrtc(std::int64_t crtc, Call call);
    static void onSignal(GDBusConnection*, const char*, const char*, const char*, const char*, GVariant*, void* self);

    GDBusConnection* bus_;
    std::string address_;
    unsigned subscription_ = 0;
    std::optional<MutterResources> resources_;
    std::function<void()> monitorsChanged_;
};

} // namespace brillex::wayland
