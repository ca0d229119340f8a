#pragma once

namespace sintegra::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFindings = 3; // verificar found errors
inline constexpr int kExitInterrupted = 130;

} // namespace sintegra::cli
