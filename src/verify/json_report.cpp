#include "verify/json_report.hpp"

#include <cstdio>
#include <string>

#include "verify/message.hpp"

namespace sintegra::verify {
namespace {

// A JSON string of UTF-8 text.
std::string quoted(std::string_view text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            result += escaped;
        } else {
            result += c;
        }
    }
    return result + "\"";
}

} // namespace

JsonReportWriter::JsonReportWriter(std::ostream& out, std::string_view file)
    : out_(out) {
    out_ << "{\"file\": " << quoted(displayText(file)) << ", \"findings\": [";
}

bool JsonReportWriter::wants(const Check& check) {
    ++(check.severity == Severity::Error ? errors_ : warnings_);
    return true;
}

void JsonReportWriter::add(Finding&& finding) {
    out_ << (written_++ == 0 ? "\n" : ",\n") << "{\"line\": " << finding.line
         << ", \"columns\": " << quoted(columnsText(finding))
         << ", \"record\": " << quoted(displayText(finding.record))
         << ", \"field\": " << quoted(finding.field) << ", \"value\": " << quoted(displayText(finding.value))
         << ", \"code\": " << quoted(finding.check->code)
         << ", \"severity\": " << quoted(severityText(finding.check->severity))
         << ", \"message\": " << quoted(describe(finding)) << "}";
}

void JsonReportWriter::finish() {
    out_ << "\n], \"errors\": " << errors_ << ", \"warnings\": " << warnings_ << "}\n";
}

} // namespace sintegra::verify
