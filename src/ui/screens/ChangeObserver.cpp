#include "ui/screens/ChangeObserver.h"

namespace brillex {

ChangeObserver::ChangeObserver(std::function<void()> redraw, QObject* parent)
    : QObject(parent), redraw_(std::move(redraw)) {}

void ChangeObserver::watch(ObservableObject& model) { watch(model.objectWillChange()); }

void ChangeObserver::watch(Signal<>& signal) {
    subscriptions_.push_back(signal.connect([this] { schedule(); }));
}

void ChangeObserver::watch(SettingsStore& store) {
    subscriptions_.push_back(store.observeChanges([this] { schedule(); }));
}

void ChangeObserver::schedule() {
    if (pending_) return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pending_ = false;
            redraw_();
        },
        Qt::QueuedConnection);
}

} // namespace brillex
