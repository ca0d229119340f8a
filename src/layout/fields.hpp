#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The fields of each record type of the layout, as the Manual de Orientação of Convênio ICMS 57/95
// describes them: where they sit, what kind of value they hold and, where the manual lists them, the
// values they may take.
namespace sintegra {

enum class FieldKind : std::uint8_t {
    Numeric,      // digits only, right-aligned, zero-filled
    Alphanumeric, // any bytes, left-aligned, blank-filled
    Date,         // AAAAMMDD
    Month,        // MMAAAA
    Decimal,      // digits only, with a fixed number of implied decimal places
};

// What a field's value must also be, beyond its kind.
enum class FieldRule : std::uint8_t {
    None,
    TaxId,          // a CNPJ, or a CPF in the last 11 digits, or zeros where there is none
    InformantTaxId, // the informant's CNPJ or CPF: never zeros
    InformantState, // a state abbreviation
    State,          // a state abbreviation, or EX for operations with other countries
    StateOrBlank,   // as State, or blanks
    InPeriod,       // a date, or a month, within the period of the type 10 record
    ZeroOrDate,     // a date, or zeros where the document has none
    ProductCode,    // a product or service code, which a type 75 record must describe
    // An Inscrição Estadual, valid for the UF in the field's stateColumn:
    StateRegistration,          // or ISENTO, for a party without one
    SubstituteRegistration,     // or INEXISTENTE, for a substitute without one in that UF (type 55)
    InformantStateRegistration, // the informant's own, never ISENTO
    HolderStateRegistration,    // as StateRegistration, or blanks for goods of one's own in one's hands
    Cfop,                       // a code of the CFOP table
    CfopOfState,                // as Cfop, its first digit telling the record's state from the informant's
    Situation,                  // the document's situation: S, X, 2 and 4 mark it cancelled or void
    Required,                   // never blanks only, nor zeros only
    RequiredOrNext,             // blanks or zeros only where the next field holds something
};

// The sizes of a date, AAAAMMDD, and of a month, MMAAAA.
inline constexpr std::size_t kDateSize = 8;
inline constexpr std::size_t kMonthSize = 6;

struct Field {
    std::string_view name;
    std::uint16_t first; // columns counted from 1, as the manual counts them
    std::uint16_t last;
    FieldKind kind;
    std::uint8_t decimals;
    FieldRule rule;
    std::string_view values; // the values the manual lists, separated by '|'; empty when any
    // An Inscrição Estadual's: the column of the UF whose rule checks it; 0 for the type 90 record's,
    // which the type 10 record's UF commands.
    std::uint16_t stateColumn = 0;

    constexpr std::size_t size() const { return last - first + 1u; }
};

// Whether a field holds a CNPJ (or a CPF): a numeric field that may hold letters since the CNPJ has
// them (verify/tax_id.hpp).
constexpr bool holdsTaxId(const Field& field) {
    return field.rule == FieldRule::TaxId || field.rule == FieldRule::InformantTaxId;
}

struct RecordLayout {
    std::string_view code; // the type, with its sub-type where it has one: "54", "60D", "88SME"
    std::size_t width;
    std::span<const Field> fields; // in column order; the type and sub-type columns are left out
};

// The layout of a record line, found by its type and, for types 60, 61 and 88, its sub-type;
// nullptr when the manual describes no such record.
const RecordLayout* recordLayoutOf(std::string_view line);

// Every record layout, in the order of the record types.
std::span<const RecordLayout> recordLayouts();

// Whether two letters name a Brazilian state (or the Federal District), upper case.
bool isStateAbbreviation(std::string_view text);

// Where a document is named in a record: the other party's CNPJ, the model, the series and the
// number. A type 51, 53 or 54 record belongs to the type 50 record that names the same document.
struct DocumentColumns {
    std::uint16_t cnpj;
    std::uint16_t model; // 0: the record has no model field and stands for model 01
    std::uint16_t series;
    std::uint16_t number;
};
inline constexpr std::size_t kCnpjSize = 14;
inline constexpr std::size_t kStateRegistrationSize = 14;
inline constexpr std::size_t kModelSize = 2;
inline constexpr std::size_t kSeriesSize = 3;
inline constexpr std::size_t kDocumentNumberSize = 6;
inline constexpr std::size_t kDocumentKeySize = kCnpjSize + kModelSize + kSeriesSize + kDocumentNumberSize;
inline constexpr DocumentColumns kDocument50{3, 41, 43, 46};
inline constexpr DocumentColumns kDocument51{3, 0, 41, 44};
inline constexpr DocumentColumns kDocument53{3, 41, 43, 46};
inline constexpr DocumentColumns kDocument54{3, 17, 19, 22};
inline constexpr std::string_view kModelOf51 = "01";

} // namespace sintegra
