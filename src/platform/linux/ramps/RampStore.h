#pragma once

#include <string>
#include <vector>

#include "platform/linux/ramps/SavedRamp.h"

namespace brillex::x11 {

// The folder of saved native ramps, one file per boosted CRTC and owner.
// Only regular files of the user's own, of a sane size, are read; a file
// that does not parse is set aside under a ".corrupt" name and never used.
class RampStore {
public:
    struct Entry {
        std::string path;
        SavedRamp saved;
    };

    explicit RampStore(std::string directory) : directory_(std::move(directory)) {}

    // $XDG_RUNTIME_DIR/brillex; without that variable a private folder in
    // the temporary directory, said once in the log.
    static const std::string& defaultDirectory();

    const std::string& directory() const { return directory_; }

    // Writes the file atomically (temporary file, fsync, rename, fsync of the
    // folder), so that it is either whole or absent; false, logged, on failure.
    bool save(const SavedRamp& saved) const;
    // Removes a saved file, if it is there.
    void remove(const std::string& path) const;
    // Removes the half-written files that a death during `save` left behind.
    void removeUnfinished(int owner) const;
    // Every readable saved ramp.
    std::vector<Entry> load() const;

    std::string pathOf(const SavedRamp& saved) const;

private:
    bool ensureDirectory() const;

    std::string directory_;
};

} // namespace brillex::x11
