#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_output;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_gamma_control_manager_v1;

namespace brillex::wayland {

class WaylandConnection;

// One wl_output as the compositor describes it. Its registry name is the
// display id: it stays the same for as long as the output is plugged in.
struct WaylandOutput {
    std::uint32_t id = 0;
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    std::string name;         // the connector ("eDP-1"), from xdg_output or wl_output v4
    std::string make, model;  // from the EDID where the compositor read one
    int x = 0, y = 0;         // logical position, y down
    int width = 0, height = 0;
    int modeWidth = 0, modeHeight = 0;
    WaylandConnection* connection = nullptr;
};

// The program's connection to a Wayland compositor: the outputs and the
// globals the display layers use. Events are read and dispatched by
// readEvents(), which never blocks.
class WaylandConnection {
public:
    using Opening = std::variant<std::unique_ptr<WaylandConnection>, std::string>;

    // Connects to $WAYLAND_DISPLAY and reads the outputs; why not in one line.
    static Opening open();
    // Whether the compositor can be reached at all; otherwise why not.
    static std::optional<std::string> reach();
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* display() const { return display_; }
    int fileDescriptor() const;
    zwlr_gamma_control_manager_v1* gammaManager() const { return gammaManager_; }
    const std::vector<std::unique_ptr<WaylandOutput>>& outputs() const { return outputs_; }
    const WaylandOutput* output(std::uint32_t id) const;

    // Sends what is queued and waits for the compositor to have handled it;
    // false once the connection is broken.
    bool roundtrip();
    // Reads what the socket holds and dispatches it.
    void readEvents();
    bool isBroken() const;
    // Called after an output came, went or changed its description.
    void setOutputsChanged(std::function<void()> changed) { outputsChanged_ = std::move(changed); }

private:
    explicit WaylandConnection(wl_display* display);
    void addGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
    void removeGlobal(std::uint32_t name);
    void describe(WaylandOutput& output);
    void changed();

    wl_display* display_;
    wl_registry* registry_ = nullptr;
    zxdg_output_manager_v1* xdgOutputs_ = nullptr;
    zwlr_gamma_control_manager_v1* gammaManager_ = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
    std::function<void()> outputsChanged_;
    bool reportedBreak_ = false;

    friend struct RegistryEvents;
    friend struct OutputEvents;
};

} // namespace brillex::wayland
