#pragma once

#include <string>
#include <utility>
#include <vector>

#include "edid/EdidReader.h"

namespace brillex {

// A reading as KEY=VALUE fields, in the order answers and log lines show them:
// valid, vendor, product, name, hdr, eotf, max, average, min, headroom. Fields
// the EDID does not give are left out, except name, which is "" then.
// Luminance (cd/m2) and headroom show three decimals, as edid-decode prints
// luminance; texts are quoted.
std::vector<std::pair<std::string, std::string>> edidFields(const EdidReading& reading);

} // namespace brillex
