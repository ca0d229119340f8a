#include "cli/cli_host.hpp"

namespace sintegra::cli {

bool CliHost::progress(const Progress& progress) {
    if (bar_ != nullptr) {
        bar_->show(progress);
    }
    return !interrupted_.load();
}

} // namespace sintegra::cli
