#include "platform/linux/x11/X11Screens.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdlib>
#include <cstring>

#include "base/Log.h"
#include "platform/linux/x11/XErrorTrap.h"

namespace brillex::x11 {
namespace {

// One property request's answer; Xlib's copy of the value is freed with it.
struct PropertyReply {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;

    PropertyReply() = default;
    PropertyReply(const PropertyReply&) = delete;
    PropertyReply& operator=(const PropertyReply&) = delete;
    ~PropertyReply() {
        if (data) XFree(data);
    }
};

// A property's 32-bit items (Xlib hands them out as longs), or nothing.
std::vector<long> cardinals(Display* display, Window window, const char* name) {
    const Atom property = XInternAtom(display, name, True);
    if (property == None) return {};
    PropertyReply reply;
    std::vector<long> items;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, XA_CARDINAL, &reply.type, &reply.format,
                           &reply.count, &reply.after, &reply.data) == Success &&
        reply.type == XA_CARDINAL && reply.format == 32 && reply.data) {
        const auto* values = reinterpret_cast<const long*>(reply.data);
        items.assign(values, values + reply.count);
    }
    return items;
}

// The window manager's work area of the current desktop.
std::optional<XRect> workArea(Display* display, Window root) {
    const std::vector<long> areas = cardinals(display, root, "_NET_WORKAREA");
    const std::vector<long> current = cardinals(display, root, "_NET_CURRENT_DESKTOP");
    std::size_t desktop = current.empty() ? 0 : static_cast<std::size_t>(current.front());
    if ((desktop + 1) * 4 > areas.size()) desktop = 0;
    if (areas.size() < 4) return std::nullopt;
    const long* area = &areas[desktop * 4];
    if (area[2] <= 0 || area[3] <= 0) return std::nullopt;
    return XRect{static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
                 static_cast<int>(area[3])};
}

bool isPanelConnector(Display* display, RROutput output) {
    const Atom property = XInternAtom(display, "ConnectorType", True);
    if (property == None) return false;
    PropertyReply reply;
    bool panel = false;
    if (XRRGetOutputProperty(display, output, property, 0, 1, False, False, XA_ATOM, &reply.type, &reply.format,
                             &reply.count, &reply.after, &reply.data) == Success &&
        reply.type == XA_ATOM && reply.format == 32 && reply.count == 1 && reply.data) {
        const Atom value = static_cast<Atom>(*reinterpret_cast<const long*>(reply.data));
        if (char* name = XGetAtomName(display, value)) {
            panel = std::strcmp(name, "Panel") == 0;
            XFree(name);
        }
    }
    return panel;
}

// The output's EDID as the kernel gave it to the server; up to 256 blocks.
std::vector<std::uint8_t> edidOf(Display* display, RROutput output) {
    const Atom property = XInternAtom(display, "EDID", True);
    if (property == None) return {};
    PropertyReply reply;
    std::vector<std::uint8_t> bytes;
    if (XRRGetOutputProperty(display, output, property, 0, 256 * 128 / 4, False, False, AnyPropertyType,
                             &reply.type, &reply.format, &reply.count, &reply.after, &reply.data) == Success &&
        reply.format == 8 && reply.data) {
        bytes.assign(reply.data, reply.data + reply.count);
    }
    return bytes;
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

} // namespace

X11Screens::X11Screens(X11Connection& connection, MainLoop& loop, ScreenRules rules)
    : LayoutScreens(loop, std::move(rules)), connection_(connection) {
    if (this->rules().waylandSession)
        logLine("Wayland session: the compositor offers neither wlroots gamma control nor GNOME's display "
                "configuration, and gamma ramps set through XWayland do not reach the screen; no display is offered "
                "the boost");
    Display* display = connection_.display();
    XRRSelectInput(display, connection_.rootWindow(),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
    XFlush(display);
    notifier_ = std::make_unique<QSocketNotifier>(connection_.fileDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(true); });
    // Replies read for other requests can bring events along into Xlib's
    // queue without the socket waking anyone; look there before the loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        idleHook_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { readEvents(false); });
    }
}

X11Screens::~X11Screens() {
    QObject::disconnect(idleHook_);
}

void X11Screens::readEvents(bool fromSocket) {
    Display* display = connection_.display();
    if (!fromSocket && XEventsQueued(display, QueuedAlready) == 0) return;
    bool changed = false;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        const int type = event.type - connection_.randrEventBase();
        if (type == RRScreenChangeNotify) XRRUpdateConfiguration(&event);
        if (type == RRScreenChangeNotify || type == RRNotify) changed = true;
    }
    if (!changed) return;
    randrEvent_.emit();
    changeArrived();
}

RandrLayout X11Screens::readLayout() const {
    // An output that vanishes half-way through a read spoils that read only.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (std::optional<RandrLayout> layout = readLayoutOnce()) return *layout;
    }
    logLine("Screens: the X server kept changing its outputs while they were read; no screens until it settles");
    return RandrLayout{};
}

std::optional<RandrLayout> X11Screens::readLayoutOnce() const {
    Display* display = connection_.display();
    const Window root = connection_.rootWindow();
    RandrLayout layout;
    XErrorTrap trap(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (!resources) return std::nullopt;
    for (int i = 0; i < resources->noutput; ++i) {
        const RROutput id = resources->outputs[i];
        XRROutputInfo* info = XRRGetOutputInfo(display, resources, id);
        if (!info) continue;
        RandrOutput output;
        output.xid = static_cast<std::uint32_t>(id);
        output.name.assign(info->name, static_cast<std::size_t>(info->nameLen));
        output.connected = info->connection == RR_Connected;
        if (info->crtc != None) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc)) {
                output.hasCrtc = crtc->mode != None && crtc->width > 0 && crtc->height > 0;
                output.crtcFrame = XRect{crtc->x, crtc->y, static_cast<int>(crtc->width),
                                         static_cast<int>(crtc->height)};
                XRRFreeCrtcInfo(crtc);
            }
            output.gammaSize = XRRGetCrtcGammaSize(display, info->crtc);
        }
        output.panelConnector = isPanelConnector(display, id);
        output.edid = edidOf(display, id);
        XRRFreeOutputInfo(info);
        layout.outputs.push_back(std::move(output));
    }
    XRRFreeScreenResources(resources);
    layout.primary = static_cast<std::uint32_t>(XRRGetOutputPrimary(display, root));
    layout.workArea = workArea(display, root);
    if (trap.failed()) return std::nullopt;
    return layout;
}

bool X11Screens::isWaylandSession() {
    const char* session = std::getenv("XDG_SESSION_TYPE");
    return (session && std::strcmp(session, "wayland") == 0) || isSet("WAYLAND_DISPLAY");
}

} // namespace brillex::x11
