#pragma once

#include <QString>

#include "run/run_host.hpp"

namespace sintegra::app {

// What a run reads of the window, always on the window's thread.
class RunInputs {
public:
    virtual ~RunInputs() = default;
    virtual QString firstPath() const = 0;
    virtual QString secondPath() const = 0;
    virtual Mode mode() const = 0;
};

} // namespace sintegra::app
