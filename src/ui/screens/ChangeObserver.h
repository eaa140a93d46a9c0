#pragma once

#include <QObject>

#include <functional>
#include <vector>

#include "base/Observable.h"
#include "settings/SettingsStore.h"

namespace brillex {

// Lets a view redraw after the models it shows change. Models announce a
// change before it happens, so the redraw runs on the next turn of the event
// loop; any number of announcements before then make one redraw. Nothing
// runs after the observer (and so its view) is gone.
class ChangeObserver : public QObject {
    Q_OBJECT
public:
    explicit ChangeObserver(std::function<void()> redraw, QObject* parent = nullptr);

    void watch(ObservableObject& model);
    void watch(Signal<>& signal);
    // The store's change notification, which follows every settings write.
    void watch(SettingsStore& store);
    // Drops every watched model (before the set of models is rebuilt).
    void clear() { subscriptions_.clear(); }
    // Asks for a redraw on the next turn, as an announcement does.
    void schedule();

private:
    std::function<void()> redraw_;
    std::vector<Subscription> subscriptions_;
    bool pending_ = false;
};

} // namespace brillex
