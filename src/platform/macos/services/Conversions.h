#pragma once

#import <Foundation/Foundation.h>

#include <string>
#include <string_view>

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

} // namespace brillex::macos
