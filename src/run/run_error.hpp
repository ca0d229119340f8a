#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sintegra {

// A run or a start-up that could not be completed. The message is for the user: it says what
// failed, on which file and, where one applies, on which line.
class RunError : public std::runtime_error {
public:
    RunError(std::string message, std::string file, std::uint64_t line = 0);
    const std::string& file() const noexcept { return file_; }
    // Line of the file the failure concerns, counted from 1; 0 when none applies.
    std::uint64_t line() const noexcept { return line_; }

private:
    std::string file_;
    std::uint64_t line_;
};

} // namespace sintegra
