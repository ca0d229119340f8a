#include "verify/csv_report.hpp"

#include <algorithm>
#include <array>
#include <ostream>
#include <utility>

#include "verify/message.hpp"

namespace sintegra::verify {
namespace {

// The code points of Portuguese text outside ASCII; Windows-1252 holds them at the same value.
constexpr std::array<char32_t, 28> kLatinLetters = {
    U'á', U'é', U'í', U'ó', U'ú', U'â', U'ê', U'ô', U'ã', U'õ', U'ç', U'à', U'ü', U'Á',
    U'É', U'Í', U'Ó', U'Ú', U'Â', U'Ê', U'Ô', U'Ã', U'Õ', U'Ç', U'À', U'Ü', U'º', U'ª'};

// The code point of the two-byte sequence at text[at], or 0 when it is none.
char32_t twoByteCodePoint(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0xC2 || lead > 0xDF || at + 1 >= text.size()) {
        return 0;
    }
    const auto next = static_cast<unsigned char>(text[at + 1]);
    return (next & 0xC0) == 0x80 ? static_cast<char32_t>(((lead & 0x1F) << 6) | (next & 0x3F)) : 0;
}

std::size_t sequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// A field quoted when it holds the separator, a quote or a line end. One that a spreadsheet would
// take as a formula begins with an apostrophe, as OWASP advises against CSV injection.
std::string field(std::string_view text) {
    const bool formula =
        !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
    const std::string cell = formula ? "'" + std::string(text) : std::string(text);
    if (cell.find_first_of(";\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string quoted = "\"";
    for (const char c : cell) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace

std::string toCp1252(std::string_view utf8) {
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead < 0x80) {
            text += utf8[at++];
            continue;
        }
        const char32_t point = twoByteCodePoint(utf8, at);
        const bool known =
            std::find(kLatinLetters.begin(), kLatinLetters.end(), point) != kLatinLetters.end();
        text += known ? static_cast<char>(point) : '?';
        at += point != 0 ? 2 : std::min(sequenceLength(lead), utf8.size() - at);
    }
    return text;
}

std::string csvHeader() {
    return toCp1252("Linha;Colunas;Registro;Campo;Valor;Verificação;Gravidade;Mensagem") + "\r\n";
}

std::string csvRow(const Finding& finding) {
    return std::to_string(finding.line) + ";" + field(columnsText(finding)) + ";" + field(finding.record) +
           ";" + field(toCp1252(finding.field)) + ";" + field(finding.value) + ";" +
           field(finding.check->code) + ";" + field(severityText(finding.check->severity)) + ";" +
           field(toCp1252(finding.detail)) + "\r\n";
}

CsvReportWriter::CsvReportWriter(std::ostream& out)
    : out_(out) {
    out_ << csvHeader();
}

bool CsvReportWriter::wants(const Check& check) {
    errors_ += check.severity == Severity::Error ? 1 : 0;
    return true;
}

void CsvReportWriter::add(Finding&& finding) {
    out_ << csvRow(finding);
}

} // namespace sintegra::verify
