#include "platform/linux/ramps/SavedRamp.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

namespace brillex::x11 {

namespace {

constexpr std::string_view kMagic = "brillex-saved-ramp 2";
// Without the writer and shown lines; still read, as the x11 writer's.
constexpr std::string_view kFirstMagic = "brillex-saved-ramp 1";
constexpr std::size_t kMaxShown = 2;
constexpr std::size_t kMaxWriterName = 32;
constexpr std::size_t kMaxRampSize = 65535;  // RandR's ramp size is a CARD16
constexpr std::size_t kMaxDisplayName = 255;

} // namespace

namespace {

std::uint32_t crc32Update(std::uint32_t c, std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    for (const char b : bytes) c = table[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
    return c;
}

} // namespace

std::uint32_t savedRampChecksum(std::string_view bytes) {
    return crc32Update(0xFFFFFFFFu, bytes) ^ 0xFFFFFFFFu;
}

std::uint32_t rampChecksum(const CrtcRamp& ramp) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const auto* channel : {&ramp.red, &ramp.green, &ramp.blue})
        for (const std::uint16_t entry : *channel) {
            const char bytes[2] = {static_cast<char>(entry & 0xFF), static_cast<char>(entry >> 8)};
            c = crc32Update(c, std::string_view(bytes, 2));
        }
    return c ^ 0xFFFFFFFFu;
}

namespace {

std::string hex8(std::uint32_t value) {
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = "0123456789abcdef"[value & 0xF];
    return text;
}

// A whole token as an unsigned number no larger than `max`, written as the
// writer writes it: decimal digits without leading zeros, lower-case hex.
template <typename T>
bool parseNumber(std::string_view token, T max, T& value, int base = 10) {
    if (token.empty()) return false;
    const std::string_view digits = base == 10 ? "0123456789" : "0123456789abcdef";
    if (token.find_first_not_of(digits) != std::string_view::npos) return false;
    if (base == 10 && token.size() > 1 && token.front() == '0') return false;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value, base);
    return ec == std::errc() && end == token.data() + token.size() && value <= max;
}

// Walks the text one line at a time; every line must be "KEY VALUE".
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text) {}

    bool next(std::string_view key, std::string_view& value) {
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) return false;
        const std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ') return false;
        value = line.substr(key.size() + 1);
        return true;
    }
    bool done() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

bool parseChannel(std::string_view text, std::size_t size, std::vector<std::uint16_t>& channel) {
    channel.reserve(size);
    while (channel.size() < size) {
        const std::size_t space = text.find(' ');
        std::uint16_t entry = 0;
        if (!parseNumber<std::uint16_t>(text.substr(0, space), 65535, entry)) return false;
        channel.push_back(entry);
        if (space == std::string_view::npos) {
            text = {};
            break;
        }
        text.remove_prefix(space + 1);
        if (text.empty()) return false;  // a trailing space
    }
    return channel.size() == size && text.empty();
}

// "none", or up to kMaxShown checksums in hex.
bool parseShown(Lines& lines, std::vector<std::uint32_t>& shown) {
    std::string_view value;
    if (!lines.next("shown", value)) return false;
    if (value == "none") return true;
    while (shown.size() < kMaxShown) {
        const std::size_t space = value.find(' ');
        const std::string_view token = value.substr(0, space);
        std::uint32_t checksum = 0;
        if (token.size() != 8 ||
            !parseNumber<std::uint32_t>(token, std::numeric_limits<std::uint32_t>::max(), checksum, 16))
            return false;
        shown.push_back(checksum);
        if (space == std::string_view::npos) return true;
        value.remove_prefix(space + 1);
    }
    return false;
}

std::optional<SavedRamp> fail(std::string* error, const char* why) {
    if (error) *error = why;
    return std::nullopt;
}

} // namespace

std::string encodeSavedRamp(const SavedRamp& saved) {
    std::string text;
    text.reserve(64 + saved.displayName.size() + saved.ramp.size() * 3 * 6);
    text += kMagic;
    text += "\ndisplay " + saved.displayName;
    text += "\nwriter " + saved.writer;
    text += "\ncrtc " + std::to_string(saved.crtc);
    text += "\nowner " + std::to_string(saved.owner);
    text += "\nguardian " + std::to_string(saved.guardian);
    text += "\nsize " + std::to_string(saved.ramp.size());
    text += "\nshown";
    if (saved.shown.empty()) text += " none";
    for (const std::uint32_t checksum : saved.shown) text += " " + hex8(checksum);
    const auto channel = [&text](const char* name, const std::vector<std::uint16_t>& entries) {
        text += '\n';
        text += name;
        for (const std::uint16_t entry : entries) {
            text += ' ';
            text += std::to_string(entry);
        }
    };
    channel("red", saved.ramp.red);
    channel("green", saved.ramp.green);
    channel("blue", saved.ramp.blue);
    text += '\n';
    text += "crc32 " + hex8(savedRampChecksum(text)) + "\n";
    return text;
}

std::optional<SavedRamp> parseSavedRamp(std::string_view bytes, std::string* error) {
    if (bytes.size() > kMaxSavedRampBytes) return fail(error, "too large");
    if (bytes.empty() || bytes.back() != '\n') return fail(error, "truncated");
    const std::size_t lastLine = bytes.rfind('\n', bytes.size() - 2);
    if (lastLine == std::string_view::npos) return fail(error, "truncated");
    const std::string_view body = bytes.substr(0, lastLine + 1);

    Lines checksumLine(bytes.substr(lastLine + 1));
    std::string_view value;
    std::uint32_t checksum = 0;
    if (!checksumLine.next("crc32", value) || value.size() != 8 ||
        !parseNumber<std::uint32_t>(value, std::numeric_limits<std::uint32_t>::max(), checksum, 16))
        return fail(error, "no checksum");
    if (checksum != savedRampChecksum(body)) return fail(error, "checksum mismatch");

    const std::size_t magicEnd = body.find('\n');
    const std::string_view magic = body.substr(0, magicEnd);
    if (magic != kMagic && magic != kFirstMagic) return fail(error, "not a saved ramp");
    const bool first = magic == kFirstMagic;
    Lines lines(body.substr(magicEnd + 1));
    SavedRamp saved;
    if (!lines.next("display", value) || value.empty() || value.size() > kMaxDisplayName) return fail(error, "bad display");
    for (const char c : value)
        if (c <= ' ' || c > '~') return fail(error, "bad display");
    saved.displayName = value;
    if (!first) {
        if (!lines.next("writer", value) || value.size() > kMaxWriterName ||
            value.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != std::string_view::npos)
            return fail(error, "bad writer");
        saved.writer = value;
    }

    unsigned long crtc = 0;
    if (!lines.next("crtc", value) || !parseNumber<unsigned long>(value, 0xFFFFFFFFul, crtc) || crtc == 0)
        return fail(error, "bad crtc");
    saved.crtc = crtc;
    constexpr int maxPid = std::numeric_limits<int>::max();
    if (!lines.next("owner", value) || !parseNumber(value, maxPid, saved.owner) || saved.owner == 0)
        return fail(error, "bad owner");
    if (!lines.next("guardian", value) || !parseNumber(value, maxPid, saved.guardian))
        return fail(error, "bad guardian");
    std::size_t size = 0;
    if (!lines.next("size", value) || !parseNumber(value, kMaxRampSize, size) || size == 0)
        return fail(error, "bad size");
    if (!first && !parseShown(lines, saved.shown)) return fail(error, "bad shown");
    if (!lines.next("red", value) || !parseChannel(value, size, saved.ramp.red) ||
        !lines.next("green", value) || !parseChannel(value, size, saved.ramp.green) ||
        !lines.next("blue", value) || !parseChannel(value, size, saved.ramp.blue))
        return fail(error, "bad channel");
    if (!lines.done()) return fail(error, "extra lines");
    return saved;
}

} // namespace brillex::x11
