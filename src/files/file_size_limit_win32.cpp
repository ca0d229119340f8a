#include "files/file_size_limit.hpp"

namespace sintegra {

// Windows has no signal for it: a write past a quota fails as a write already.
void failWritesPastSizeLimit() noexcept {}

} // namespace sintegra
