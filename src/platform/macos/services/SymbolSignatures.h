#pragma once

#include <any>
#include <typeinfo>

namespace brillex::macos {

// The function types the core looks native symbols up with. A C symbol has
// no type of its own: its address is cast to exactly the type the caller
// names, and only to a type of this table, so that a look-up with any other
// signature finds nothing instead of calling a function the wrong way.
class SymbolSignatures {
public:
    // `address` as a std::function of `signature` inside the any; an empty
    // any for a null address or a signature the table does not hold.
    static std::any wrap(void* address, const std::type_info& signature);
};

} // namespace brillex::macos
