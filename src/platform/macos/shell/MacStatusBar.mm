#include "platform/macos/shell/MacStatusBar.h"

#import <AppKit/AppKit.h>

#include "platform/macos/services/Conversions.h"
#include "ui/shell/GlobalAnchor.h"
#include "ui/shell/GlobalCoordinates.h"

// Receives the button's clicks and runs the core's action.
@interface BrillexStatusItemTarget : NSObject
@property(nonatomic, copy, nullable) void (^action)(void);
- (void)click:(nullable id)sender;
@end

@implementation BrillexStatusItemTarget
- (void)click:(id)sender {
    if (self.action) self.action();
}
@end

namespace brillex::macos {

namespace {

class MacStatusItemButton : public StatusItemButton, public GlobalAnchor {
public:
    explicit MacStatusItemButton(NSStatusBarButton* button) : button_(button), target_([BrillexStatusItemTarget new]) {
        button_.target = target_;
        button_.action = @selector(click:);
    }

    void setImage(const std::string& symbolName, const std::string& accessibilityDescription) override {
        NSString* name = stringOf(symbolName);
        if (!name) return;
        NSImage* image = [NSImage imageWithSystemSymbolName:name
                                  accessibilityDescription:stringOf(accessibilityDescription)];
        if (!image) return;
        [image setTemplate:YES];
        button_.image = image;
    }

    void setAction(std::function<void()> action) override {
        if (!action) {
            target_.action = nil;
            return;
        }
        target_.action = ^{
            action();
        };
    }

    Rect bounds() const override { return rectOf(button_.bounds); }

    // The button's rectangle on the screen, where the popover opens below.
    QRect globalGeometry() const override {
        NSWindow* window = button_.window;
        if (!window) return QRect();
        const NSRect inWindow = [button_ convertRect:button_.bounds toView:nil];
        return toQtGeometry(rectOf([window convertRectToScreen:inWindow]));
    }

private:
    NSStatusBarButton* button_;
    BrillexStatusItemTarget* target_;
};

class MacStatusItem : public StatusItem {
public:
    explicit MacStatusItem(NSStatusItem* item) : item_(item) {
        if (item_.button) button_.emplace(item_.button);
    }
    MacStatusItem(const MacStatusItem&) = delete;
    MacStatusItem& operator=(const MacStatusItem&) = delete;
    ~MacStatusItem() override { [NSStatusBar.systemStatusBar removeStatusItem:item_]; }

    StatusItemButton* button() override { return button_ ? &*button_ : nullptr; }

private:
    NSStatusItem* item_;
    std::optional<MacStatusItemButton> button_;
};

} // namespace

std::unique_ptr<StatusItem> MacStatusBar::statusItemWithLength(double length) {
    // The core's variable length is AppKit's NSVariableStatusItemLength (-1).
    return std::make_unique<MacStatusItem>([NSStatusBar.systemStatusBar statusItemWithLength:length]);
}

} // namespace brillex::macos
