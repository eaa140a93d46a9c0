#include "Runner.h"

namespace brillex::sim {

void addPowerCommands(Runner&) {}

} // namespace brillex::sim
