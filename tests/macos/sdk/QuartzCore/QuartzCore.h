// Declarations only: Core Animation as the platform uses it.
#pragma once

#import <QuartzCore/CALayer.h>
#import <QuartzCore/CAMetalLayer.h>
