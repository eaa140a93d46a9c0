#pragma once

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "support/Patience.h"

namespace brillex::test {

// Message bytes in the D-Bus wire format (little-endian), written by hand so
// that they can be anything: what libdbus would refuse to build as well as
// what it builds.
class WireWriter {
public:
    std::string bytes;

    void align(std::size_t to) { bytes.resize((bytes.size() + to - 1) / to * to, '\0'); }
    void byte(std::uint8_t value) { bytes += static_cast<char>(value); }
    void u32(std::uint32_t value) {
        align(4);
        for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void string(const std::string& text) {
        u32(static_cast<std::uint32_t>(text.size()));
        bytes += text;
        byte(0);
    }
    void signature(const std::string& text) {
        byte(static_cast<std::uint8_t>(text.size()));
        bytes += text;
        byte(0);
    }
    // An array of `count` elements that `element` writes, each aligned to `alignment`.
    template <class Element>
    void array(std::size_t alignment, std::size_t count, Element element) {
        u32(0);
        const std::size_t lengthAt = bytes.size() - 4;
        align(alignment);
        const std::size_t start = bytes.size();
        for (std::size_t i = 0; i < count; ++i) element(i);
        const auto length = static_cast<std::uint32_t>(bytes.size() - start);
        for (int i = 0; i < 4; ++i) bytes[lengthAt + i] = static_cast<char>(length >> (8 * i));
    }
};

// One message as its parts; `build` lays them out as the wire format does,
// apart from what the caller sets to lie.
struct RawMessage {
    std::uint8_t endianness = 'l';
    std::uint8_t type = 1; // method call
    std::uint8_t flags = 0;
    std::string path = "/";
    std::string interface;
    std::string member;
    std::string destination;
    std::string signature;
    std::string body;
    std::int64_t bodyLength = -1; // the length the header states; -1: the body's own

    std::string build(std::uint32_t serial) const {
        WireWriter w;
        w.byte(endianness);
        w.byte(type);
        w.byte(flags);
        w.byte(1);
        w.u32(static_cast<std::uint32_t>(bodyLength < 0 ? body.size() : bodyLength));
        w.u32(serial);
        struct Field {
            std::uint8_t code;
            char type;
            const std::string* value;
        };
        std::vector<Field> fields{{1, 'o', &path}};
        if (!interface.empty()) fields.push_back({2, 's', &interface});
        if (!member.empty()) fields.push_back({3, 's', &member});
        if (!destination.empty()) fields.push_back({6, 's', &destination});
        if (!signature.empty()) fields.push_back({8, 'g', &signature});
        w.array(8, fields.size(), [&](std::size_t i) {
            w.align(8);
            w.byte(fields[i].code);
            w.signature(std::string(1, fields[i].type));
            if (fields[i].type == 'g') w.signature(*fields[i].value);
            else w.string(*fields[i].value);
        });
        w.align(8);
        return w.bytes + body;
    }
};

// A client of a bus that speaks the wire protocol itself over the bus's
// socket: it authenticates, says Hello, then sends whatever bytes it is given.
class RawBusClient {
public:
    // `address` as dbus-daemon prints it: unix:path=... or unix:abstract=...
    explicit RawBusClient(const std::string& address) {
        sockaddr_un where{};
        where.sun_family = AF_UNIX;
        std::size_t length = 0;
        for (const std::string key : {"unix:path=", "unix:abstract="}) {
            if (address.rfind(key, 0) != 0) continue;
            const std::string name = address.substr(key.size(), address.find(',') - key.size());
            const bool abstract = key == "unix:abstract=";
            if (name.size() + 1 >= sizeof where.sun_path) return;
            std::memcpy(where.sun_path + abstract, name.data(), name.size());
            length = offsetof(sockaddr_un, sun_path) + abstract + name.size();
        }
        if (length == 0) return;
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ < 0 || ::connect(fd_, reinterpret_cast<sockaddr*>(&where), static_cast<socklen_t>(length)) != 0) {
            close();
            return;
        }
        char uid[16];
        std::snprintf(uid, sizeof uid, "%u", getuid());
        std::string hex;
        for (const char* c = uid; *c; ++c) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(*c));
            hex += pair;
        }
        if (!send(std::string(1, '\0') + "AUTH EXTERNAL " + hex + "\r\n") || readLine().rfind("OK ", 0) != 0 ||
            !send("BEGIN\r\n")) {
            close();
            return;
        }
        RawMessage hello;
        hello.path = "/org/freedesktop/DBus";
        hello.interface = hello.destination = "org.freedesktop.DBus";
        hello.member = "Hello";
        if (reply(call(hello)) != 2) close();
    }
    ~RawBusClient() { close(); }
    RawBusClient(const RawBusClient&) = delete;
    RawBusClient& operator=(const RawBusClient&) = delete;

    bool connected() const { return fd_ >= 0; }

    // Sends `message` as the next serial; that serial.
    std::uint32_t call(const RawMessage& message) {
        send(message.build(++serial_));
        return serial_;
    }
    bool send(const std::string& bytes) {
        for (std::size_t sent = 0; fd_ >= 0 && sent < bytes.size();) {
            const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) close();
            else sent += static_cast<std::size_t>(n);
        }
        return fd_ >= 0;
    }

    // The type of the message that answers `serial` (2 a return, 3 an error),
    // skipping signals and other replies; 0 when the bus closes the
    // connection or `limit` passes first.
    int reply(std::uint32_t serial, std::chrono::milliseconds limit = kPatience) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (fd_ >= 0) {
            std::string header;
            if (!read(16, header, deadline)) return 0;
            const auto u32 = [&header](std::size_t at) {
                std::uint32_t value = 0;
                for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(header[at + i]);
                return value;
            };
            const std::uint32_t fieldsLength = u32(12);
            const std::size_t total = (16 + fieldsLength + 7) / 8 * 8 + u32(4);
            if (header[0] != 'l' || total > (1u << 27)) return close(), 0;
            std::string rest;
            if (!read(total - 16, rest, deadline)) return 0;
            header += rest;
            // Header fields: (code, variant); the reply serial is code 5, a u32.
            for (std::size_t at = 16; at + 8 <= 16 + fieldsLength;) {
                const std::uint8_t code = static_cast<std::uint8_t>(header[at]);
                const std::uint8_t signatureLength = static_cast<std::uint8_t>(header[at + 1]);
                const char type = header[at + 2];
                std::size_t value = at + 3 + signatureLength;
                if (type == 'u' || type == 's' || type == 'o') value = (value + 3) / 4 * 4;
                if (code == 5 && type == 'u' && u32(value) == serial) return static_cast<std::uint8_t>(header[1]);
                std::size_t end = value;
                if (type == 'u') end += 4;
                else if (type == 's' || type == 'o') end += 4 + u32(value) + 1;
                else if (type == 'g') end += 1 + static_cast<std::uint8_t>(header[value]) + 1;
                else end += 1;
                at = (end + 7) / 8 * 8;
            }
        }
        return 0;
    }

private:
    bool read(std::size_t count, std::string& into, std::chrono::steady_clock::time_point deadline) {
        while (fd_ >= 0 && into.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            pollfd ready{fd_, POLLIN, 0};
            if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
            char buffer[65536];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - into.size()));
            if (n <= 0) close();
            else into.append(buffer, static_cast<std::size_t>(n));
        }
        return fd_ >= 0;
    }
    std::string readLine() {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (line.empty() || line.back() != '\n') {
            if (!read(line.size() + 1, line, deadline)) return {};
        }
        return line;
    }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    int fd_ = -1;
    std::uint32_t serial_ = 0;
};

} // namespace brillex::test
