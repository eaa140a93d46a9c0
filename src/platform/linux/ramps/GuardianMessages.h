#pragma once

#include <string>
#include <string_view>

namespace brillex::x11 {

// What the program and its guardian say over their socket: a type byte, a
// 32-bit length and that many bytes.
namespace guardian {

constexpr char kHello = 'H';     // the guardian's process id, in decimal, once it runs
constexpr char kKeep = 'K';      // a saved ramp (encodeSavedRamp); answered kKept
constexpr char kKept = 'A';      // one byte, no length: the copy is held
constexpr char kRefused = 'N';   // one byte, no length: the copy did not parse
constexpr char kRelease = 'R';   // "WRITER DISPLAY CRTC": back to native, nothing to hold
constexpr char kCleanExit = 'q'; // the program ends cleanly
constexpr std::size_t kMaxPayload = 2 * 1024 * 1024;

// false when the peer has gone.
bool send(int socket, char type, std::string_view payload = {});
// false at the end of the stream, on an error or on a malformed message.
bool receive(int socket, char& type, std::string& payload);

// What kRelease carries for a CRTC.
std::string releaseKey(std::string_view writer, std::string_view display, unsigned long crtc);

} // namespace guardian
} // namespace brillex::x11
