// The layout checks on any lines: they never fail, a report counts what a JSON document lists, and
// a checker that sees only the first bytes of each line and its width finds what one that sees the
// whole lines finds. The shape of the file is decided on any lines too.
#include <sstream>

#include "fuzz_support.hpp"
#include "verify/checker.hpp"
#include "verify/file_shape.hpp"
#include "verify/json_report.hpp"
#include "verify/report.hpp"

namespace {

using namespace sintegra;

// The findings of checking the lines, as JSON; heads: only the first bytes of each line are shown.
std::string checked(const std::vector<std::string>& lines, bool heads, verify::Report* report) {
    std::ostringstream json;
    verify::JsonReportWriter writer(json, "f");
    verify::Checker checker(writer);
    verify::Checker counted(*report);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        checker.line(heads ? line.substr(0, verify::kCheckedBytes) : line, i + 1, line.size());
        counted.line(line, i + 1);
    }
    checker.finish();
    counted.finish();
    writer.finish();
    fuzz::check(writer.errors() == report->errors() && writer.warnings() == report->warnings(),
                "a report counts what the JSON document lists");
    return json.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::modelLines({reinterpret_cast<const char*>(data), size});
    verify::Report all(SIZE_MAX);
    verify::Report few(verify::kShownPerCheck);
    const std::string whole = checked(lines, false, &all);
    fuzz::check(checked(lines, true, &few) == whole, "the first bytes of each line are enough");
    verify::FileShape shape;
    for (const std::string& line : lines) {
        shape.addBytes(line);
        shape.endLine();
    }
    try {
        shape.finish();
    } catch (const verify::NotSintegra&) {
    }
    for (const auto* entry : all.found()) {
        fuzz::check(entry->shown.size() == entry->count, "a report asked for all shows all");
    }
    return 0;
}
