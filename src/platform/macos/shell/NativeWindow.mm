#include "platform/macos/shell/NativeWindow.h"

#include <QWidget>

namespace brillex::macos {

NSWindow* nativeWindowOf(QWidget& widget) {
    if (!widget.testAttribute(Qt::WA_WState_Created)) return nil;
    NSView* view = (__bridge NSView*)reinterpret_cast<void*>(widget.winId());
    return view.window;
}

} // namespace brillex::macos
