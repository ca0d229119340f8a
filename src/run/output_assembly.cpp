#include "run/output_assembly.hpp"

#include "run/pipeline/blocks.hpp"
#include "run/pipeline/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "staging/staging_store.hpp"

namespace sintegra {

PerStagedType<std::uint64_t> assembleOutput(StagingStore& store, const KeptLines& kept,
                                            std::uint64_t stagedRows, ByteBlocks& output,
                                            ProgressReporter& progress) {
    progress.begin(Phase::Assembling, stagedRows);

    for (const std::optional<std::string>* line : {&kept.type10, &kept.type11}) {
        if (*line) {
            output.write(**line);
            output.write("\r\n");
        }
    }

    PerStagedType<std::uint64_t> counts{};
    std::uint64_t written = 0;
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        store.forEachInOutputOrder(type, [&](std::string_view registro) {
            output.write(registro);
            output.write("\r\n");
            ++counts[type];
            progress.advance(++written);
        });
    }
    progress.finish();
    return counts;
}

} // namespace sintegra
