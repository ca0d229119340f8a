#include "verify/file_header.hpp"

namespace sintegra::verify {
namespace {

std::string_view slice(std::string_view line, std::size_t column, std::size_t size) {
    return column - 1 < line.size() ? line.substr(column - 1, size) : std::string_view();
}

} // namespace

FileHeader readHeader(std::string_view line10, std::uint64_t number) {
    FileHeader header;
    header.line = number;
    header.cnpj = slice(line10, kInformantColumn, kCnpjSize);
    header.stateRegistration = slice(line10, kInformantColumn + kCnpjSize, kStateRegistrationSize);
    header.state = slice(line10, kInformantStateColumn, kStateSize);
    header.periodText = slice(line10, kPeriodColumn, kPeriodSize);
    const auto first = parseDate(slice(line10, kPeriodColumn, kDateSize));
    const auto last = parseDate(slice(line10, kPeriodColumn + kDateSize, kDateSize));
    if (first && last && *first <= *last) {
        header.period = Period{*first, *last};
    }
    return header;
}

} // namespace sintegra::verify
