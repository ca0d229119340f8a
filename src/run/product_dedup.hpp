#pragma once

#include <cstdint>

namespace sintegra {

class StagingStore;

// Of the type 75 rows that share a product code only the one loaded last stays, unchanged and in
// its place. Returns the number of rows removed.
std::uint64_t removeDuplicateProducts(StagingStore& store);

} // namespace sintegra
