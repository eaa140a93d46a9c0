// LD_PRELOAD: fake monitors on /dev/i2c-N for libddcutil, no hardware needed.
// BRILLEX_FAKE_MONITORS="5=EDID_FILE:REGISTER_FILE,6=..." names the buses;
// each monitor answers its EDID at address 0x50 and DDC/CI Get/Set VCP at
// 0x37, keeping its brightness (feature 0x10) in REGISTER_FILE as "CURRENT MAX"
// so that the test reads and sets it from outside; BRILLEX_FAKE_WRITES, when
// set, names a file that gets a line "BUS VALUE" per write. Paths under /sys report
// sysfs's magic to statfs, since libudev refuses a /sys that is not sysfs.

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <sys/statfs.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr long kSysfsMagic = 0x62656572;
constexpr std::uint8_t kEdidAddress = 0x50;
constexpr std::uint8_t kDdcAddress = 0x37;

struct Monitor {
    std::vector<std::uint8_t> edid;
    std::string registerFile;
};

struct Open {
    int bus = -1;
    std::uint16_t address = 0;
    std::size_t edidOffset = 0;
    std::vector<std::uint8_t> reply;
};

// Never destroyed: the program's threads still close buses while it exits.
std::recursive_mutex& lock = *new std::recursive_mutex;
std::map<int, Monitor>* monitors = nullptr;
std::map<int, Open>& opened = *new std::map<int, Open>;

template <class F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void loadMonitors() {
    if (monitors) return;
    monitors = new std::map<int, Monitor>;
    const char* spec = std::getenv("BRILLEX_FAKE_MONITORS");
    std::string rest = spec ? spec : "";
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string item = rest.substr(0, comma);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const auto equals = item.find('=');
        const auto colon = item.find(':', equals);
        if (equals == std::string::npos || colon == std::string::npos) continue;
        Monitor monitor;
        std::ifstream in(item.substr(equals + 1, colon - equals - 1), std::ios::binary);
        monitor.edid.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        monitor.registerFile = item.substr(colon + 1);
        (*monitors)[std::atoi(item.substr(0, equals).c_str())] = monitor;
    }
}

int fakeBus(const char* path) {
    if (!path || std::strncmp(path, "/dev/i2c-", 9) != 0) return -1;
    const std::lock_guard guard(lock);
    loadMonitors();
    const int bus = std::atoi(path + 9);
    return monitors->count(bus) ? bus : -1;
}

int openFake(int bus) {
    const int fd = real<int (*)(const char*, int, ...)>("open")("/dev/null", O_RDWR | O_CLOEXEC);
    if (fd < 0) return fd;
    const std::lock_guard guard(lock);
    opened[fd] = Open{bus};
    return fd;
}

std::pair<unsigned, unsigned> readRegister(const Monitor& monitor) {
    unsigned current = 0, maximum = 100;
    std::ifstream(monitor.registerFile) >> current >> maximum;
    return {current, maximum};
}

std::uint8_t xorOf(std::uint8_t seed, const std::vector<std::uint8_t>& bytes) {
    for (auto b : bytes) seed ^= b;
    return seed;
}

// A write to the monitor: an EDID offset, or a DDC/CI request
// [0x51, 0x80|length, payload..., checksum].
void written(Open& open, const std::uint8_t* data, std::size_t size) {
    if (open.address == kEdidAddress) {
        if (size >= 1) open.edidOffset = data[0];
        return;
    }
    if (open.address != kDdcAddress || size < 3) return;
    const Monitor& monitor = monitors->at(open.bus);
    const std::uint8_t length = data[1] & 0x7F;
    const std::uint8_t* payload = data + 2;
    std::vector<std::uint8_t> reply{0x6E};
    if (length >= 2 && payload[0] == 0x01) {  // Get VCP feature
        const std::uint8_t code = payload[1];
        auto [current, maximum] = readRegister(monitor);
        if (code == 0xDF) current = maximum = 0x0202;  // MCCS version 2.2
        const bool known = code == 0x10 || code == 0xDF;
        reply.insert(reply.end(), {0x88, 0x02, static_cast<std::uint8_t>(known ? 0x00 : 0x01), code, 0x00,
                                   static_cast<std::uint8_t>(maximum >> 8), static_cast<std::uint8_t>(maximum),
                                   static_cast<std::uint8_t>(known ? current >> 8 : 0),
                                   static_cast<std::uint8_t>(known ? current : 0)});
    } else if (length >= 4 && payload[0] == 0x03) {  // Set VCP feature: no reply
        if (payload[1] == 0x10) {
            const unsigned maximum = readRegister(monitor).second;
            const int value = (payload[2] << 8) | payload[3];
            std::ofstream(monitor.registerFile) << value << " " << maximum << "\n";
            if (const char* writes = std::getenv("BRILLEX_FAKE_WRITES"))
                std::ofstream(writes, std::ios::app) << open.bus << " " << value << "\n";
        }
        reply.push_back(0x80);
    } else {
        reply.push_back(0x80);  // the null message: nothing to say
    }
    reply.push_back(xorOf(0x50, reply));
    open.reply = reply;
}

void readInto(Open& open, std::uint8_t* data, std::size_t size) {
    std::memset(data, 0, size);
    if (open.address == kEdidAddress) {
        const auto& edid = monitors->at(open.bus).edid;
        for (std::size_t i = 0; i < size && open.edidOffset + i < edid.size(); ++i) data[i] = edid[open.edidOffset + i];
        return;
    }
    if (open.address != kDdcAddress) return;
    if (open.reply.empty()) open.reply = {0x6E, 0x80, 0xBE};
    std::memcpy(data, open.reply.data(), std::min(size, open.reply.size()));
}

Open* fakeOpen(int fd) {
    const auto found = opened.find(fd);
    return found == opened.end() ? nullptr : &found->second;
}

bool underSys(const char* path) {
    return path && (std::strcmp(path, "/sys") == 0 || std::strncmp(path, "/sys/", 5) == 0);
}

bool fdUnderSys(int fd) {
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = real<ssize_t (*)(const char*, char*, size_t)>("readlink")(link, target, sizeof target - 1);
    if (n <= 0) return false;
    target[n] = '\0';
    return underSys(target);
}

} // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    if (const int bus = fakeBus(path); bus >= 0) return openFake(bus);
    va_list args;
    va_start(args, flags);
    const mode_t mode = va_arg(args, mode_t);
    va_end(args);
    return real<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}
int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = va_arg(args, mode_t);
    va_end(args);
    return open(path, flags, mode);
}
int __open_2(const char* path, int flags) {
    return open(path, flags, 0);
}
int __open64_2(const char* path, int flags) {
    return open(path, flags, 0);
}
int openat(int dir, const char* path, int flags, ...) {
    if (const int bus = fakeBus(path); bus >= 0) return openFake(bus);
    va_list args;
    va_start(args, flags);
    const mode_t mode = va_arg(args, mode_t);
    va_end(args);
    return real<int (*)(int, const char*, int, ...)>("openat")(dir, path, flags, mode);
}
int openat64(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = va_arg(args, mode_t);
    va_end(args);
    return openat(dir, path, flags, mode);
}

int close(int fd) {
    {
        const std::lock_guard guard(lock);
        opened.erase(fd);
    }
    return real<int (*)(int)>("close")(fd);
}

int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void* argument = va_arg(args, void*);
    va_end(args);
    {
        const std::lock_guard guard(lock);
        if (Open* open = fakeOpen(fd)) {
            switch (request) {
            case I2C_FUNCS:
                *static_cast<unsigned long*>(argument) = I2C_FUNC_I2C;
                return 0;
            case I2C_SLAVE:
            case I2C_SLAVE_FORCE:
                open->address = static_cast<std::uint16_t>(reinterpret_cast<unsigned long>(argument));
                return 0;
            case I2C_RDWR: {
                auto* data = static_cast<i2c_rdwr_ioctl_data*>(argument);
                for (unsigned i = 0; i < data->nmsgs; ++i) {
                    i2c_msg& message = data->msgs[i];
                    open->address = message.addr;
                    if (message.flags & I2C_M_RD) readInto(*open, message.buf, message.len);
                    else written(*open, message.buf, message.len);
                }
                return static_cast<int>(data->nmsgs);
            }
            default:
                return 0;
            }
        }
    }
    return real<int (*)(int, unsigned long, void*)>("ioctl")(fd, request, argument);
}

ssize_t read(int fd, void* buffer, size_t size) {
    {
        const std::lock_guard guard(lock);
        if (Open* open = fakeOpen(fd)) {
            readInto(*open, static_cast<std::uint8_t*>(buffer), size);
            return static_cast<ssize_t>(size);
        }
    }
    return real<ssize_t (*)(int, void*, size_t)>("read")(fd, buffer, size);
}

ssize_t write(int fd, const void* buffer, size_t size) {
    {
        const std::lock_guard guard(lock);
        if (Open* open = fakeOpen(fd)) {
            written(*open, static_cast<const std::uint8_t*>(buffer), size);
            return static_cast<ssize_t>(size);
        }
    }
    return real<ssize_t (*)(int, const void*, size_t)>("write")(fd, buffer, size);
}

int fstatfs(int fd, struct statfs* buffer) {
    const int result = real<int (*)(int, struct statfs*)>("fstatfs")(fd, buffer);
    if (result == 0 && fdUnderSys(fd)) buffer->f_type = kSysfsMagic;
    return result;
}
int fstatfs64(int fd, struct statfs64* buffer) {
    const int result = real<int (*)(int, struct statfs64*)>("fstatfs64")(fd, buffer);
    if (result == 0 && fdUnderSys(fd)) buffer->f_type = kSysfsMagic;
    return result;
}
int statfs(const char* path, struct statfs* buffer) {
    const int result = real<int (*)(const char*, struct statfs*)>("statfs")(path, buffer);
    if (result == 0 && underSys(path)) buffer->f_type = kSysfsMagic;
    return result;
}
int statfs64(const char* path, struct statfs64* buffer) {
    const int result = real<int (*)(const char*, struct statfs64*)>("statfs64")(path, buffer);
    if (result == 0 && underSys(path)) buffer->f_type = kSysfsMagic;
    return result;
}

} // extern "C"
