#include "boost/UnrestoredTables.h"

#include <string>

#include "base/Log.h"

namespace brillex {

void UnrestoredTables::keep(DisplayId display, GammaTable table) {
    kept_.insert_or_assign(display, std::move(table));
}

std::optional<GammaTable> UnrestoredTables::take(DisplayId display) {
    const auto it = kept_.find(display);
    if (it == kept_.end()) return std::nullopt;
    auto table = std::move(it->second);
    kept_.erase(it);
    return table;
}

void UnrestoredTables::writeBack(TransferTables& tables) {
    for (auto it = kept_.begin(); it != kept_.end();) {
        if (writeGammaTable(it->first, it->second, tables)) {
            logLine("Gamma restored: display=" + std::to_string(it->first));
            it = kept_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace brillex
