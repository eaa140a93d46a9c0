#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brillex {

// Writes one log line. By default to standard output, flushed per line.
void logLine(std::string_view line);

// Replaces the sink while it lives; used by tests to read what was logged.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& lines() const { return lines_; }
    void clear() { lines_.clear(); }
    bool contains(std::string_view line) const;

private:
    std::vector<std::string> lines_;
    std::function<void(std::string_view)> previous_;
};

} // namespace brillex
