#include <gtest/gtest.h>

#include <vector>

#include "base/Observable.h"
#include "base/Signal.h"

using namespace brillex;

TEST(Signal, CallsSlotsInConnectionOrderAndStopsAtCancel) {
    Signal<int> signal;
    std::vector<int> calls;
    auto first = signal.connect([&](int v) { calls.push_back(v * 10 + 1); });
    auto second = signal.connect([&](int v) { calls.push_back(v * 10 + 2); });
    signal.emit(1);
    first.cancel();
    signal.emit(2);
    EXPECT_EQ(calls, (std::vector<int>{11, 12, 22}));
    EXPECT_EQ(signal.connectionCount(), 1u);
}

TEST(Signal, SlotMayDisconnectAnotherDuringEmission) {
    Signal<> signal;
    int laterCalls = 0;
    Subscription later;
    auto first = signal.connect([&] { later.cancel(); });
    later = signal.connect([&] { ++laterCalls; });
    signal.emit();
    EXPECT_EQ(laterCalls, 0);
}

TEST(Signal, SubscriptionOutlivingSignalIsHarmless) {
    Subscription subscription;
    {
        Signal<> signal;
        subscription = signal.connect([] {});
    }
    subscription.cancel();
    EXPECT_FALSE(subscription.isActive());
}

TEST(Signal, MovedSubscriptionKeepsConnection) {
    Signal<> signal;
    int calls = 0;
    Subscription outer;
    {
        auto inner = signal.connect([&] { ++calls; });
        outer = std::move(inner);
    }
    signal.emit();
    EXPECT_EQ(calls, 1);
}

namespace {
struct Model : ObservableObject {
    Published<int> value{*this, 3};
};
} // namespace

TEST(Published, AnnouncesBeforeTheValueChanges) {
    Model model;
    std::vector<int> seen;
    auto sub = model.objectWillChange().connect([&] { seen.push_back(model.value.get()); });
    model.value = 4;
    model.value = 4;
    EXPECT_EQ(seen, (std::vector<int>{3, 4}));
    EXPECT_EQ(model.value.get(), 4);
}
