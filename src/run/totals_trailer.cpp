#include "run/totals_trailer.hpp"

#include <charconv>
#include <numeric>

#include "layout/line_widths.hpp"
#include "layout/record_columns.hpp"
#include "layout/record_types.hpp"

namespace sintegra {
namespace {

std::vector<std::string> totalsPairs(const PerStagedType<std::uint64_t>& counts, std::uint64_t otherLines) {
    std::vector<std::string> pairs;
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        if (counts[type] > 0) {
            pairs.push_back(std::string(kStagedCodes[type]) + eightDigits(counts[type]));
        }
    }
    const std::uint64_t staged = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
    pairs.push_back(std::string(kGrandTotalCode) + eightDigits(staged + otherLines));
    return pairs;
}

std::size_t pairCount(const PerStagedType<std::uint64_t>& counts) {
    std::size_t types = 0;
    for (const std::uint64_t count : counts) {
        types += count > 0 ? 1 : 0;
    }
    return types + 1;
}

} // namespace

std::string eightDigits(std::uint64_t value) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const std::string text(digits, end);
    return text.size() >= kTotalsCountDigits ? text
                                             : std::string(kTotalsCountDigits - text.size(), '0') + text;
}

std::string totalsPrefix(std::optional<std::string_view> type90Prefix,
                         std::optional<std::string_view> type10) {
    if (type90Prefix && type90Prefix->size() >= kType90PrefixSize) {
        return std::string(type90Prefix->substr(0, kType90PrefixSize));
    }
    std::string prefix(kCode90);
    if (type10) {
        prefix +=
            type10->substr(std::min(kCode10.size(), type10->size()), kType90PrefixSize - kCode90.size());
    } else if (type90Prefix) {
        prefix = *type90Prefix;
    }
    prefix.resize(kType90PrefixSize, ' ');
    return prefix;
}

std::vector<std::string> totalsRecords(std::string_view prefix, const PerStagedType<std::uint64_t>& counts,
                                       std::uint64_t keptLines) {
    const std::size_t type90Records = (pairCount(counts) + kTotalsPairsPerRecord - 1) / kTotalsPairsPerRecord;
    const std::vector<std::string> pairs = totalsPairs(counts, keptLines + type90Records);
    std::vector<std::string> records;
    for (std::size_t record = 0; record < type90Records; ++record) {
        std::string line(prefix);
        for (std::size_t pair = record * kTotalsPairsPerRecord;
             pair < std::min(pairs.size(), (record + 1) * kTotalsPairsPerRecord); ++pair) {
            line += pairs[pair];
        }
        if (line.size() < kRecordWidth) {
            line.resize(kRecordWidth, ' ');
        }
        line[kRecordWidth - 1] = static_cast<char>('0' + type90Records);
        records.push_back(std::move(line));
    }
    return records;
}

} // namespace sintegra
