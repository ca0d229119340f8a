#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "layout/record_columns.hpp"
#include "verify/calendar.hpp"

namespace sintegra::verify {

// What the type 10 record of a file says about the whole file.
struct FileHeader {
    std::uint64_t line = 0; // 0: the file has no type 10 record
    std::string cnpj;
    std::string stateRegistration;
    std::string state;            // the informant's UF
    std::string periodText;       // the two dates as written
    std::optional<Period> period; // when both dates exist and the first is not after the last
};

FileHeader readHeader(std::string_view line10, std::uint64_t number);

} // namespace sintegra::verify
