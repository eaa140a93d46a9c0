#pragma once

#include <any>
#include <functional>
#include <optional>
#include <string>
#include <typeinfo>

namespace brillex {

// A native library that has been loaded. A C symbol carries no type, so the
// caller names the signature it expects, as a cast of a looked-up address
// would; the platform hands back a callable of that signature, or nothing when
// the library has no such symbol or cannot call it with that signature.
class NativeLibrary {
public:
    virtual ~NativeLibrary() = default;

    template <class Signature>
    std::optional<std::function<Signature>> function(const std::string& name) const {
        std::any found = symbol(name, typeid(Signature));
        if (auto* callable = std::any_cast<std::function<Signature>>(&found)) return *callable;
        return std::nullopt;
    }

protected:
    // The symbol `name` as a std::function of `signature` inside the any, or
    // an empty any.
    virtual std::any symbol(const std::string& name, const std::type_info& signature) const = 0;
};

// Opens native libraries by absolute path, resolving every symbol at once.
// Libraries stay loaded for the life of the process; handles are never closed.
class LibraryLoader {
public:
    struct Result {
        const NativeLibrary* library = nullptr; // owned by the loader; null on failure
        std::string error;                      // the platform's failure text when null
    };

    virtual ~LibraryLoader() = default;
    virtual Result open(const std::string& path) = 0;
};

} // namespace brillex
