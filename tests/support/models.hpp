#pragma once

#include <string>
#include <vector>

// Plain models of the order and the thinning of the staged records, to hold the store and the run to.
namespace sintegra::test {

// Type 60 records by date, then serial number, then sub-type (M, A, D, I, then any other; letters in
// either case), then as loaded. The date is the bytes of columns 4 to 11, the serial number those of
// columns 12 to 31, compared as unsigned bytes; a 60R record holds month and year at columns 4 to 9,
// stands after the last day of its month, and has no serial number.
std::vector<std::string> inType60Order(std::vector<std::string> lines);

// Of the type 75 records that share a validity period and product code (the bytes of columns 3 to 32
// that a line has), the last loaded, in its place; a line too short to reach column 19 stays.
std::vector<std::string> withoutRepeatedProducts(const std::vector<std::string>& lines);

} // namespace sintegra::test
