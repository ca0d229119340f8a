#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace sintegra {

// Cuts a byte stream into lines as it arrives. A line ends at CR, CR LF or LF, and the end is not
// part of the line. A final line end adds no empty line; a line end right after another gives an
// empty line. Sink needs addBytes(std::string_view), called with the line's bytes in one or more
// pieces, and endLine().
template <class Sink>
class LineSplitter {
public:
    explicit LineSplitter(Sink& sink)
        : sink_(sink) {}

    void feed(std::string_view chunk) {
        std::size_t start = 0;
        if (afterCr_ && !chunk.empty()) {
            afterCr_ = false;
            start = chunk.front() == '\n' ? 1 : 0;
        }
        while (start < chunk.size()) {
            const std::size_t end = lineEnd(chunk, start);
            if (end > start) {
                sink_.addBytes(chunk.substr(start, end - start));
                inLine_ = true;
            }
            if (end == chunk.size()) {
                return;
            }
            sink_.endLine();
            inLine_ = false;
            start = end + 1;
            if (chunk[end] == '\r') {
                if (start == chunk.size()) {
                    afterCr_ = true;
                } else if (chunk[start] == '\n') {
                    ++start;
                }
            }
        }
    }

    // Ends a last line that has no line end.
    void finish() {
        if (inLine_) {
            sink_.endLine();
            inLine_ = false;
        }
        afterCr_ = false;
    }

private:
    static std::size_t lineEnd(std::string_view chunk, std::size_t from) {
        const std::size_t cr = chunk.find('\r', from);
        const std::size_t lf = chunk.substr(0, cr).find('\n', from);
        return std::min({cr, lf, chunk.size()});
    }

    Sink& sink_;
    bool inLine_ = false;
    bool afterCr_ = false;
};

} // namespace sintegra
