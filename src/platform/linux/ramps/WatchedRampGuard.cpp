#include "platform/linux/ramps/WatchedRampGuard.h"

#include <QSocketNotifier>

#include "boost/BrightnessManager.h"

namespace brillex::x11 {

std::unique_ptr<SavedRampGuard> guardRamps(std::string displayName, const std::string& writerName,
                                           std::unique_ptr<RampWriter> writer, std::function<void(int)> watch,
                                           std::function<void()> unguarded) {
    const RampStore store(RampStore::defaultDirectory());
    SavedRampGuard::Options options;
    options.displayName = std::move(displayName);
    options.writer = writerName;
    options.guardianHelper = RampGuardian::helperPath();
    options.watch = std::move(watch);
    options.unguarded = std::move(unguarded);
    {
        RampWriters writers;
        writers.add(writerName, std::move(writer));
        SavedRampGuard::recoverAbandoned(store, writers, options.displayName, options.writer);
    }
    return std::make_unique<SavedRampGuard>(store, std::move(options));
}

WatchedRampGuard::WatchedRampGuard(MainLoop& loop, std::string displayName, const std::string& writerName,
                                   std::unique_ptr<RampWriter> writer) {
    // A guardian's death shows at once as the end of its socket.
    const auto watch = [this](int socket) {
        if (QSocketNotifier* old = watch_.release()) {
            old->setEnabled(false);
            old->deleteLater();  // it may be signalling now
        }
        if (socket < 0) return;
        watch_ = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
        QObject::connect(watch_.get(), &QSocketNotifier::activated, [this] { guard_->checkGuardian(); });
    };
    const auto unguarded = [&loop] { loop.post([] { BrightnessManager::shared().disableAllBoosts(); }); };
    guard_ = guardRamps(std::move(displayName), writerName, std::move(writer), watch, unguarded);
}

WatchedRampGuard::~WatchedRampGuard() = default;

} // namespace brillex::x11
