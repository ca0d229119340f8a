#pragma once

#include <string>
#include <string_view>

#include <QString>

// The engine speaks UTF-8 for its messages and the file system's encoding for paths; the window
// speaks QString.
namespace sintegra::app {

QString fromEngineText(std::string_view text);
std::string toEnginePath(const QString& path);

} // namespace sintegra::app
