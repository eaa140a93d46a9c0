// `brillex ctl` against a real `brillex --simulate` on a private session bus.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/BusDaemon.h"
#include "support/Patience.h"
#include "support/RawBusClient.h"

extern char** environ;

using namespace brillex;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A private session bus, a private settings folder and the program's
// environment pointing at both. Everything stops when the world goes.
class ControlWorld {
public:
    ControlWorld() {
        char pattern[] = "/tmp/brillex-ctl-XXXXXX";
        folder_ = mkdtemp(pattern);
        environment_ = {"DBUS_SESSION_BUS_ADDRESS=" + bus_.address(),
                        "QT_QPA_PLATFORM=offscreen",
                        "XDG_CONFIG_HOME=" + (folder_ / "config").string(),
                        "XDG_RUNTIME_DIR=" + folder_.string(),
                        "HOME=" + folder_.string(),
                        "PATH=/usr/bin:/bin"};
    }
    ~ControlWorld() {
        for (auto it = programs_.rbegin(); it != programs_.rend(); ++it) stop(*it);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    ControlWorld(const ControlWorld&) = delete;
    ControlWorld& operator=(const ControlWorld&) = delete;

    bool hasBus() const { return bus_.running(); }
    const std::string& busAddress() const { return bus_.address(); }
    // Points the programs at a bus that does not exist.
    void loseBus() { environment_[0] = "DBUS_SESSION_BUS_ADDRESS=unix:path=" + (folder_ / "no-bus").string(); }

    // Runs brillex with `arguments` to the end; status -1 when it had to be
    // killed, still running after the test's patience ran out.
    Result run(const std::vector<std::string>& arguments) const {
        const std::string out = (folder_ / "run.out").string();
        const std::string err = (folder_ / "run.err").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const pid_t pid = spawn(arguments, &actions);
        posix_spawn_file_actions_destroy(&actions);
        Result result;
        result.status = waitFor(pid, test::kPatience);
        if (result.status < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        result.out = fileText(out);
        result.err = fileText(err);
        return result;
    }
    Result ctl(const std::vector<std::string>& words) const {
        std::vector<std::string> arguments{"ctl"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        return run(arguments);
    }

    // Starts the simulated program, its output into `log`; waits until it
    // answers on the bus.
    pid_t start(const std::string& log) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string path = (folder_ / log).string();
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        const pid_t pid = spawn({"--simulate", "--no-simulator-window"}, &actions);
        posix_spawn_file_actions_destroy(&actions);
        programs_.push_back(pid);
        EXPECT_TRUE(test::eventually([&] { return ctl({"status"}).status == 0; }, test::kPatience,
                                     std::chrono::milliseconds(50)))
            << "the program did not answer on the bus: " << fileText(folder_ / log);
        return pid;
    }
    std::string log(const std::string& name) const { return fileText(folder_ / name); }

    // The exit status of a program started here, waiting at most `limit`;
    // -1 when it is still running then.
    int exitStatus(pid_t pid, std::chrono::milliseconds limit) {
        const int status = waitFor(pid, limit);
        if (status >= 0) std::erase(programs_, pid);
        return status;
    }

private:
    pid_t spawn(const std::vector<std::string>& arguments, posix_spawn_file_actions_t* actions) const {
        std::vector<std::string> words{BRILLEX_PROGRAM};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = environment_;
        std::vector<char*> envp;
        for (auto& entry : env) envp.push_back(entry.data());
        envp.push_back(nullptr);
        pid_t pid = -1;
        posix_spawn(&pid, BRILLEX_PROGRAM, actions, nullptr, argv.data(), envp.data());
        return pid;
    }
    static int waitFor(pid_t pid, std::chrono::milliseconds limit) {
        int status = 0;
        if (!test::eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit)) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    static void stop(pid_t pid) {
        kill(pid, SIGCONT);
        kill(pid, SIGTERM);
        if (waitFor(pid, test::kPatience) >= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }

    test::BusDaemon bus_;
    fs::path folder_;
    std::vector<std::string> environment_;
    std::vector<pid_t> programs_;
};

bool oneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

const char* const kDemoStatus =
    "display 1 \"Built-in Liquid Retina XDR Display\" builtin=true xdr=true boost=off level=0.0 percent=0 nits=500 "
    "brightness=1.0\n"
    "display 2 \"LG UltraFine 5K\" builtin=false xdr=true boost=off level=0.0 percent=0 nits=500 brightness=1.0\n"
    "battery level=76.0 on-battery=false charging=true\n"
    "keyboard available=true level=0.5\n";

class ControlBusTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(world.hasBus()) << "dbus-daemon did not start"; }
    ControlWorld world;
};

TEST_F(ControlBusTest, WithoutARunningInstanceOrABusCtlFailsWithOneLine) {
    const Result none = world.ctl({"status"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "brillex: no running Brillex instance\n");

    world.loseBus();
    const Result noBus = world.ctl({"up"});
    EXPECT_EQ(noBus.status, 1);
    EXPECT_TRUE(oneLine(noBus.err)) << noBus.err;
}

TEST_F(ControlBusTest, EveryCommandAndItsErrorsOnTheDemoWorld) {
    world.start("brillex.log");
    EXPECT_EQ(world.ctl({"status"}).out, kDemoStatus);

    EXPECT_EQ(world.ctl({"boost", "1", "on"}).status, 0);
    EXPECT_EQ(world.ctl({"level", "1", "0.5"}).status, 0);
    EXPECT_EQ(world.ctl({"level", "2", "0.25"}).status, 0);
    EXPECT_EQ(world.ctl({"boost", "all", "on"}).status, 0);
    const Result on = world.ctl({"status"});
    EXPECT_EQ(on.status, 0);
    EXPECT_EQ(on.err, "");
    EXPECT_EQ(on.out,
              "display 1 \"Built-in Liquid Retina XDR Display\" builtin=true xdr=true boost=on level=0.5 percent=100 "
              "nits=1050 brightness=1.0\n"
              "display 2 \"LG UltraFine 5K\" builtin=false xdr=true boost=on level=0.25 percent=25 nits=575 "
              "brightness=1.0\n"
              "battery level=76.0 on-battery=false charging=true\n"
              "keyboard available=true level=0.5\n");

    const std::vector<std::vector<std::string>> refused = {
        {},           {"boost", "3", "on"},          {"level", "9", "0.5"},  {"level", "1", "nan"},
        {"level", "1", "inf"}, {"level", "1", "0.5x"}, {"level", "1", ""},    {"boost", "1", "on", "now"},
        {"boost", "1"}, {"up", "twice"},               {"jump"},
    };
    for (const auto& words : refused) {
        std::string shown;
        for (const auto& word : words) shown += "[" + word + "]";
        SCOPED_TRACE(shown);
        const Result result = world.ctl(words);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(oneLine(result.err)) << result.err;
    }
    EXPECT_EQ(world.ctl({"level", "9", "0.5"}).err, "brillex: unknown display: 9\n");
    EXPECT_EQ(world.ctl({"status"}).out, on.out);

    EXPECT_EQ(world.ctl({"boost", "all", "off"}).status, 0);
    EXPECT_EQ(world.ctl({"status"}).out, kDemoStatus);
}

TEST_F(ControlBusTest, UpAtFullBrightnessStepsTheBoostAndDownBringsItBack) {
    world.start("brillex.log");
    world.ctl({"boost", "1", "on"});
    world.ctl({"level", "1", "0.95"});
    EXPECT_EQ(world.ctl({"up"}).status, 0);
    const std::string full = world.ctl({"status"}).out;
    EXPECT_NE(full.find("boost=on level=1.0 percent=200 nits=1600"), std::string::npos) << full;
    world.ctl({"up"}); // stays at the top
    EXPECT_EQ(world.ctl({"status"}).out, full);

    EXPECT_EQ(world.ctl({"down"}).status, 0);
    const std::string lower = world.ctl({"status"}).out;
    EXPECT_NE(lower.find("boost=on level=0.95 percent=190 nits=1545"), std::string::npos) << lower;
}

TEST_F(ControlBusTest, QuitAnswersThenEndsTheProgramWithEveryTableWrittenBack) {
    const pid_t program = world.start("brillex.log");
    world.ctl({"boost", "1", "on"});
    world.ctl({"level", "1", "0.8"});
    world.ctl({"boost", "2", "on"});

    const Result quit = world.ctl({"quit"});
    EXPECT_EQ(quit.status, 0);
    EXPECT_EQ(quit.out + quit.err, "");
    EXPECT_EQ(world.exitStatus(program, test::kPatience), 0);
    const std::string log = world.log("brillex.log");
    EXPECT_NE(log.find("Gamma restored: display=1\nXDR Boost Disabled for display: 1"), std::string::npos) << log;
    EXPECT_NE(log.find("Gamma restored: display=2\nXDR Boost Disabled for display: 2"), std::string::npos) << log;
    EXPECT_EQ(world.ctl({"status"}).err, "brillex: no running Brillex instance\n");
}

TEST_F(ControlBusTest, ASecondStartShowsTheFirstOnesPopoverAndExitsZero) {
    const pid_t first = world.start("first.log");
    const auto began = Clock::now();
    const Result second = world.run({"--simulate", "--no-simulator-window"});
    EXPECT_EQ(second.status, 0);
    // At once, not after a call's 25 s default timeout: what is left is the start of a loaded machine.
    EXPECT_LT(Clock::now() - began, std::chrono::seconds(15));
    EXPECT_NE(world.log("first.log").find("Another start of the program asked for the popover"), std::string::npos);
    EXPECT_EQ(world.exitStatus(first, std::chrono::milliseconds(0)), -1); // the first one runs on
    EXPECT_EQ(world.ctl({"status"}).status, 0);
}

TEST_F(ControlBusTest, AnInstanceThatDoesNotAnswerCostsAboutASecond) {
    const pid_t program = world.start("brillex.log");
    kill(program, SIGSTOP);
    const auto began = Clock::now();
    const Result result = world.ctl({"status"});
    const auto waited = Clock::now() - began;
    kill(program, SIGCONT);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "brillex: the running Brillex did not answer within a second\n");
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    // About a second, not a call's 25 s default timeout; the rest is starting ctl on a loaded machine.
    EXPECT_LT(waited, std::chrono::seconds(15));
}

// A client that writes the wire format itself sends what QtDBus and libdbus
// would never build. The bus refuses the malformed messages; the well-formed
// but hostile ones reach the program, which answers each and keeps serving.
TEST_F(ControlBusTest, OverlongAndMalformedMessagesFromARawClientLeaveTheProgramAnswering) {
    world.start("brillex.log");
    // `lists` lists of `count` times `word`.
    const auto words = [](std::size_t count, const std::string& word, int lists = 1) {
        test::WireWriter w;
        for (int i = 0; i < lists; ++i) w.array(4, count, [&](std::size_t) { w.string(word); });
        return w.bytes;
    };
    const auto nested = [](char container, int depth) {
        test::WireWriter w;
        for (int i = 0; i < depth; ++i) {
            if (container == 'v') w.signature(i + 1 < depth ? "v" : "s");
            else w.u32(0);
        }
        if (container == 'v') w.string("status");
        return w.bytes;
    };
    struct Case {
        const char* name;
        std::string signature;
        std::string body;
        bool delivered;
        void (*change)(test::RawMessage&) = nullptr;
    };
    const std::vector<Case> cases = {
        {"100000 words", "as", words(100000, "x"), true},
        {"a word of 4 MiB", "as", words(1, std::string(4 << 20, 'y')), true},
        {"an int for the words", "i", std::string("\7\0\0\0", 4), true},
        {"a second list of words", "asas", words(1, "status", 2), true},
        {"no arguments", "", "", true},
        {"a variant 32 deep", "v", nested('v', 32), true},
        {"an unknown method", "as", words(1, "status"), true, [](test::RawMessage& m) { m.member = "Jump"; }},
        {"another interface", "as", words(1, "status"), true,
         [](test::RawMessage& m) { m.interface = "org.brillex.Brillex.Other"; }},
        {"no reply wanted", "as", words(1, "status"), false, [](test::RawMessage& m) { m.flags = 1; }},
        {"a word that is not UTF-8", "as", words(1, "\xff\xfe\xc3"), false},
        {"a word with a NUL in it", "as", words(1, std::string("sta\0tus", 7)), false},
        {"arrays 40 deep", std::string(40, 'a') + "s", nested('a', 1), false},
        {"variants 100 deep", "v", nested('v', 100), false},
        {"an unbalanced signature", "(as", words(1, "status"), false},
        {"bytes after the arguments", "as", words(1, "status") + "trailing", false},
        {"a list longer than the body", "as", std::string("\xe8\x03\0\0\1\0\0\0x\0", 10), false},
        {"a body shorter than stated", "as", words(1, "status"), false,
         [](test::RawMessage& m) { m.bodyLength = static_cast<std::int64_t>(m.body.size()) + 100; }},
        {"a message of 200 MiB by its header", "as", words(1, "status"), false,
         [](test::RawMessage& m) { m.bodyLength = 200 << 20; }},
        {"no member", "as", words(1, "status"), false, [](test::RawMessage& m) { m.member.clear(); }},
        {"an unknown byte order", "as", words(1, "status"), false, [](test::RawMessage& m) { m.endianness = 'X'; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::RawBusClient client(world.busAddress());
        ASSERT_TRUE(client.connected());
        test::RawMessage message;
        message.path = "/org/brillex/Brillex";
        message.interface = "org.brillex.Brillex.Control";
        message.member = "Command";
        message.destination = "org.brillex.Brillex";
        message.signature = c.signature;
        message.body = c.body;
        if (c.change) c.change(message);
        const std::uint32_t serial = client.call(message);
        // A return (2) or an error (3), never silence.
        if (c.delivered) {
            EXPECT_GE(client.reply(serial), 2);
        }
        const Result status = world.ctl({"status"});
        EXPECT_EQ(status.status, 0) << status.err;
        EXPECT_EQ(status.out, kDemoStatus);
    }
}

} // namespace
