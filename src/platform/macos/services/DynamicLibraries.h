#pragma once

#include <map>
#include <memory>
#include <string>

#include "controls/LibraryLoader.h"

namespace brillex::macos {

// Native libraries opened with dlopen (mode 2, every symbol resolved at
// once); symbols by dlsym, typed through the signature table. Handles are
// never closed.
class DynamicLibraries : public LibraryLoader {
public:
    Result open(const std::string& path) override;

private:
    class Library : public NativeLibrary {
    public:
        explicit Library(void* handle) : handle_(handle) {}

    protected:
        std::any symbol(const std::string& name, const std::type_info& signature) const override;

    private:
        void* handle_;
    };

    std::map<void*, std::unique_ptr<Library>> libraries_;
};

} // namespace brillex::macos
