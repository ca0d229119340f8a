#pragma once

#include <concepts>
#include <string_view>

namespace sintegra {

// What takes a file's lines as they are read, without holding them: the bytes of a line in one or
// more pieces, then its end, which is no part of the line. Every stage that a line passes through
// (the splitter's sink, the fitter's users, the checks) speaks it, called directly, not through a
// virtual table: it is called for every piece of every line.
template <class Sink>
concept LineSink = requires(Sink& sink, std::string_view bytes) {
    sink.addBytes(bytes);
    sink.endLine();
};

} // namespace sintegra
