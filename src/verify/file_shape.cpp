#include "verify/file_shape.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "layout/digits.hpp"
#include "layout/fields.hpp"
#include "layout/record_columns.hpp"
#include "layout/record_types.hpp"
#include "verify/tax_id.hpp"

namespace sintegra::verify {
namespace {

// Blanks, as the repair takes them: a line of them only is blank, and a record may follow them.
// Tested byte by byte rather than with find_first_not_of, which searches the set for every byte.
// Every byte of a file passes the tests of this file: they go to the algorithms as lambdas, which
// the compiler inlines, not as pointers to the functions, which it calls for every byte.
bool isBlank(char c) {
    return c == ' ' || c == '\0' || c == '\t' || c == '\x1a';
}

bool isDigitOrBlank(char c) {
    return isDigit(c) || isBlank(c);
}

std::size_t blanksAhead(std::string_view bytes) {
    return static_cast<std::size_t>(
        std::find_if_not(bytes.begin(), bytes.end(), [](char c) { return isBlank(c); }) - bytes.begin());
}
// What a text editor may put before the first line of a file that it saves in UTF-8.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Enough of a line to hold the first typed field of every record: type 11's number ends at 41.
constexpr std::size_t kHeadSize = 48;

// How the files that users mistake most often for a SINTEGRA file begin: archives (zip, which
// xlsx, docx and odt are, gzip, 7-Zip, RAR, xz), documents (PDF, the older Office formats, RTF),
// pictures (PNG, JPEG, GIF) and programs (ELF, Windows).
constexpr std::array<std::string_view, 14> kSignatures = {
    "PK\x03\x04",       "PK\x05\x06", "\x1f\x8b", "7z\xbc\xaf",   "Rar!", "\3757zXZ", "%PDF-",
    "\xd0\xcf\x11\xe0", "{\\rtf",     "\x89PNG",  "\xff\xd8\xff", "GIF8", "\177ELF",  "MZ"};

bool isControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b < 0x20 && b != 0 && b != '\t' && b != 0x1a) || b == 0x7f;
}

std::uint64_t countEach(std::string_view bytes) {
    return static_cast<std::uint64_t>(
        std::count_if(bytes.begin(), bytes.end(), [](char c) { return isControl(c); }));
}

// Every byte of the file goes through here: eight at a time, a word that has no byte below 0x20
// and no DEL, as words of text have not, is passed over at once.
std::uint64_t countControls(std::string_view bytes) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighBits = kOnes * 0x80;
    std::uint64_t count = 0;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        const std::uint64_t del = word ^ (kOnes * 0x7f);
        if ((((word - kOnes * 0x20) & ~word) | ((del - kOnes) & ~del)) & kHighBits) {
            count += countEach(bytes.substr(at, 8));
        }
    }
    return count + countEach(bytes.substr(at));
}

bool holdsDigits(std::string_view value) {
    return std::all_of(value.begin(), value.end(), [](char c) { return isDigitOrBlank(c); });
}

// Whether the first numeric or date field that the head holds and that is not blank holds digits:
// a record may leave a field blank (a totals record made without a type 10 line has no CNPJ), not
// fill it with words. A CNPJ may have letters (verify/tax_id.hpp). nullopt when there is none.
std::optional<bool> firstTypedValueFits(const RecordLayout& layout, std::string_view head) {
    for (const Field& field : layout.fields) {
        if (field.last > head.size()) {
            break;
        }
        const std::string_view value = head.substr(field.first - 1u, field.size());
        if (field.kind != FieldKind::Alphanumeric && blanksAhead(value) < value.size()) {
            return holdsDigits(value) || (holdsTaxId(field) && hasCnpjForm(value));
        }
    }
    return std::nullopt;
}

} // namespace

void FileShape::addBytes(std::string_view bytes) {
    if (lines_ == 0 && bytes_ == 0 && bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    width_ += bytes.size();
    if (width_ > kMaxLineSize) {
        throw LineTooLong{};
    }
    bytes_ += bytes.size();
    controls_ += countControls(bytes);
    if (head_.empty()) {
        bytes.remove_prefix(blanksAhead(bytes));
    }
    head_.append(bytes.substr(0, kHeadSize - std::min(head_.size(), kHeadSize)));
}

void FileShape::endLine() {
    if (lines_++ == 0) {
        otherFormat_ =
            std::any_of(kSignatures.begin(), kSignatures.end(),
                        [this](std::string_view signature) { return head_.starts_with(signature); });
    }
    if (!head_.empty()) {
        ++filled_;
        records_ += width_ <= kMaxRecordForm && hasRecordForm() ? 1 : 0;
    }
    head_.clear();
    width_ = 0;
}

void FileShape::finish() const {
    if (otherFormat_) {
        throw NotSintegra{ShapeFault::OtherFormat};
    }
    if (controls_ > kFewControls && controls_ * 1000 > bytes_) {
        throw NotSintegra{ShapeFault::NotText};
    }
    if (records_ == 0) {
        throw NotSintegra{ShapeFault::NoRecord};
    }
    if (records_ * 2 <= filled_) {
        throw NotSintegra{ShapeFault::NotRecords};
    }
}

bool FileShape::hasRecordForm() {
    const RecordLayout* layout = recordLayoutOf(head_);
    if (layout == nullptr) {
        return head_.starts_with(kCode88);
    }
    if ((layout->code == kCode10 || layout->code == kCode11) &&
        ++headers_[layout->code == kCode11 ? 1 : 0] > kHeaderLines) {
        return false;
    }
    if (const std::optional<bool> fits = firstTypedValueFits(*layout, head_)) {
        return *fits;
    }
    return layout->code == kCode90 && head_.size() >= kType90PrefixSize + kTotalsPairSize &&
           holdsDigits(std::string_view(head_).substr(kType90PrefixSize, kTotalsPairSize)); // its first pair
}

} // namespace sintegra::verify
