#pragma once

#include <cstddef>
#include <string_view>

#include "layout/fields.hpp"
#include "layout/line_widths.hpp"
#include "layout/record_types.hpp"

// Where the fields that the run and the checks read by name sit in a record line: the informant and
// the period, and what the run groups, orders and totals by. Columns are counted from 1, as the
// layout counts them; fields.cpp holds each against the field table when it is built.
namespace sintegra {

// Type 10: the informant (CNPJ, then state registration), its UF, the period (two dates) and the
// file's purpose (finalidade: 1 for a normal file). Type 90 repeats the informant at its columns.
inline constexpr std::size_t kInformantColumn = 3;
inline constexpr std::size_t kInformantSize = kCnpjSize + kStateRegistrationSize;
inline constexpr std::size_t kInformantStateColumn = 96;
inline constexpr std::size_t kStateSize = 2;
inline constexpr std::size_t kPeriodColumn = 108;
inline constexpr std::size_t kPeriodSize = 2 * kDateSize;
inline constexpr std::size_t kPurposeColumn = 126;

// Type 75: the validity period (two dates), then the product code.
inline constexpr std::size_t kProductPeriodColumn = 3;
inline constexpr std::size_t kProductPeriodSize = 2 * kDateSize;
inline constexpr std::size_t kProductCodeColumn = 19;
inline constexpr std::size_t kProductCodeSize = 14;

// Type 60: the sub-type letter, and the date as year, month and day.
inline constexpr std::size_t kType60SubTypeColumn = 3;
inline constexpr std::size_t kType60DateColumn = 4;
inline constexpr std::size_t kType60DateSize = kDateSize;
// Type 60M, 60A, 60D and 60I: the serial number of the equipment, which orders the records of a day.
inline constexpr std::size_t kType60SerialColumn = 12;
inline constexpr std::size_t kType60SerialSize = 20;
// Type 60R holds month and year instead, MMAAAA.
inline constexpr std::size_t kType60RMonthColumn = 4;
inline constexpr std::size_t kType60RMonthSize = 2;
inline constexpr std::size_t kType60RYearColumn = 6;
inline constexpr std::size_t kType60RYearSize = 4;
// The sub-types in output order within a day and serial number; any other one follows them.
inline constexpr std::string_view kType60SubTypeOrder = "MADI";

// Type 74: the possession code, 1 for goods the informant owns and holds itself.
inline constexpr std::size_t kType74PossessionColumn = 51;
inline constexpr char kOwnGoodsInHand = '1';

// Type 90: the part of a totals record that the rebuilt one keeps (type, CNPJ, state registration),
// then pairs of a record type code and an eight-digit count, at most nine a record; the grand total
// goes under "99" in the last record; the last column holds the number of type 90 records.
inline constexpr std::size_t kType90PrefixSize = kInformantColumn - 1 + kInformantSize;
inline constexpr std::size_t kTotalsPairsPerRecord = 9;
inline constexpr std::size_t kTotalsCountDigits = 8;
inline constexpr std::size_t kTotalsPairSize = kCodeSize + kTotalsCountDigits;
inline constexpr std::string_view kGrandTotalCode = "99";
inline constexpr std::size_t kCount90Column = kRecordWidth;

} // namespace sintegra
