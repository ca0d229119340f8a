#pragma once

namespace sintegra {

// Makes a write past the process's file-size limit fail as a write, which the run reports like a
// full disk, rather than end the program.
void failWritesPastSizeLimit() noexcept;

} // namespace sintegra
