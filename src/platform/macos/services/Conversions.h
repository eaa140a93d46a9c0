#pragma once

#import <Foundation/Foundation.h>

#include <string>
#include <string_view>

#include "boost/ScreenServices.h"

namespace brillex::macos {

// The core's UTF-8 text as a string; nil when it is not valid UTF-8.
inline NSString* _Nullable stringOf(std::string_view text) {
    return [[NSString alloc] initWithBytes:text.data() length:text.size() encoding:NSUTF8StringEncoding];
}

// A string's UTF-8 text; empty for nil, and where UTF8String gives none.
inline std::string textOf(NSString* _Nullable text) {
    const char* utf8 = text.UTF8String;
    return utf8 ? std::string(utf8) : std::string();
}

// AppKit's rectangle as the core's, field for field (both put the origin at the bottom left).
inline Rect rectOf(NSRect rect) { return Rect{rect.origin.x, rect.origin.y, rect.size.width, rect.size.height}; }

} // namespace brillex::macos
