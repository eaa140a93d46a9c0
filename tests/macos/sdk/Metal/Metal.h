// Declarations only: the Metal device, queue, buffer and encoder calls of the overlay.
#pragma once

#import <Foundation/Foundation.h>

#define MTL_EXTERN FOUNDATION_EXPORT

NS_ASSUME_NONNULL_BEGIN

typedef NS_ENUM(NSUInteger, MTLPixelFormat){
    MTLPixelFormatInvalid = 0,
    MTLPixelFormatRGBA8Unorm = 70,
    MTLPixelFormatBGRA8Unorm = 80,
    MTLPixelFormatRGBA16Float = 115,
    MTLPixelFormatRGBA32Float = 125,
};

typedef struct {
    double red;
    double green;
    double blue;
    double alpha;
} MTLClearColor;

NS_INLINE MTLClearColor MTLClearColorMake(double red, double green, double blue, double alpha) {
    MTLClearColor color = {red, green, blue, alpha};
    return color;
}

@protocol MTLCommandQueue, MTLCommandBuffer, MTLRenderCommandEncoder;

@protocol MTLDevice <NSObject>
@property(nonnull, readonly) NSString* name;
- (nullable id<MTLCommandQueue>)newCommandQueue;
@end

@protocol MTLDrawable <NSObject>
- (void)present;
@end

@interface MTLRenderPassDescriptor : NSObject <NSCopying>
@end

@protocol MTLCommandEncoder <NSObject>
@property(readonly) id<MTLDevice> device;
- (void)endEncoding;
@end

@protocol MTLRenderCommandEncoder <MTLCommandEncoder>
@end

@protocol MTLCommandBuffer <NSObject>
@property(readonly) id<MTLDevice> device;
- (nullable id<MTLRenderCommandEncoder>)renderCommandEncoderWithDescriptor:(MTLRenderPassDescriptor*)renderPassDescriptor;
- (void)presentDrawable:(id<MTLDrawable>)drawable;
- (void)commit;
@end

@protocol MTLCommandQueue <NSObject>
@property(readonly) id<MTLDevice> device;
- (nullable id<MTLCommandBuffer>)commandBuffer;
@end

MTL_EXTERN id<MTLDevice> _Nullable MTLCreateSystemDefaultDevice(void) NS_RETURNS_RETAINED;

NS_ASSUME_NONNULL_END
