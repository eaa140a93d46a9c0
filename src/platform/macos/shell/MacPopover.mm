#include "platform/macos/shell/MacPopover.h"

#include "platform/macos/shell/NativeWindow.h"

namespace brillex::macos {

void MacPopover::showRelativeTo(Rect bounds, StatusItemButton& anchor, RectEdge edge) {
    QtPopover::showRelativeTo(bounds, anchor, edge);
    NSWindow* panel = nativeWindowOf(*window());
    if (!panel) return;
    panel.hidesOnDeactivate = NO;
    panel.level = NSPopUpMenuWindowLevel;
    panel.collectionBehavior = NSWindowCollectionBehaviorMoveToActiveSpace | NSWindowCollectionBehaviorFullScreenAuxiliary;
}

} // namespace brillex::macos
