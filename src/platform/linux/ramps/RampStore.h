#pragma once

#include <string>
#include <vector>

#include "platform/linux/ramps/SavedRamp.h"

namespace brillex::x11 {

// The folder of saved native ramps, one file per boosted CRTC and owner.
// Only regular files of the user's own, of a sane size, are read; a file
// that does not parse is set aside under a ".corrupt" name and never used.
// Nothing here deletes a file it has not written itself.
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

    // Writes the file atomically (temporary file, rename), so that it is
    // either whole or absent, and when `durable` syncs the file and the
    // folder too; false on failure, with `why` (when given) saying what went
    // wrong. Logs nothing.
    bool save(const SavedRamp& saved, std::string* why = nullptr, bool durable = true) const;
    // Whether the folder is (or can be made) a private folder of this user;
    // when not, `why` says what it is instead.
    bool isPrivate(std::string* why = nullptr) const;
    // Moves a file that cannot be used out of the way under `path + suffix`
    // (numbered when that name is taken); the name it got, or empty.
    std::string setAside(const std::string& path, const std::string& suffix) const;
    // Removes a saved file, if it is there.
    void remove(const std::string& path) const;
    // Removes the half-written files that a death during `save` left behind.
    void removeUnfinished(int owner) const;
    // Every readable saved ramp.
    std::vector<Entry> load() const;

    std::string pathOf(const SavedRamp& saved) const;

private:
    std::string directory_;
};

} // namespace brillex::x11
