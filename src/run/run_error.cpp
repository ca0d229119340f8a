#include "run/run_error.hpp"

namespace sintegra {

RunError::RunError(std::string message, std::string file, std::uint64_t line)
    : std::runtime_error(std::move(message))
    , file_(std::move(file))
    , line_(line) {}

} // namespace sintegra
