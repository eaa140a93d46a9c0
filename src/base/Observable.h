#pragma once

#include <utility>

#include "base/Signal.h"

namespace brillex {

// A long-lived model object whose observers are told before any published
// field changes, so that they can redraw on their next turn.
class ObservableObject {
public:
    ObservableObject() = default;
    ObservableObject(const ObservableObject&) = delete;
    ObservableObject& operator=(const ObservableObject&) = delete;
    virtual ~ObservableObject() = default;

    Signal<>& objectWillChange() { return objectWillChange_; }

private:
    Signal<> objectWillChange_;
};

// A field of an ObservableObject: every assignment announces the change on
// the owner first, then stores the value.
template <class T>
class Published {
public:
    Published(ObservableObject& owner, T initial) : owner_(owner), value_(std::move(initial)) {}
    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const T& get() const { return value_; }
    operator const T&() const { return value_; }

    void set(T value) {
        owner_.objectWillChange().emit();
        value_ = std::move(value);
    }
    Published& operator=(T value) {
        set(std::move(value));
        return *this;
    }

private:
    ObservableObject& owner_;
    T value_;
};

} // namespace brillex
