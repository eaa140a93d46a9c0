#include "platform/macos/services/DynamicLibraries.h"

#include <dlfcn.h>

#include "platform/macos/services/SymbolSignatures.h"

namespace brillex::macos {

namespace {
constexpr int kResolveNow = 2; // RTLD_NOW on both systems this runs on
static_assert(kResolveNow == RTLD_NOW);
} // namespace

LibraryLoader::Result DynamicLibraries::open(const std::string& path) {
    dlerror();
    void* handle = dlopen(path.c_str(), kResolveNow);
    if (!handle) {
        const char* error = dlerror();
        return {nullptr, error ? error : "dlopen(" + path + ") failed"};
    }
    // A second open of the same library hands back the same handle.
    auto& library = libraries_[handle];
    if (!library) library = std::make_unique<Library>(handle);
    return {library.get(), {}};
}

std::any DynamicLibraries::Library::symbol(const std::string& name, const std::type_info& signature) const {
    return SymbolSignatures::wrap(dlsym(handle_, name.c_str()), signature);
}

} // namespace brillex::macos
