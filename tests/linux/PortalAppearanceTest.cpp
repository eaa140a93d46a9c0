#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>

#include "base/Log.h"
#include "platform/linux/services/PortalAppearance.h"
#include "support/PrivateBus.h"

namespace brillex::x11 {
namespace {

const QString portalName = QStringLiteral("org.freedesktop.portal.Desktop");

class PortalAppearanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!bus().running()) GTEST_SKIP() << "dbus-daemon is not installed";
    }

    static test::PrivateBus& bus() {
        static test::PrivateBus instance;
        return instance;
    }

    std::unique_ptr<test::DbusMock> startPortal(const std::string& parametersJson) {
        auto portal = std::make_unique<test::DbusMock>(bus(), BRILLEX_TEST_DATA_DIR "/portal_settings.py",
                                                       parametersJson, portalName);
        EXPECT_TRUE(portal->ready());
        return portal;
    }

    std::unique_ptr<PortalAppearance> watch(QDBusConnection connection = bus().connect("client")) {
        auto appearance = std::make_unique<PortalAppearance>(std::move(connection));
        subscription = appearance->observeThemeChanges([this] { ++notices; });
        return appearance;
    }

    // As the desktop changes it, with the value of the type it is given.
    void change(const QString& nameSpace, const QString& key, const QVariant& value) {
        QDBusMessage call = QDBusMessage::createMethodCall(portalName, "/org/freedesktop/portal/desktop",
                                                           "org.freedesktop.DBus.Mock", "ChangeSetting");
        call << nameSpace << key << QVariant::fromValue(QDBusVariant(value));
        ASSERT_EQ(bus().connect("desktop").call(call).type(), QDBusMessage::ReplyMessage);
    }

    static std::optional<std::string> match(const PortalAppearance& appearance) {
        return appearance.bestMatch({PortalAppearance::dark, PortalAppearance::light});
    }
    static void settle() { test::processEventsUntil([] { return false; }, std::chrono::milliseconds(200)); }

    Subscription subscription;
    int notices = 0;
};

TEST_F(PortalAppearanceTest, TheSchemeAtStartAndEachChangeOfItAreAnnouncedOnce) {
    auto portal = startPortal(R"({"color-scheme": 1})");
    auto appearance = watch();
    EXPECT_TRUE(test::processEventsUntil([&] { return notices == 1; }));
    EXPECT_EQ(match(*appearance), PortalAppearance::dark);
    EXPECT_EQ(appearance->bestMatch({PortalAppearance::light}), std::nullopt);

    // The signal and the re-read that match() asked for bring the same change.
    change("org.freedesktop.appearance", "color-scheme", 2u);
    EXPECT_TRUE(test::processEventsUntil([&] { return notices >= 2; }));
    EXPECT_EQ(match(*appearance), PortalAppearance::light);

    // No preference is light too; other settings of the desktop are no theme change.
    change("org.freedesktop.appearance", "color-scheme", 0u);
    change("org.freedesktop.appearance", "accent-color", 1u);
    change("org.gnome.desktop.interface", "color-scheme", 1u);
    settle();
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(match(*appearance), PortalAppearance::light);

    change("org.freedesktop.appearance", "color-scheme", 1u);
    EXPECT_TRUE(test::processEventsUntil([&] { return notices >= 3; }));
    settle();
    EXPECT_EQ(notices, 3);
    EXPECT_EQ(match(*appearance), PortalAppearance::dark);
}

TEST_F(PortalAppearanceTest, NonsenseSchemesAreIgnoredWithOneLineEach) {
    LogCapture log;
    auto portal = startPortal(R"({"color-scheme": "prefer-dark"})");
    auto appearance = watch();
    EXPECT_TRUE(test::processEventsUntil([&] { return !log.lines().empty(); }));
    match(*appearance);
    settle();
    EXPECT_EQ(match(*appearance), std::nullopt);
    EXPECT_EQ(log.lines(), std::vector<std::string>{
                               "PortalAppearance: the desktop portal's color-scheme is not a number (QString); ignored"});

    change("org.freedesktop.appearance", "color-scheme", 7u);
    change("org.freedesktop.appearance", "color-scheme", true);
    settle();
    EXPECT_EQ(notices, 0);
    ASSERT_EQ(log.lines().size(), 3u);
    EXPECT_EQ(log.lines()[1], "PortalAppearance: the desktop portal's color-scheme 7 is unknown; ignored");

    change("org.freedesktop.appearance", "color-scheme", 1u);
    EXPECT_TRUE(test::processEventsUntil([&] { return notices == 1; }));
    EXPECT_EQ(match(*appearance), PortalAppearance::dark);
}

TEST_F(PortalAppearanceTest, AMissingOrSlowPortalNeverHoldsTheCallerAndMatchesNothing) {
    {
        LogCapture log;
        auto appearance = watch();
        EXPECT_EQ(match(*appearance), std::nullopt);
        EXPECT_TRUE(test::processEventsUntil([&] { return !log.lines().empty(); }));
        EXPECT_NE(log.lines()[0].find("ServiceUnknown"), std::string::npos) << log.lines()[0];
    }

    auto portal = startPortal(R"({"color-scheme": 1, "delay": 3})");
    LogCapture log;
    QDBusConnection connection = bus().connect("client");
    QElapsedTimer clock;
    clock.start();
    auto appearance = watch(connection);
    EXPECT_EQ(match(*appearance), std::nullopt);
    // Well below the second that a call waiting for the answer would take.
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_TRUE(test::processEventsUntil([&] { return !log.lines().empty(); }));
    EXPECT_NE(log.lines()[0].find("NoReply"), std::string::npos) << log.lines()[0];
    EXPECT_EQ(notices, 0);
}

} // namespace
} // namespace brillex::x11
