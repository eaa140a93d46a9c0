#pragma once

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/Patience.h"

namespace brillex::test {

// A private folder for one program run: settings and its output.
struct Scratch {
    Scratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "brillex-program-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~Scratch() { std::filesystem::remove_all(path); }
    std::string text(const std::string& name) const {
        std::ifstream in(path / name);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::filesystem::path path;
};

// brillex started with `arguments` and an environment changed by `set` (an
// empty value unsets the variable), behind `launcher` when given (a command
// that ends by running the rest of its words); both output streams go to out.txt.
inline pid_t startProgram(const Scratch& scratch, const std::vector<std::string>& arguments,
                          const std::map<std::string, std::string>& set,
                          const std::vector<std::string>& launcher = {}) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setenv("XDG_CONFIG_HOME", (scratch.path / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", scratch.path.c_str(), 1);
    // No buses unless given: never the user's, and no other run's instance to defer to.
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (scratch.path / "no-bus").string()).c_str(), 1);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + (scratch.path / "no-bus").string()).c_str(), 1);
    for (const auto& [name, value] : set) {
        if (value.empty()) unsetenv(name.c_str());
        else setenv(name.c_str(), value.c_str(), 1);
    }
    const std::string out = (scratch.path / "out.txt").string();
    if (!freopen(out.c_str(), "w", stdout) || dup2(fileno(stdout), STDERR_FILENO) < 0) _exit(126);
    std::vector<char*> argv;
    for (const auto& word : launcher) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(const_cast<char*>(BRILLEX_PROGRAM));
    for (const auto& word : arguments) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

// The exit status, or -1 (and the program killed) when it is still running after `limit`.
inline int waitForExit(pid_t pid, std::chrono::milliseconds limit = kPatience) {
    int status = 0;
    if (!eventually([&] { return waitpid(pid, &status, WNOHANG) != 0; }, limit)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// `brillex ctl WORDS` against the instance on session bus `bus`: its exit
// status and everything it printed.
inline std::pair<int, std::string> ctlRun(const std::string& bus, const std::string& words) {
    const std::string command =
        "DBUS_SESSION_BUS_ADDRESS='" + bus + "' " + std::string(BRILLEX_PROGRAM) + " ctl " + words + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) text += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

// Its output alone.
inline std::string ctl(const std::string& bus, const std::string& words) { return ctlRun(bus, words).second; }

} // namespace brillex::test
