#include "files/file_size_limit.hpp"

#include <csignal>

namespace sintegra {

// The write then fails with EFBIG.
void failWritesPastSizeLimit() noexcept {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace sintegra
