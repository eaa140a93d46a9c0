#include "Runner.h"

namespace brillex::sim {

void addBoostCommands(Runner&) {}

} // namespace brillex::sim
