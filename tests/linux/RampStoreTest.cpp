#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Log.h"
#include "platform/linux/ramps/RampStore.h"
#include "support/TemporaryFolder.h"

namespace brillex::x11 {
namespace {

namespace fs = std::filesystem;

class RampStoreTest : public ::testing::Test {
protected:
    static SavedRamp ramp(CrtcId crtc, int owner) {
        return SavedRamp{":9", crtc, owner, 0, CrtcRamp{{0, 30000, 65535}, {1, 2, 3}, {65535, 0, 7}}, {}, "x11"};
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& item : fs::directory_iterator(store.directory())) found.push_back(item.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    }

    test::TemporaryFolder folder;
    RampStore store{folder.path() + "/brillex"};
};

TEST_F(RampStoreTest, SavedRampsComeBackFromAPrivateFolderAndLeaveNoTemporaryFile) {
    ASSERT_TRUE(store.save(ramp(63, 100)));
    ASSERT_TRUE(store.save(ramp(64, 100)));
    ASSERT_TRUE(store.save(ramp(63, 100)));  // saved again: still one file
    EXPECT_EQ(fs::status(store.directory()).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(store.pathOf(ramp(63, 100))).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    std::vector<RampStore::Entry> entries = store.load();
    ASSERT_EQ(entries.size(), 2u);
    std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.saved.crtc < b.saved.crtc; });
    EXPECT_EQ(entries[0].saved, ramp(63, 100));
    EXPECT_EQ(entries[1].saved, ramp(64, 100));
    EXPECT_EQ(names().size(), 2u);

    store.remove(entries[0].path);
    EXPECT_EQ(store.load().size(), 1u);
}

TEST_F(RampStoreTest, ACorruptFileIsSetAsideOnceAndNeverReturned) {
    ASSERT_TRUE(store.save(ramp(63, 100)));
    const std::string path = store.pathOf(ramp(63, 100));
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(40);
        file.put('9');
    }
    LogCapture log;
    EXPECT_TRUE(store.load().empty());
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0], "Saved ramp " + path + " is unreadable (checksum mismatch); set aside as " + path +
                                  ".corrupt");
    EXPECT_TRUE(store.load().empty());
    EXPECT_EQ(log.lines().size(), 1u);
    EXPECT_TRUE(fs::exists(path + ".corrupt"));
}

TEST_F(RampStoreTest, FilesThatAreNotTheUsersOwnPlainFilesAreIgnoredAndLeftAlone) {
    ASSERT_TRUE(store.save(ramp(63, 100)));
    const std::string real = store.pathOf(ramp(63, 100));
    const std::string elsewhere = folder.path() + "/elsewhere";
    fs::rename(real, elsewhere);
    fs::create_symlink(elsewhere, real);
    const std::string fifo = store.directory() + "/crtc1-pid1-_9.ramp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);  // opening it must not wait for a writer

    ASSERT_TRUE(store.save(ramp(64, 100)));
    const std::string foreign = store.pathOf(ramp(64, 100));
    const bool canChown = chown(foreign.c_str(), 12345, 12345) == 0;

    LogCapture log;
    const std::vector<RampStore::Entry> entries = store.load();
    EXPECT_TRUE(log.contains("Ignoring saved ramp " + real + ": a symbolic link"));
    EXPECT_TRUE(log.contains("Ignoring saved ramp " + fifo + ": not a regular file"));
    if (canChown) {
        EXPECT_TRUE(entries.empty());
        EXPECT_TRUE(log.contains("Ignoring saved ramp " + foreign + ": owned by another user"));
    }
    EXPECT_TRUE(fs::is_symlink(real));
    EXPECT_TRUE(fs::exists(foreign));
}

TEST_F(RampStoreTest, AFolderOthersCanWriteIsNotUsed) {
    ASSERT_TRUE(fs::create_directory(store.directory()));
    fs::permissions(store.directory(), fs::perms::all);
    LogCapture log;
    std::string why;
    EXPECT_FALSE(store.save(ramp(63, 100), &why));
    EXPECT_EQ(why, store.directory() + " is not a private folder of this user: others may use it (mode 0777)");
    EXPECT_TRUE(log.lines().empty());  // the caller says what it means
    EXPECT_TRUE(names().empty());
}

TEST_F(RampStoreTest, OnlyTheDeadOwnersHalfWrittenFilesAreRemoved) {
    ASSERT_TRUE(store.save(ramp(63, 100)));
    for (const char* name : {"/crtc63-pid100-_9.ramp.tmp", "/crtc63-pid1000-_9.ramp.tmp"})
        std::ofstream(store.directory() + name) << "half";
    store.removeUnfinished(100);
    EXPECT_EQ(names(), (std::vector<std::string>{"crtc63-pid100-_9.ramp", "crtc63-pid1000-_9.ramp.tmp"}));
}

} // namespace
} // namespace brillex::x11
