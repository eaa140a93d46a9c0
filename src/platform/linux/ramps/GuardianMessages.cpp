#include "platform/linux/ramps/GuardianMessages.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace brillex::x11::guardian {

namespace {

bool sendAll(int socket, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(socket, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool readAll(int socket, char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(socket, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The answers and the goodbye: a type byte alone, no length.
bool isBare(char type) { return type == kKept || type == kRefused || type == kCleanExit; }

} // namespace

bool send(int socket, char type, std::string_view payload) {
    if (payload.size() > kMaxPayload) return false;
    char header[5] = {type};
    if (isBare(type)) return sendAll(socket, header, 1);
    const auto size = static_cast<std::uint32_t>(payload.size());
    for (int byte = 0; byte < 4; ++byte) header[1 + byte] = static_cast<char>((size >> (8 * byte)) & 0xFF);
    // The payload (a whole saved ramp) goes as it is, not copied behind its header.
    return sendAll(socket, header, sizeof header) && sendAll(socket, payload.data(), payload.size());
}

bool receive(int socket, char& type, std::string& payload) {
    payload.clear();
    if (!readAll(socket, &type, 1)) return false;
    if (isBare(type)) return true;
    if (type != kHello && type != kKeep && type != kRelease) return false;
    unsigned char length[4];
    if (!readAll(socket, reinterpret_cast<char*>(length), sizeof length)) return false;
    const std::uint32_t size = length[0] | (length[1] << 8) | (length[2] << 16) | (std::uint32_t(length[3]) << 24);
    if (size > kMaxPayload) return false;
    payload.resize(size);
    return readAll(socket, payload.data(), size);
}

std::string releaseKey(std::string_view writer, std::string_view display, unsigned long crtc) {
    return std::string(writer) + " " + std::string(display) + " " + std::to_string(crtc);
}

} // namespace brillex::x11::guardian
