#pragma once

#import <AppKit/AppKit.h>

class QWidget;

namespace brillex::macos {

// The AppKit window of a shown Qt top-level widget (its window id is the
// content NSView); nil before Qt has made one.
NSWindow* nativeWindowOf(QWidget& widget);

} // namespace brillex::macos
