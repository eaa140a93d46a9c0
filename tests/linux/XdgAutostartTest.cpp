// Opening at login through an XDG autostart entry in a private config folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/linux/services/XdgAutostart.h"
#include "support/TemporaryFolder.h"

namespace brillex::x11 {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class XdgAutostartTest : public ::testing::Test {
protected:
    fs::path entry() const { return fs::path(folder.path()) / "autostart" / "brillex.desktop"; }

    test::TemporaryFolder folder;
    XdgAutostart autostart{folder.path(), "/opt/brillex/bin/brillex"};
};

TEST_F(XdgAutostartTest, RegisteringWritesAValidEntryAndUnregisteringRemovesIt) {
    EXPECT_EQ(autostart.unregisterItem(), std::nullopt);  // nothing there: nothing to do
    EXPECT_EQ(autostart.registerItem(), std::nullopt);
    const std::string text = fileText(entry());
    EXPECT_NE(text.find("\nExec=\"/opt/brillex/bin/brillex\"\n"), std::string::npos) << text;
    // Harmless once the program is purged: the session skips an entry whose TryExec is gone.
    EXPECT_NE(text.find("\nTryExec=/opt/brillex/bin/brillex\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_EQ(text.find("Hidden"), std::string::npos);
    if (std::system("command -v desktop-file-validate >/dev/null") == 0) {
        EXPECT_EQ(std::system(("desktop-file-validate " + entry().string()).c_str()), 0);
    }
    // Registering again, over an entry the user hid, enables it again.
    std::ofstream(entry(), std::ios::app) << "Hidden=true\n";
    EXPECT_EQ(autostart.registerItem(), std::nullopt);
    EXPECT_EQ(fileText(entry()), text);
    EXPECT_EQ(autostart.unregisterItem(), std::nullopt);
    EXPECT_FALSE(fs::exists(entry()));
    EXPECT_TRUE(fs::is_empty(entry().parent_path()));
}

TEST_F(XdgAutostartTest, AForeignEntryOfTheSameNameIsLeftAlone) {
    fs::create_directories(entry().parent_path());
    const std::string foreign = "[Desktop Entry]\nType=Application\nName=Mine\nExec=/usr/bin/brillex --simulate\n";
    std::ofstream(entry()) << foreign;
    EXPECT_NE(autostart.registerItem(), std::nullopt);
    EXPECT_NE(autostart.unregisterItem(), std::nullopt);
    EXPECT_EQ(fileText(entry()), foreign);
    // Our mark in another group is not ours either.
    std::ofstream(entry(), std::ios::app) << "[Desktop Action x]\n" << XdgAutostart::kOwnMark << "\n";
    EXPECT_NE(autostart.unregisterItem(), std::nullopt);
    EXPECT_TRUE(fs::exists(entry()));
}

TEST_F(XdgAutostartTest, ExecQuotesEveryCharacterThatDesktopEntriesReserve) {
    const std::string text = XdgAutostart::entryText("/home/a b/100%/\"$x`\\y/brillex");
    EXPECT_NE(text.find("\nExec=\"/home/a b/100%%/\\\\\"\\\\$x\\\\`\\\\\\\\y/brillex\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nTryExec=/home/a b/100%/\"$x`\\\\y/brillex\n"), std::string::npos) << text;
}

TEST_F(XdgAutostartTest, AnUnwritableFolderIsReportedAndTheConfigHomeFollowsTheEnvironment) {
    std::ofstream(fs::path(folder.path()) / "autostart") << "a file where the folder should be";
    const auto failure = autostart.registerItem();
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("cannot create"), std::string::npos) << *failure;

    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(XdgAutostart::configHomeFromEnvironment(), fs::path("/home/someone/.config"));
    setenv("XDG_CONFIG_HOME", "/elsewhere", 1);
    EXPECT_EQ(XdgAutostart::configHomeFromEnvironment(), fs::path("/elsewhere"));
}

} // namespace
} // namespace brillex::x11
