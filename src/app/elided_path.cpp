#include "app/elided_path.hpp"

namespace sintegra::app {
namespace {

constexpr std::string_view kEllipsis = "…";

bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
}

} // namespace

// The beginning shrinks a character at a time: a path is a few hundred bytes at most.
std::string elidedPath(std::string_view path, const std::function<bool(std::string_view)>& fits) {
    if (fits(path)) {
        return std::string(path);
    }
    const std::size_t separator = path.find_last_of("/\\");
    const std::string_view name = path.substr(separator == std::string_view::npos ? 0 : separator);
    const std::string_view beginning = path.substr(0, path.size() - name.size());
    for (std::size_t kept = beginning.size(); kept-- > 1;) {
        if (startsCharacter(beginning[kept])) {
            std::string shown = std::string(beginning.substr(0, kept)).append(kEllipsis).append(name);
            if (fits(shown)) {
                return shown;
            }
        }
    }
    return std::string(kEllipsis).append(name);
}

} // namespace sintegra::app
