// Declarations only: the Metal view.
#pragma once

#import <AppKit/AppKit.h>
#import <Metal/Metal.h>
#import <QuartzCore/CAMetalLayer.h>

NS_ASSUME_NONNULL_BEGIN

@class MTKView;

@protocol MTKViewDelegate <NSObject>
- (void)mtkView:(MTKView*)view drawableSizeWillChange:(CGSize)size;
- (void)drawInMTKView:(MTKView*)view;
@end

@interface MTKView : NSView
- (instancetype)initWithFrame:(CGRect)frameRect device:(nullable id<MTLDevice>)device NS_DESIGNATED_INITIALIZER;
@property(nonatomic, weak, nullable) id<MTKViewDelegate> delegate;
@property(nonatomic, retain, nullable) id<MTLDevice> device;
@property(nonatomic, readonly, nullable) id<CAMetalDrawable> currentDrawable;
@property(nonatomic, readonly, nullable) MTLRenderPassDescriptor* currentRenderPassDescriptor;
@property(nonatomic) MTLPixelFormat colorPixelFormat;
@property(nonatomic) MTLClearColor clearColor;
@property(nonatomic) NSInteger preferredFramesPerSecond;
@property(nonatomic) BOOL enableSetNeedsDisplay;
@property(nonatomic) BOOL autoResizeDrawable;
@property(nonatomic) CGSize drawableSize;
@property(nonatomic, getter=isPaused) BOOL paused;
- (void)draw;
@end

NS_ASSUME_NONNULL_END
