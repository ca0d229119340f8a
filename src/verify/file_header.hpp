#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// Where the type 10 and type 90 records name the informant, and where the period sits.
inline constexpr std::size_t kInformantColumn = 3;
inline constexpr std::size_t kInformantSize = 28; // CNPJ and state registration
inline constexpr std::size_t kPeriodColumn = 108;
inline constexpr std::size_t kStateColumn = 96;
inline constexpr std::size_t kPurposeColumn = 126; // the file's finalidade: 1 for a normal file

} // namespace sintegra::verify
