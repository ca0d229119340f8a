#pragma once

#include <QProgressBar>

namespace sintegra::app {

// A progress bar that names its phase also while it is busy (no range), where Qt shows no text.
class PhaseProgressBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

    QString text() const override { return minimum() == maximum() ? format() : QProgressBar::text(); }
};

} // namespace sintegra::app
