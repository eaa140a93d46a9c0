#include "platform/linux/wayland/WaylandScreens.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

namespace brillex::wayland {

WaylandScreens::WaylandScreens(WaylandConnection& connection, MainLoop& loop, x11::ScreenRules rules)
    : LayoutScreens(loop, std::move(rules)), connection_(connection) {
    connection_.setOutputsChanged([this] { changeArrived(); });
    notifier_ = std::make_unique<QSocketNotifier>(connection_.fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        connection_.readEvents();
        if (connection_.isBroken()) notifier_->setEnabled(false);
    });
    // Roundtrips of other requests can leave events queued without the socket waking anyone.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        idleHook_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                     [this] { connection_.readEvents(); });
}

WaylandScreens::~WaylandScreens() {
    QObject::disconnect(idleHook_);
    connection_.setOutputsChanged({});
}

x11::RandrLayout WaylandScreens::readLayout() const {
    x11::RandrLayout layout;
    for (const auto& output : connection_.outputs()) {
        x11::RandrOutput described;
        described.xid = output->id;
        described.name = output->name.empty() ? "wayland-" + std::to_string(output->id) : output->name;
        described.connected = true;
        described.hasCrtc = output->width > 0 && output->height > 0;
        described.crtcFrame = x11::XRect{output->x, output->y, output->width, output->height};
        described.gammaSize = connection_.gammaManager() ? kAssumedGammaSize : 0;
        // wlroots names a monitor without an EDID name by its product code.
        if (!output->model.empty() && output->model != "Unknown" && output->model.rfind("0x", 0) != 0)
            described.monitorName = output->model;
        layout.outputs.push_back(std::move(described));
    }
    return layout;
}

} // namespace brillex::wayland
