#include "Runner.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "edid/EdidFields.h"
#include "edid/EdidReader.h"

namespace brillex::sim {
namespace {

// Reads at most one byte more than the longest EDID, so that a device file
// that never ends is refused as too long rather than read forever.
std::vector<std::uint8_t> readFile(const Runner& runner, const std::string& name) {
    constexpr std::size_t kLimit = 256 * 128 + 1;
    std::ifstream file(runner.scriptPath(name), std::ios::binary);
    if (!file) throw CommandError("cannot open " + name);
    std::vector<std::uint8_t> bytes(kLimit);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) throw CommandError("cannot read " + name);
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

} // namespace

void addEdidCommands(Runner& runner) {
    runner.add("edid", [&runner](const Command& command) {
        command.expectWords(2);
        runner.answer("edid", edidFields(readEdid(readFile(runner, command.text(1)))));
    });
}

} // namespace brillex::sim
