#include "run/byte_cleaning.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace sintegra {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kCtrlZ = '\x1a';

constexpr bool isBlanked(char byte) {
    return byte == '\0' || byte == ',';
}

// All ones for a byte that the cleaning changes: a mask, which the compiler vectorizes where it would
// not a bool.
constexpr unsigned char changeMask(char byte) {
    return static_cast<unsigned char>(-int{byte == '\0'} | -int{byte == ','} | -int{byte == kCtrlZ});
}

} // namespace

// Most chunks hold none of the bytes cleaned: a search that the compiler vectorizes (blocks of a
// fixed size, so that it does at -O2 too) passes them at memory speed, writing nothing.
bool ByteCleaner::holdsAny(const char* data, std::size_t size) const noexcept {
    if (scope_ == Scope::MarksOnly) {
        return std::memchr(data, kCtrlZ, size) != nullptr;
    }
    constexpr std::size_t kBlock = 64;
    std::size_t done = 0;
    for (; size - done >= kBlock; done += kBlock) {
        const char* block = data + done;
        unsigned char any = 0;
        for (std::size_t i = 0; i < kBlock; ++i) {
            any |= changeMask(block[i]);
        }
        if (any) {
            return true;
        }
    }
    return std::any_of(data + done, data + size, [](char byte) { return changeMask(byte) != 0; });
}

// A chunk that holds some is walked byte by byte, counting lines as the run's splitter does (a line
// ends at CR, CR LF or LF), so that each change is noted by its line. A Ctrl-Z between CR and LF
// does not part them: it is removed before the lines are cut. A Ctrl-Z is noted once a byte follows
// it: one that none follows stood at the end of the file.
void ByteCleaner::cleanNoting(char* data, std::size_t size, std::uint64_t line) {
    bool afterCr = afterCr_;
    for (std::size_t i = 0; i < size; ++i) {
        char& byte = data[i];
        if (byte == kCtrlZ) {
            ctrlZLine_ = afterCr ? line - 1 : line; // the line that the CR ended
            continue;
        }
        notePendingCtrlZ();
        if (byte == '\n' && afterCr) {
            afterCr = false;
            continue;
        }
        afterCr = byte == '\r';
        if (byte == '\r' || byte == '\n') {
            ++line;
        } else if (scope_ == Scope::Everything && isBlanked(byte)) {
            byte = ' ';
            noted_.blanked.note(line);
        }
    }
}

void ByteCleaner::notePendingCtrlZ() {
    if (ctrlZLine_ != 0) {
        noted_.ctrlZ.note(ctrlZLine_);
        ctrlZLine_ = 0;
    }
}

std::size_t ByteCleaner::clean(char* data, std::size_t size, std::uint64_t linesEnded) {
    if (!started_) {
        started_ = true;
        if (std::string_view(data, size).starts_with(kByteOrderMark)) {
            noted_.byteOrderMark = true;
            size -= kByteOrderMark.size();
            std::memmove(data, data + kByteOrderMark.size(), size);
        }
    }
    if (holdsAny(data, size)) {
        cleanNoting(data, size, linesEnded + 1);
        size = static_cast<std::size_t>(std::remove(data, data + size, kCtrlZ) - data);
    } else if (size > 0) {
        notePendingCtrlZ();
    }
    if (size > 0) {
        afterCr_ = data[size - 1] == '\r';
    }
    return size;
}

void ByteCleaner::finish() {
    noted_.ctrlZAtEnd = ctrlZLine_ != 0;
}

} // namespace sintegra
