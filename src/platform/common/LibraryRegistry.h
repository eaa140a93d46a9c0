#pragma once

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "controls/LibraryLoader.h"

namespace brillex::platform {

// Native libraries by path: what a path holds and which functions it exports,
// as a platform registers them. Nothing is found at a path until a library is placed
// there. Loaded libraries are never unloaded: a library taken away afterwards
// only makes later opens fail, and a function taken away is only missing from
// later look-ups.
class LibraryRegistry : public LibraryLoader {
public:
    Result open(const std::string& path) override;

    // Places a library at `path` (keeping the functions it had) or takes it away.
    void setPresent(const std::string& path, bool present);
    // Exports `function` under `name` from the library at `path`, placing it
    // there if needed.
    template <class Signature>
    void define(const std::string& path, const std::string& name, std::function<Signature> function) {
        library(path).functions[name] = std::move(function);
    }
    void undefine(const std::string& path, const std::string& name);

private:
    struct Library : NativeLibrary {
        bool present = true;
        std::map<std::string, std::any> functions;

    protected:
        std::any symbol(const std::string& name, const std::type_info&) const override;
    };

    Library& library(const std::string& path);

    std::map<std::string, std::unique_ptr<Library>> libraries_;
};

} // namespace brillex::platform
