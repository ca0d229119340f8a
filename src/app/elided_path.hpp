#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace sintegra::app {

// A path as it fits a path row: whole when it fits, else its beginning, "…" and the whole file name,
// which is what tells files apart; "…" and the name alone when not even a letter of the beginning
// fits. fits says whether a text fits the row in the view's font. Texts are UTF-8, cut between
// characters.
std::string elidedPath(std::string_view path, const std::function<bool(std::string_view)>& fits);

} // namespace sintegra::app
