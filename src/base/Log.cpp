#include "base/Log.h"

#include <algorithm>
#include <cstdio>

namespace brillex {
namespace {

void writeToStdout(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::function<void(std::string_view)>& sink() {
    static std::function<void(std::string_view)> current = writeToStdout;
    return current;
}

} // namespace

void logLine(std::string_view line) {
    sink()(line);
}

LogCapture::LogCapture() : previous_(sink()) {
    sink() = [this](std::string_view line) { lines_.emplace_back(line); };
}

LogCapture::~LogCapture() {
    sink() = previous_;
}

bool LogCapture::contains(std::string_view line) const {
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

} // namespace brillex
