// Declarations only: the layer properties the platform sets.
#pragma once

#import <Foundation/Foundation.h>

NS_ASSUME_NONNULL_BEGIN

@interface CALayer : NSObject
+ (instancetype)layer;
@property(getter=isOpaque) BOOL opaque;
@property(nullable) CGColorRef backgroundColor;
@property CGRect frame;
@end

NS_ASSUME_NONNULL_END
