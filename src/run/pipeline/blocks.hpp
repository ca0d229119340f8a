#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "run/pipeline/pipeline.hpp"

namespace sintegra {

// Lines in order, as one piece of memory.
struct LineBlock {
    std::string bytes;
    std::vector<std::size_t> ends; // where each line ends in bytes
    std::uint64_t inputRead = 0;   // bytes of the input read when the block was complete
};

// Gathers lines into blocks and sends each block as it fills.
class LineBlocks {
public:
    explicit LineBlocks(Channel<LineBlock>& next)
        : next_(next) {}

    void line(std::string_view bytes) {
        block_.bytes.append(bytes);
        block_.ends.push_back(block_.bytes.size());
        if (block_.bytes.size() >= kBlockBytes) {
            flush();
        }
    }
    // The producer has read this many bytes of its input.
    void inputRead(std::uint64_t bytes) noexcept { block_.inputRead = bytes; }
    // Sends the lines gathered so far.
    void flush() {
        if (!block_.ends.empty()) {
            const std::uint64_t read = block_.inputRead;
            next_.send(std::move(block_));
            block_ = LineBlock{};
            block_.inputRead = read;
        }
    }

private:
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    Channel<LineBlock>& next_;
    LineBlock block_;
};

// Bytes that several stages read: the last one done with them frees them.
using SharedBytes = std::shared_ptr<const std::string>;

// Gathers bytes into blocks and sends each block as it fills.
class ByteBlocks {
public:
    explicit ByteBlocks(Channel<SharedBytes>& next)
        : next_(next) {
        block_.reserve(kBlockBytes);
    }

    void write(std::string_view bytes) {
        if (block_.size() + bytes.size() > kBlockBytes) {
            flush();
        }
        block_.append(bytes);
    }
    // Sends the bytes gathered so far.
    void flush() {
        if (!block_.empty()) {
            next_.send(std::make_shared<const std::string>(std::move(block_)));
            block_ = std::string();
            block_.reserve(kBlockBytes);
        }
    }

private:
    static constexpr std::size_t kBlockBytes = 256 * 1024;

    Channel<SharedBytes>& next_;
    std::string block_;
};

} // namespace sintegra
