#pragma once

#include <stdexcept>
#include <string>
#include <typeinfo>

namespace brillex {

// The platform implementation installed for one port interface T. The
// composition root (or a test) installs one; shared() instances read it on
// first use.
template <class T>
class Port {
public:
    static void install(T* impl) { impl_ = impl; }
    static bool isInstalled() { return impl_ != nullptr; }
    static T& get() {
        if (!impl_) throw std::logic_error(std::string("no platform installed for ") + typeid(T).name());
        return *impl_;
    }

private:
    static inline T* impl_ = nullptr;
};

} // namespace brillex
