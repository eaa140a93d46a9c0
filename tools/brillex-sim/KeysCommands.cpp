#include "Runner.h"

namespace brillex::sim {

void addKeysCommands(Runner&) {}

} // namespace brillex::sim
