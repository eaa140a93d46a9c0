// A pixel format given as a text.
// expect: incompatible pointer to integer conversion assigning to 'MTLPixelFormat'
#import <MetalKit/MetalKit.h>

void configure(MTKView* view) { view.colorPixelFormat = @"RGBA16Float"; }
