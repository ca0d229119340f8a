// A whole run on fuzzed files in a scratch folder, through the runner that the program uses. An
// input holding kSecondFile is a join of the bytes before it with the bytes after it; any other is
// an analysis of the whole. Every output must hold the kept type 10 and 11 lines there are, each
// staged line of the inputs once (type 75 duplicates aside) byte for byte, and type 90 records that
// name the informant and count the lines written; type 60 lines come in the order of the model, the
// others as loaded; the first input file must hold its normalized form, or the output when analysed.
// Files that do not have the shape of a SINTEGRA file (verify::FileShape, tested on its own) and
// files without a record that the program handles are refused and left as they were.
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

#include "fuzz_support.hpp"
#include "layout/record_types.hpp"
#include "run/file_verification.hpp"
#include "run/line_normalization.hpp"
#include "run/runner.hpp"
#include "support/files.hpp"
#include "support/models.hpp"
#include "support/scripted_host.hpp"
#include "support/temp_folder.hpp"

namespace {

using namespace sintegra;

constexpr std::string_view kSecondFile = "\n--second-file--\n";
constexpr std::size_t kPrefixSize = 30;
constexpr std::size_t kWidth = 126;

struct Folders {
    test::ProgramFolder program;
    test::TempFolder work;
    Runner runner{program.path()};
};

// One runner for the whole session, as in the program: every run must start from a clean slate.
Folders& folders() {
    static Folders folders;
    return folders;
}

struct Expected {
    bool refused = false;
    std::string normalizedFirst;
    std::vector<std::string> kept; // the last type 10 and type 11 lines, those there are
    std::string prefix;            // of the totals records, kPrefixSize bytes
    PerStagedType<std::vector<std::string>> staged;
};

std::optional<std::size_t> stagedType(std::string_view line) {
    const auto found = std::find(kStagedCodes.begin(), kStagedCodes.end(), line.substr(0, 2));
    return found == kStagedCodes.end() ? std::nullopt : std::optional(found - kStagedCodes.begin());
}

bool anyHandled(const std::vector<std::string>& lines, std::size_t from) {
    return std::any_of(
        lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end(),
        [](const std::string& line) { return isHandledCode(std::string_view(line).substr(0, 2)); });
}

Expected expectedRun(std::string_view first, std::optional<std::string_view> second) {
    Expected expected;
    std::vector<std::string> loaded;
    const std::vector<std::string> read = fuzz::modelLines(fuzz::modelCleaned(first));
    for (const std::string& line : read) {
        loaded.push_back(normalizeLine(line));
    }
    expected.normalizedFirst = test::crlfJoined(loaded);
    expected.refused = !fuzz::hasShape(read) || !anyHandled(loaded, 0);
    if (second) {
        const std::size_t firstLines = loaded.size();
        const std::vector<std::string> secondLines = fuzz::modelLines(fuzz::modelSecondRead(*second));
        expected.refused = expected.refused || !fuzz::hasShape(secondLines);
        for (const std::string& line : secondLines) {
            loaded.push_back(fuzz::withoutLeadingBlanks(line));
        }
        expected.refused = expected.refused || !anyHandled(loaded, firstLines);
    }
    std::optional<std::string> type10, type11, type90;
    for (const std::string& line : loaded) {
        const std::string_view code = std::string_view(line).substr(0, 2);
        if (code == "10") {
            type10 = line;
        } else if (code == "11") {
            type11 = line;
        } else if (code == "90") {
            type90 = line.substr(0, kPrefixSize);
        } else if (const auto type = stagedType(line)) {
            expected.staged[*type].push_back(line);
        }
    }
    for (const auto& line : {type10, type11}) {
        if (line) {
            expected.kept.push_back(*line);
        }
    }
    // A whole kept prefix; else "90" with the CNPJ and state registration of the type 10 line.
    expected.prefix = type90 && type90->size() == kPrefixSize ? *type90
                      : type10                                ? "90" + type10->substr(2, kPrefixSize - 2)
                                                              : type90.value_or("90");
    expected.prefix.resize(kPrefixSize, ' ');
    expected.staged[kType75] = test::withoutRepeatedProducts(expected.staged[kType75]);
    expected.staged[kType60] = test::inType60Order(expected.staged[kType60]);
    return expected;
}

// The code and count pairs of the type 90 records, which follow the prefix and fill to column 125.
std::map<std::string, std::uint64_t> totalsPairs(const std::vector<std::string>& records,
                                                 std::string_view prefix) {
    std::map<std::string, std::uint64_t> pairs;
    for (const std::string& record : records) {
        fuzz::check(record.size() == kWidth, "a type 90 record is 126 characters wide");
        fuzz::check(record.back() == static_cast<char>('0' + records.size()),
                    "column 126 holds the number of type 90 records");
        fuzz::check(record.starts_with(prefix), "a type 90 record begins with the prefix");
        std::size_t at = prefix.size();
        for (; at + 10 < kWidth && record[at] != ' '; at += 10) {
            const std::string count = record.substr(at + 2, 8);
            fuzz::check(count.find_first_not_of("0123456789") == std::string::npos, "a count has 8 digits");
            fuzz::check(pairs.emplace(record.substr(at, 2), std::stoull(count)).second,
                        "a type counted once");
        }
        fuzz::check(record.find_first_not_of(' ', at) == kWidth - 1, "spaces follow the pairs");
    }
    return pairs;
}

void checkOutput(const std::string& text, const Expected& expected) {
    const std::vector<std::string> lines = test::crlfLines(text);
    const std::size_t kept = expected.kept.size();
    fuzz::check(!lines.empty() && lines.back().size() == kWidth, "the output ends with a type 90 record");
    const std::size_t records = static_cast<std::size_t>(lines.back().back() - '0');
    fuzz::check(records >= 1 && records <= 2 && lines.size() >= kept + records, "one or two type 90 records");
    fuzz::check(std::equal(expected.kept.begin(), expected.kept.end(), lines.begin()),
                "the last 10 and 11 lines there are lead");

    PerStagedType<std::vector<std::string>> written;
    std::size_t previous = 0;
    for (std::size_t i = kept; i < lines.size() - records; ++i) {
        const auto type = stagedType(lines[i]);
        fuzz::check(type && *type >= previous, "staged lines follow grouped by type, in type order");
        previous = *type;
        written[*type].push_back(lines[i]);
    }
    fuzz::check(written == expected.staged,
                "every staged line once, 75 duplicates aside, byte for byte, type 60 in the model's order");

    std::map<std::string, std::uint64_t> counted;
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        if (!written[type].empty()) {
            counted[std::string(kStagedCodes[type])] = written[type].size();
        }
    }
    counted["99"] = lines.size();
    const std::vector<std::string> totals(lines.end() - static_cast<std::ptrdiff_t>(records), lines.end());
    fuzz::check(totalsPairs(totals, expected.prefix) == counted,
                "the type 90 records name the informant and count what was written");
}

void checkRefused(Runner& runner, test::ScriptedHost& host, std::string_view first,
                  std::optional<std::string_view> second) {
    bool refused = false;
    try {
        runner.run(host.request(), host);
    } catch (const Error& error) {
        refused = refusesShape(error.kind);
    }
    fuzz::check(refused, "a file without the shape or a record the program handles is refused");
    fuzz::check(test::readFile(host.first) == first && (!second || test::readFile(host.second) == *second),
                "a refused run leaves every file as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find(kSecondFile);
    const bool join = split != std::string_view::npos;
    const std::string_view first = input.substr(0, split);
    const std::optional<std::string_view> second =
        join ? std::optional(input.substr(split + kSecondFile.size())) : std::nullopt;

    Folders& folder = folders();
    test::ScriptedHost host;
    host.runMode = join ? Mode::Join : Mode::Analyse;
    host.first = folder.work.file("a.txt");
    test::writeFile(host.first, first);
    if (second) {
        host.second = folder.work.file("b.txt");
        test::writeFile(host.second, *second);
    }
    const Expected expected = expectedRun(first, second);
    if (expected.refused) {
        checkRefused(folder.runner, host, first, second);
        return 0;
    }
    const RunResult result = folder.runner.run(host.request(), host);
    fuzz::check(result.status == RunStatus::Completed, "the run completes");

    const std::string output = test::readFile(result.summary.outputPath);
    checkOutput(output, expected);
    fuzz::check(test::readFile(host.first) == (join ? expected.normalizedFirst : output),
                "the first file holds its normalized form, or the output when analysed");
    fuzz::check(!second || test::readFile(host.second) == *second, "the second file is left as it was");
    fuzz::check(test::leftoverTemps({folder.work.path(), folder.program.path()}).empty(),
                "no temporary file is left");
    return 0;
}
