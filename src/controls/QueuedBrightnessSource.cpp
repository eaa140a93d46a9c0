#include "controls/QueuedBrightnessSource.h"

namespace brillex {

std::shared_ptr<QueuedBrightnessSource> QueuedBrightnessSource::make(std::unique_ptr<BrightnessWorker> worker,
                                                                     MainLoop& loop, Events events) {
    std::shared_ptr<QueuedBrightnessSource> source(
        new QueuedBrightnessSource(std::move(worker), loop, std::move(events)));
    source->pump();
    return source;
}

QueuedBrightnessSource::QueuedBrightnessSource(std::unique_ptr<BrightnessWorker> worker, MainLoop& loop, Events events)
    : worker_(std::move(worker)), loop_(loop), events_(std::move(events)) {}

BrightnessSources::Functions QueuedBrightnessSource::functions() {
    auto self = shared_from_this();
    return {DisplayBrightnessState::GetFunction([self](DisplayId, float* value) { return self->get(value); }),
            DisplayBrightnessState::SetFunction([self](DisplayId, float value) { return self->set(value); })};
}

std::int32_t QueuedBrightnessSource::get(float* value) {
    if (failed_) return kFailed;
    if (!lastRead_ || loop_.now() - *lastRead_ >= kReadInterval) {
        readWanted_ = true;
        pump();
    }
    if (!value_) return kNotYetRead;
    *value = *value_;
    return 0;
}

std::int32_t QueuedBrightnessSource::set(float value) {
    if (failed_) return kFailed;
    value_ = value;
    target_ = value;
    pump();
    return 0;
}

void QueuedBrightnessSource::pump() {
    if (busy_ || failed_) return;
    if (target_) {
        const double wait = lastWrite_ ? *lastWrite_ + kWriteInterval - loop_.now() : 0.0;
        if (wait > 0.0) {
            // The timer is a member: it never fires for a source that is gone.
            if (!writeTimer_.isValid()) writeTimer_ = loop_.schedule(wait, false, [this] { pump(); });
            return;
        }
        const float value = *std::exchange(target_, std::nullopt);
        lastWrite_ = loop_.now();
        // What the display holds is read back once the writes settle.
        readWanted_ = true;
        start([value, weak = weak_from_this()](BrightnessDevice& device) -> BrightnessWorker::Completion {
            const std::int32_t status = device.write(value);
            return [weak, status] {
                if (auto self = weak.lock()) self->written(status);
            };
        });
        return;
    }
    if (!readWanted_) return;
    readWanted_ = false;
    start([weak = weak_from_this()](BrightnessDevice& device) -> BrightnessWorker::Completion {
        const BrightnessDevice::Reading reading = device.read();
        return [weak, reading] {
            if (auto self = weak.lock()) self->readDone(reading);
        };
    });
}

void QueuedBrightnessSource::start(BrightnessWorker::Job job) {
    busy_ = true;
    worker_->run(std::move(job));
}

void QueuedBrightnessSource::written(std::int32_t status) {
    busy_ = false;
    if (status != 0) return fail(status);
    pump();
}

void QueuedBrightnessSource::readDone(BrightnessDevice::Reading reading) {
    busy_ = false;
    if (reading.status != 0) return fail(reading.status);
    lastRead_ = loop_.now();
    // A value asked for since the reading began is newer than the reading.
    if (!target_ && value_ != reading.value) {
        value_ = reading.value;
        if (events_.fresh) events_.fresh();
    }
    pump();
}

void QueuedBrightnessSource::fail(std::int32_t status) {
    failed_ = true;
    target_.reset();
    writeTimer_.invalidate();
    if (events_.failed) events_.failed(status);
}

} // namespace brillex
