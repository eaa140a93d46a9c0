#pragma once

#include "controls/LibraryLoader.h"

namespace brillex::x11 {

// The brightness library of another platform does not exist here: every open
// fails with a text saying so.
class NoLibraryLoader : public LibraryLoader {
public:
    Result open(const std::string& path) override {
        return Result{nullptr, path + ": no such library on this system"};
    }
};

} // namespace brillex::x11
