#include <gtest/gtest.h>

#include <memory>

#include "base/ManualLoop.h"
#include "settings/MemoryStore.h"

using namespace brillex;

TEST(MemoryStore, KeepsEachTypeAsWrittenAndForgetsRemovedKeys) {
    ManualLoop loop;
    MemoryStore store(loop);
    EXPECT_FALSE(store.get("a"));
    store.set("a", true);
    store.set("b", -9223372036854775807LL - 1);
    store.set("c", std::string("20"));
    EXPECT_EQ(store.get("a"), SettingValue(true));
    EXPECT_EQ(store.get("b"), SettingValue(-9223372036854775807LL - 1));
    EXPECT_EQ(store.get("c"), SettingValue(std::string("20")));
    store.set("a", 1LL);
    EXPECT_EQ(store.get("a"), SettingValue(1LL));
    store.remove("a");
    store.remove("never-written");
    EXPECT_FALSE(store.get("a"));
}

TEST(MemoryStore, PostsOneNotificationPerWriteOnTheMainLoop) {
    ManualLoop loop;
    MemoryStore store(loop);
    int changes = 0;
    auto subscription = store.observeChanges([&] { ++changes; });
    store.set("a", true);
    store.set("a", true);
    store.remove("a");
    EXPECT_EQ(changes, 0);  // never inside the write itself
    loop.runPending();
    EXPECT_EQ(changes, 3);

    subscription.cancel();
    store.set("a", false);
    loop.runPending();
    EXPECT_EQ(changes, 3);
}

TEST(MemoryStore, PendingNotificationOfADestroyedStoreDoesNothing) {
    ManualLoop loop;
    int changes = 0;
    Subscription subscription;
    {
        auto store = std::make_unique<MemoryStore>(loop);
        subscription = store->observeChanges([&] { ++changes; });
        store->set("a", true);
    }
    loop.runPending();
    EXPECT_EQ(changes, 0);
}
