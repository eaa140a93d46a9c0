#include "Runner.h"

namespace brillex::sim {

void addAppCommands(Runner&) {}

} // namespace brillex::sim
