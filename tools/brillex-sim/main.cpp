#include <filesystem>
#include <fstream>
#include <iostream>

#include "Runner.h"

int main(int argc, char** argv) {
    using namespace brillex::sim;
    if (argc > 2) {
        std::cerr << "usage: brillex-sim [SCRIPT]\n";
        return 2;
    }
    SimComputer computer;
    computer.install();
    Runner runner(computer);
    addAllCommands(runner);
    if (argc == 2) {
        std::ifstream script(argv[1]);
        if (!script) {
            std::cerr << "brillex-sim: cannot open " << argv[1] << '\n';
            return 2;
        }
        runner.setScriptFolder(std::filesystem::path(argv[1]).parent_path());
        return runner.run(script);
    }
    return runner.run(std::cin);
}
