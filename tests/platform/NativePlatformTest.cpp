#include <array>

#include <gtest/gtest.h>

#include "platform/common/NativePlatform.h"

namespace brillex::platform {
namespace {

struct Opened : NativePlatform {
    std::unique_ptr<InstalledPorts> install(MainLoop&) override { return nullptr; }
};

NativeOpening refuseA(const NativeOptions&) { return std::string("no A here"); }
NativeOpening refuseB(const NativeOptions&) { return std::string("no B here"); }
NativeOpening accept(const NativeOptions& options) {
    if (options.builtInOutput != "eDP-1") return std::string("options not passed");
    return std::make_unique<Opened>();
}
NativeOpening mustNotRun(const NativeOptions&) { return std::string("tried after a platform opened"); }
std::optional<std::string> noDesktop() { return std::string("no desktop here"); }
std::optional<std::string> desktop() { return std::nullopt; }

TEST(NativePlatform, TheFirstThatOpensWinsAndOtherwiseEveryReasonIsOneLine) {
    const NativeOptions options{"eDP-1"};
    const std::array<NativePlatformEntry, 3> opens{{{"a", &refuseA, &noDesktop}, {"x", &accept, &desktop}, {"late", &mustNotRun, &desktop}}};
    EXPECT_TRUE(std::holds_alternative<std::unique_ptr<NativePlatform>>(openNativePlatform(opens, options)));

    const std::array<NativePlatformEntry, 2> refuse{{{"a", &refuseA, &noDesktop}, {"b", &refuseB, &noDesktop}}};
    EXPECT_EQ(std::get<std::string>(openNativePlatform(refuse, options)), "no A here; no B here");
    EXPECT_EQ(std::get<std::string>(openNativePlatform({}, options)), "no native platform is built for this system");
}

TEST(NativePlatform, ADesktopIsFoundByAnyEntryAndWithoutEntriesNothingIsAsked) {
    const std::array<NativePlatformEntry, 2> none{{{"a", &refuseA, &noDesktop}, {"b", &refuseB, &noDesktop}}};
    EXPECT_EQ(findDesktop(none), "no desktop here; no desktop here");
    const std::array<NativePlatformEntry, 2> second{{{"a", &refuseA, &noDesktop}, {"b", &accept, &desktop}}};
    EXPECT_EQ(findDesktop(second), std::nullopt);
    EXPECT_EQ(findDesktop({}), std::nullopt);
}

} // namespace
} // namespace brillex::platform
