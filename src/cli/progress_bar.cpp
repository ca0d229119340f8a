#include "cli/progress_bar.hpp"

#include <string>

#include "words/phase_labels.hpp"

namespace sintegra::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::size_t kLineWidth = 79;

} // namespace

void ProgressBar::show(const Progress& progress) {
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && progress.phase == lastPhase_ && now - lastDraw_ < kRedrawInterval) {
        return;
    }
    lastDraw_ = now;
    lastPhase_ = progress.phase;
    drawn_ = true;
    const int percent = progress.total == 0 ? 100 : static_cast<int>(progress.done * 100 / progress.total);
    const int filled = percent * kBarWidth / 100;
    std::string line = "\r[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " +
                       std::to_string(percent) + "% " + std::string(phaseLabel(progress.phase));
    line.resize(kLineWidth + 1, ' ');
    terminal_ << line << std::flush;
}

void ProgressBar::clear() {
    if (drawn_) {
        terminal_ << '\r' << std::string(kLineWidth, ' ') << '\r' << std::flush;
        drawn_ = false;
    }
}

} // namespace sintegra::cli
