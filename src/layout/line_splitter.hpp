#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "layout/line_sink.hpp"

namespace sintegra {

// Cuts a byte stream into lines as it arrives. A line ends at CR, CR LF or LF, and the end is not
// part of the line. A final line end adds no empty line; a line end right after another gives an
// empty line. The sink is passed at each call, so that a class may hold the splitter that feeds it.
class LineSplitter {
public:
    template <LineSink Sink>
    void feed(std::string_view chunk, Sink& sink) {
        std::size_t start = 0;
        if (afterCr_ && !chunk.empty()) {
            afterCr_ = false;
            start = chunk.front() == '\n' ? 1 : 0;
        }
        LineEnds ends(chunk);
        while (start < chunk.size()) {
            const std::size_t end = ends.next(start);
            if (end > start) {
                sink.addBytes(chunk.substr(start, end - start));
                inLine_ = true;
            }
            if (end == chunk.size()) {
                return;
            }
            sink.endLine();
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
    template <LineSink Sink>
    void finish(Sink& sink) {
        if (inLine_) {
            sink.endLine();
            inLine_ = false;
        }
        afterCr_ = false;
    }

private:
    // The next CR and the next LF of a chunk, each searched for again only once passed: a chunk
    // costs one pass for each, whichever of them ends its lines.
    class LineEnds {
    public:
        explicit LineEnds(std::string_view chunk)
            : chunk_(chunk)
            , cr_(find('\r', 0))
            , lf_(find('\n', 0)) {}

        // Where the line that starts at from ends: at its CR or LF, or at the end of the chunk.
        std::size_t next(std::size_t from) {
            if (cr_ < from) {
                cr_ = find('\r', from);
            }
            if (lf_ < from) {
                lf_ = find('\n', from);
            }
            return std::min(cr_, lf_);
        }

    private:
        std::size_t find(char byte, std::size_t from) const {
            return std::min(chunk_.find(byte, from), chunk_.size());
        }

        std::string_view chunk_;
        std::size_t cr_;
        std::size_t lf_;
    };

    bool inLine_ = false;
    bool afterCr_ = false;
};

} // namespace sintegra
