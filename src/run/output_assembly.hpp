#pragma once

#include <cstdint>

#include "layout/record_types.hpp"

namespace sintegra {

class ByteBlocks;
class ProgressReporter;
class StagingStore;
struct KeptLines;

// Writes the kept type 10 and type 11 lines that were loaded, then every staged row grouped by type
// in output order, each followed by CR LF. Type 60 comes in date, serial number and sub-type order,
// every other type in load order. stagedRows, the number of rows expected, only sizes the
// progress. Returns the number of records written of each type.
PerStagedType<std::uint64_t> assembleOutput(StagingStore& store, const KeptLines& kept,
                                            std::uint64_t stagedRows, ByteBlocks& output,
                                            ProgressReporter& progress);

} // namespace sintegra
