#include "SequenceRun.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <sstream>

#include "Runner.h"
#include "SequenceGenerator.h"
#include "base/Log.h"
#include "boost/BrightnessManager.h"

namespace brillex::sim {
namespace {

// A sequence that has not ended by then is taken as hung.
constexpr unsigned timeLimitSeconds = 30;
constexpr int violationStatus = 3;

using LineSource = std::function<std::optional<std::string>(SimComputer&)>;

// Where a child leaves its records: shared memory the parent reads after the
// child ended, however it ended, with no system call per line.
class RecordArea {
public:
    RecordArea() {
        memory_ = static_cast<char*>(::mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                                            MAP_SHARED | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0));
        if (memory_ == MAP_FAILED) throw std::runtime_error("brillex-random: no shared memory");
    }
    RecordArea(const RecordArea&) = delete;
    RecordArea& operator=(const RecordArea&) = delete;
    ~RecordArea() { ::munmap(memory_, capacity); }

    void clear() { used() = 0; }
    void append(const std::string& record) {
        auto& size = used();
        if (header + size + record.size() + 1 > capacity) _exit(2);
        std::memcpy(memory_ + header + size, record.data(), record.size());
        memory_[header + size + record.size()] = '\n';
        size += record.size() + 1;
    }
    std::string text() { return std::string(memory_ + header, used()); }

private:
    static constexpr std::size_t capacity = std::size_t{64} << 20;
    static constexpr std::size_t header = sizeof(std::size_t);
    std::size_t& used() { return *reinterpret_cast<std::size_t*>(memory_); }

    char* memory_;
};

RecordArea& records() {
    static RecordArea area;
    return area;
}

// The child's side: plays each line on a fresh computer, checks after each,
// and reports every line before it runs, so a crash still leaves the script.
[[noreturn]] void playInChild(const LineSource& next) {
    alarm(timeLimitSeconds);
    SimComputer computer;
    computer.install();
    Runner runner(computer);
    addAllCommands(runner);
    std::ostringstream answers;
    std::cout.rdbuf(answers.rdbuf());
    LogCapture log;
    InvariantChecker checker(computer);
    while (const auto line = next(computer)) {
        records().append("L " + *line);
        checker.beforeStep(*line);
        runner.runLine(*line);
        std::vector<std::string> output = log.lines();
        std::istringstream printed(answers.str());
        for (std::string answer; std::getline(printed, answer);) output.push_back(answer);
        log.clear();
        answers.str({});
        if (const auto broken = checker.afterStep(*line, output)) {
            records().append("F " + broken->kind + "\t" + broken->detail);
            _exit(violationStatus);
        }
    }
    _exit(0);
}

std::string describe(int status) {
    if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
    return "exit status " + std::to_string(WEXITSTATUS(status));
}

SequenceOutcome playForked(const LineSource& next, bool quiet) {
    records().clear();
    std::fflush(stdout);
    std::cout.flush();
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("brillex-random: cannot fork");
    if (pid == 0) {
        if (quiet) {
            const int null = ::open("/dev/null", O_WRONLY);
            if (null >= 0) ::dup2(null, STDERR_FILENO);
        }
        playInChild(next);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}

    SequenceOutcome outcome;
    std::istringstream in(records().text());
    for (std::string record; std::getline(in, record);) {
        if (record.starts_with("L ")) {
            outcome.lines.push_back(record.substr(2));
        } else if (record.starts_with("F ")) {
            const auto tab = record.find('\t');
            outcome.violation = Violation{record.substr(2, tab - 2), tab == std::string::npos ? "" : record.substr(tab + 1)};
        }
    }
    const bool passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    const bool reported = WIFEXITED(status) && WEXITSTATUS(status) == violationStatus && outcome.violation;
    if (!passed && !reported) outcome.violation = Violation{"crash", describe(status)};
    return outcome;
}

} // namespace

SequenceOutcome playSeed(std::uint64_t seed, int steps) {
    return playForked(
        [generator = SequenceGenerator(seed, steps)](SimComputer& computer) mutable {
            WorldView world;
            for (const auto& screen : computer.screens.screens()) {
                if (screen.displayId) world.attached.insert(*screen.displayId);
            }
            if (computer.application.isLaunched() && !computer.application.isTerminated()) {
                world.boostStates = BrightnessManager::shared().stateIds();
            }
            return generator.next(world);
        },
        false);
}

SequenceOutcome playLines(const std::vector<std::string>& lines, bool quiet) {
    return playForked(
        [&lines, index = std::size_t{0}](SimComputer&) mutable -> std::optional<std::string> {
            if (index >= lines.size()) return std::nullopt;
            return lines[index++];
        },
        quiet);
}

} // namespace brillex::sim
