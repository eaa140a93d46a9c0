#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "settings/LoginItemService.h"

namespace brillex::x11 {

// Opening at login through XDG autostart: a "brillex.desktop" entry in the
// user's autostart folder that starts the running binary. The entry carries
// a mark of its own, so a file of the same name that someone else put there
// is never overwritten or removed.
class XdgAutostart : public LoginItemService {
public:
    static constexpr const char* kFileName = "brillex.desktop";
    static constexpr const char* kOwnMark = "X-Brillex-Autostart=true";

    // `configHome` is $XDG_CONFIG_HOME (or ~/.config); `executable` the
    // absolute path that the entry starts.
    XdgAutostart(std::filesystem::path configHome, std::string executable);
    // The folder from the environment, as the XDG autostart rules read it.
    static std::filesystem::path configHomeFromEnvironment();

    std::optional<std::string> registerItem() override;
    std::optional<std::string> unregisterItem() override;

    const std::filesystem::path& entryPath() const { return entry_; }
    // The entry's text for `executable`, quoted as desktop entries require.
    static std::string entryText(const std::string& executable);

private:
    // True when the entry exists and carries our mark.
    bool isOwnEntry() const;

    std::filesystem::path entry_;
    std::string executable_;
};

} // namespace brillex::x11
