#include "Runner.h"

namespace brillex::sim {

void addControlsCommands(Runner&) {}

} // namespace brillex::sim
