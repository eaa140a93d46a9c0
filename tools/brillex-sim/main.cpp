#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "CommandReference.h"
#include "Runner.h"

namespace {

namespace fs = std::filesystem;

// The demonstration script beside the program: share/brillex/demo.scn one
// folder up, where the package installs it and the build copies it.
fs::path demoScript(const char* argv0) {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) self = fs::absolute(argv0, error);
    return self.parent_path().parent_path() / "share" / "brillex" / "demo.scn";
}

int usage(const std::string& problem) {
    std::cerr << "brillex-sim: " << problem << "\nusage: brillex-sim [SCRIPT | - | --demo | --help | --version]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace brillex::sim;
    if (argc > 2) return usage("one script at most");
    const std::string word = argc == 2 ? argv[1] : "";
    if (word == "--help" || word == "-h") {
        std::cout << helpText();
        return 0;
    }
    if (word == "--version") {
        std::cout << "brillex-sim " << BRILLEX_VERSION << '\n';
        return 0;
    }
    // Nobody types a script at a prompt that says nothing: a terminal gets the usage.
    if (word.empty() && isatty(STDIN_FILENO))
        return usage("no script (name a file, pipe one in, give - to type one, or try --demo)");
    if (word.size() > 1 && word[0] == '-' && word != "--demo") return usage("unknown option: " + word);

    SimComputer computer;
    computer.install();
    Runner runner(computer);
    addAllCommands(runner);
    if (word.empty() || word == "-") return runner.run(std::cin);
    const fs::path script = word == "--demo" ? demoScript(argv[0]) : fs::path(word);
    std::ifstream file(script);
    if (!file) {
        std::cerr << "brillex-sim: cannot open " << script.string() << '\n';
        return 2;
    }
    runner.setScriptFolder(script.parent_path());
    return runner.run(file);
}
