#include "platform/common/LibraryRegistry.h"

namespace brillex::platform {

LibraryLoader::Result LibraryRegistry::open(const std::string& path) {
    const auto found = libraries_.find(path);
    if (found == libraries_.end() || !found->second->present) {
        return {nullptr, "dlopen(" + path + ", 0x0002): image not found"};
    }
    return {found->second.get(), {}};
}

void LibraryRegistry::setPresent(const std::string& path, bool present) {
    library(path).present = present;
}

void LibraryRegistry::undefine(const std::string& path, const std::string& name) {
    if (const auto found = libraries_.find(path); found != libraries_.end()) found->second->functions.erase(name);
}

LibraryRegistry::Library& LibraryRegistry::library(const std::string& path) {
    auto& slot = libraries_[path];
    if (!slot) slot = std::make_unique<Library>();
    return *slot;
}

std::any LibraryRegistry::Library::symbol(const std::string& name, const std::type_info&) const {
    // The caller's any_cast rejects a function of another signature.
    const auto found = functions.find(name);
    return found == functions.end() ? std::any() : found->second;
}

} // namespace brillex::platform
