#include "Runner.h"

namespace brillex::sim {

void addSettingsCommands(Runner&) {}

} // namespace brillex::sim
