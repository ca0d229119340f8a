#pragma once

#include "errors/error.hpp"

namespace sintegra::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFindings = 3; // verificar found errors
inline constexpr int kExitInterrupted = 130;

// The exit status of a command that failed. Every kind ends in 1 for now: the message tells one failure
// from another, and a kind that a script must tell apart gets its own status here.
constexpr int exitStatus(ErrorKind) {
    return kExitFailure;
}

} // namespace sintegra::cli
