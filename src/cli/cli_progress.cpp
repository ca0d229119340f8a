#include "cli/cli_progress.hpp"

namespace sintegra::cli {

bool CliProgress::progress(const Progress& progress) {
    if (bar_ != nullptr) {
        bar_->show(progress);
    }
    return !interrupted_.load();
}

} // namespace sintegra::cli
