#include "platform/macos/display/MacOverlays.h"

#import <AppKit/AppKit.h>
#import <Metal/Metal.h>
#import <MetalKit/MetalKit.h>
#import <QuartzCore/CAMetalLayer.h>

// The core's overlay settings are plain numbers; they must be AppKit's values
// for a borderless, buffered window at the screen-saver level on every space.
static_assert(brillex::OverlayWindowSettings{}.styleMask == NSWindowStyleMaskBorderless);
static_assert(brillex::OverlayWindowSettings{}.backing == NSBackingStoreBuffered);
static_assert(brillex::OverlayWindowSettings{}.level == kCGScreenSaverWindowLevel);
static_assert(brillex::OverlayWindowSettings{}.collectionBehavior ==
              (NSWindowCollectionBehaviorCanJoinAllSpaces | NSWindowCollectionBehaviorStationary |
               NSWindowCollectionBehaviorIgnoresCycle | NSWindowCollectionBehaviorFullScreenAuxiliary));
// Under ARC a window released when closed is released once too often.
static_assert(!brillex::OverlayWindowSettings{}.releasedWhenClosed);

// A window that exists only for one screen, made from the core's settings.
@interface BrillexOverlayWindow : NSWindow
- (instancetype)initWithSettings:(const brillex::OverlayWindowSettings&)settings;
- (instancetype)initWithContentRect:(NSRect)contentRect
                          styleMask:(NSWindowStyleMask)style
                            backing:(NSBackingStoreType)backingStoreType
                              defer:(BOOL)flag NS_UNAVAILABLE;
@end

@implementation BrillexOverlayWindow

- (instancetype)initWithSettings:(const brillex::OverlayWindowSettings&)settings {
    const brillex::Rect& r = settings.contentRect;
    self = [super initWithContentRect:NSMakeRect(r.x, r.y, r.width, r.height)
                            styleMask:static_cast<NSWindowStyleMask>(settings.styleMask)
                              backing:static_cast<NSBackingStoreType>(settings.backing)
                                defer:settings.deferred];
    if (!self) return nil;
    self.opaque = settings.opaque;
    self.hasShadow = settings.hasShadow;
    if (settings.clearBackground) self.backgroundColor = NSColor.clearColor;
    self.level = settings.level;
    self.collectionBehavior = static_cast<NSWindowCollectionBehavior>(settings.collectionBehavior);
    self.ignoresMouseEvents = settings.ignoresMouseEvents;
    self.releasedWhenClosed = settings.releasedWhenClosed;
    return self;
}

@end

// The Metal view and its own delegate: a 1 × 1 pixel half-float drawable,
// drawn when the core asks, cleared to the clear colour and presented.
@interface BrillexEDRView : MTKView <MTKViewDelegate>
- (instancetype)initWithDevice:(id<MTLDevice>)device;
- (instancetype)initWithFrame:(CGRect)frameRect device:(nullable id<MTLDevice>)device NS_UNAVAILABLE;
// Whether the last frame asked for was presented.
@property(nonatomic, readonly) BOOL presentedLastFrame;
@end

@implementation BrillexEDRView {
    id<MTLCommandQueue> _commandQueue;
}

- (instancetype)initWithDevice:(id<MTLDevice>)device {
    self = [super initWithFrame:NSMakeRect(0.0, 0.0, 1.0, 1.0) device:device];
    if (!self) return nil;
    _commandQueue = [device newCommandQueue];
    self.delegate = self;
    self.colorPixelFormat = MTLPixelFormatRGBA16Float;
    self.drawableSize = CGSizeMake(1.0, 1.0);
    self.autoResizeDrawable = NO;
    // Ten frames a second come from the core's timer, each through -draw.
    self.paused = YES;
    self.enableSetNeedsDisplay = NO;
    self.preferredFramesPerSecond = 10;
    self.layer.opaque = NO;
    if ([self.layer isKindOfClass:CAMetalLayer.class]) {
        CAMetalLayer* layer = (CAMetalLayer*)self.layer;
        layer.wantsExtendedDynamicRangeContent = YES;
        CGColorSpaceRef space = CGColorSpaceCreateWithName(kCGColorSpaceExtendedLinearDisplayP3);
        layer.colorspace = space;
        CGColorSpaceRelease(space);
        layer.pixelFormat = MTLPixelFormatRGBA16Float;
    }
    return self;
}

- (void)mtkView:(MTKView*)view drawableSizeWillChange:(CGSize)size {
}

- (void)drawInMTKView:(MTKView*)view {
    _presentedLastFrame = NO;
    id<CAMetalDrawable> drawable = view.currentDrawable;
    if (!drawable) return;
    MTLRenderPassDescriptor* pass = view.currentRenderPassDescriptor;
    if (!pass || !_commandQueue) return;
    id<MTLCommandBuffer> buffer = [_commandQueue commandBuffer];
    if (!buffer) return;
    // The pass clears to the clear colour; that clear is the whole frame.
    id<MTLRenderCommandEncoder> encoder = [buffer renderCommandEncoderWithDescriptor:pass];
    [encoder endEncoding];
    [buffer presentDrawable:drawable];
    [buffer commit];
    _presentedLastFrame = YES;
}

@end

namespace brillex::macos {

namespace {

class MacOverlaySurface : public OverlaySurface {
public:
    MacOverlaySurface(BrillexOverlayWindow* window, BrillexEDRView* view) : window_(window), view_(view) {
        window_.contentView = view_;
    }

    void orderFrontRegardless() override { [window_ orderFrontRegardless]; }
    void setClearColor(const ClearColor& color) override {
        view_.clearColor = MTLClearColorMake(color.red, color.green, color.blue, color.alpha);
    }
    bool presentFrame() override {
        [view_ draw];
        return view_.presentedLastFrame;
    }
    void close() override {
        [window_ orderOut:nil];
        [window_ close];
    }

private:
    BrillexOverlayWindow* window_;
    BrillexEDRView* view_;
};

} // namespace

struct MacOverlays::Device {
    id<MTLDevice> device = MTLCreateSystemDefaultDevice();
};

MacOverlays::MacOverlays() : device_(std::make_unique<Device>()) {}

MacOverlays::~MacOverlays() = default;

bool MacOverlays::hasDevice() const { return device_->device != nil; }

std::unique_ptr<OverlaySurface> MacOverlays::createOverlay(DisplayId, const OverlayWindowSettings& settings) {
    if (!device_->device) return nullptr;
    BrillexOverlayWindow* window = [[BrillexOverlayWindow alloc] initWithSettings:settings];
    BrillexEDRView* view = [[BrillexEDRView alloc] initWithDevice:device_->device];
    if (!window || !view) return nullptr;
    return std::make_unique<MacOverlaySurface>(window, view);
}

} // namespace brillex::macos
