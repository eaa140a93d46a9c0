#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "base/MainLoop.h"

namespace brillex {

// Posts tasks to the main loop on behalf of an owner: a task still queued
// when the owner (and with it this member) is gone does nothing.
class OwnedTasks {
public:
    explicit OwnedTasks(MainLoop& loop) : loop_(loop) {}
    OwnedTasks(const OwnedTasks&) = delete;
    OwnedTasks& operator=(const OwnedTasks&) = delete;

    void post(std::function<void()> task) {
        loop_.post([alive = std::weak_ptr<char>(alive_), task = std::move(task)] {
            if (alive.lock()) task();
        });
    }

private:
    MainLoop& loop_;
    std::shared_ptr<char> alive_ = std::make_shared<char>();
};

} // namespace brillex
