// Declarations only: the Metal layer with extended-range content.
#pragma once

#import <Metal/Metal.h>
#import <QuartzCore/CALayer.h>

NS_ASSUME_NONNULL_BEGIN

@class CAMetalLayer;

@protocol CAMetalDrawable <MTLDrawable>
@property(readonly) CAMetalLayer* layer;
@end

@interface CAMetalLayer : CALayer
@property(nullable, retain) id<MTLDevice> device;
@property MTLPixelFormat pixelFormat;
@property(nullable) CGColorSpaceRef colorspace;
@property BOOL wantsExtendedDynamicRangeContent;
@end

NS_ASSUME_NONNULL_END
