#pragma once

#include <utility>

#include "base/Observable.h"

namespace brillex {

// A published field that only its owner class writes. Everyone reads it and
// observes the owner; writes go through the owner's operations, so that no
// caller can store a value and skip the sequence that must follow it (a boost
// switched on without its overlay, a state dropped without being switched off).
template <class Owner, class T>
class OwnedPublished {
public:
    OwnedPublished(ObservableObject& owner, T initial) : owner_(owner), value_(std::move(initial)) {}
    OwnedPublished(const OwnedPublished&) = delete;
    OwnedPublished& operator=(const OwnedPublished&) = delete;

    const T& get() const { return value_; }
    operator const T&() const { return value_; }
    const T* operator->() const { return &value_; }

private:
    friend Owner;

    // Announces on the owner, then stores.
    void set(T value) {
        owner_.objectWillChange().emit();
        value_ = std::move(value);
    }
    // Announces on the owner, then changes the value in place.
    template <class Change>
    void modify(Change&& change) {
        owner_.objectWillChange().emit();
        std::forward<Change>(change)(value_);
    }

    ObservableObject& owner_;
    T value_;
};

} // namespace brillex
