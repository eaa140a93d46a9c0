#include "platform/macos/shell/MacOsdPanels.h"

#include "platform/macos/shell/NativeWindow.h"

namespace brillex::macos {

void MacOsdPanel::orderFrontRegardless() {
    QtOsdPanel::orderFrontRegardless();
    // Qt makes the window when it is first shown and may reset these on later shows.
    NSWindow* panel = nativeWindowOf(*this);
    if (!panel) return;
    panel.level = NSFloatingWindowLevel;
    panel.collectionBehavior = NSWindowCollectionBehaviorCanJoinAllSpaces | NSWindowCollectionBehaviorStationary |
                               NSWindowCollectionBehaviorIgnoresCycle | NSWindowCollectionBehaviorFullScreenAuxiliary;
    panel.ignoresMouseEvents = YES;
    [panel orderFrontRegardless];
}

std::unique_ptr<OsdPanel> MacOsdPanels::createPanel(Rect contentRect) {
    return std::make_unique<MacOsdPanel>(contentRect);
}

} // namespace brillex::macos
