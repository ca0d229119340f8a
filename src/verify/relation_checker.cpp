#include "verify/relation_checker.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "verify/checks.hpp"
#include "verify/field_checker.hpp"
#include "verify/report.hpp"

namespace sintegra::verify {
namespace {

// The field of a record that holds a product code, or nullptr; found once for every record.
const Field* productField(const RecordLayout& layout) {
    static const std::vector<const Field*> fields = [] {
        std::vector<const Field*> found;
        for (const RecordLayout& record : recordLayouts()) {
            const auto field = std::find_if(record.fields.begin(), record.fields.end(),
                                            [](const Field& f) { return f.rule == FieldRule::ProductCode; });
            found.push_back(field == record.fields.end() ? nullptr : &*field);
        }
        return found;
    }();
    return fields[static_cast<std::size_t>(&layout - recordLayouts().data())];
}

std::string_view trimmedEnd(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view slice(std::string_view line, std::size_t column, std::size_t size) {
    return line.substr(column - 1, size);
}

// Types 60M, 60A, 60D and 60I: the date, then the equipment's serial number.
constexpr std::size_t kDaySize = kType60DateSize + kType60SerialSize;

// Where a record names the document it belongs to; nullptr for a record that names none.
const DocumentColumns* documentColumns(std::string_view type) {
    return type == kCode50   ? &kDocument50
           : type == kCode51 ? &kDocument51
           : type == kCode53 ? &kDocument53
           : type == kCode54 ? &kDocument54
                             : nullptr;
}

// What the columns from the CNPJ to the number hold, as the layout names them (fields.cpp, items
// 12 to 14): types 51 and 53 have the party's IE, the date and the UF between CNPJ and document.
std::string_view documentLabel(std::string_view type) {
    return type == kCode51   ? "CNPJ, inscrição estadual, data, UF, série e número"
           : type == kCode53 ? "CNPJ, inscrição estadual, data, UF, modelo, série e número"
                             : "CNPJ, modelo, série e número";
}

// The digest of the first size bytes of key, zero-padded to whole words: its bytes eight at a time,
// each mixed in by a multiplication, the result mixed once more.
template <std::size_t N>
void digestOf(const std::array<char, N>& key, std::size_t size, std::array<char, 8>& digest) {
    static_assert(N % 8 == 0);
    std::uint64_t hash = 0;
    for (std::size_t at = 0; at < size; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, key.data() + at, 8);
        hash = std::rotl((hash ^ word) * 0x9E3779B97F4A7C15u, 31);
    }
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDu;
    hash ^= hash >> 33;
    std::memcpy(digest.data(), &hash, sizeof hash);
}

// The digest of the document a record names, when the line is long enough to name one.
bool documentOf(std::string_view line, const DocumentColumns& columns, std::array<char, 8>& digest) {
    if (line.size() < columns.number - 1u + kDocumentNumberSize) {
        return false;
    }
    std::array<char, (kDocumentKeySize + 7) / 8 * 8> key{};
    const std::string_view model = columns.model == 0 ? kModelOf51 : slice(line, columns.model, kModelSize);
    auto out = std::copy_n(slice(line, columns.cnpj, kCnpjSize).begin(), kCnpjSize, key.begin());
    out = std::copy_n(model.begin(), kModelSize, out);
    out = std::copy_n(slice(line, columns.series, kSeriesSize).begin(), kSeriesSize, out);
    std::copy_n(slice(line, columns.number, kDocumentNumberSize).begin(), kDocumentNumberSize, out);
    digestOf(key, kDocumentKeySize, digest);
    return true;
}

// The digest of the day and equipment a type 60 record names, when the line is long enough.
bool dayOf(std::string_view line, std::array<char, 8>& digest) {
    if (line.size() < kType60DateColumn - 1 + kDaySize) {
        return false;
    }
    std::array<char, (kDaySize + 7) / 8 * 8> key{};
    std::copy_n(slice(line, kType60DateColumn, kDaySize).begin(), kDaySize, key.begin());
    digestOf(key, kDaySize, digest);
    return true;
}

// 60M names an equipment's day; 60A, 60D and 60I belong to one.
bool namesDay(std::string_view label) {
    return label.size() == 3 && label.starts_with(kCode60) &&
           kType60SubTypeOrder.find(label[2]) != std::string_view::npos;
}

} // namespace

// Codes compare as written, but for trailing blanks: the 11 columns of a type 77 code match the 14
// of a type 75 code. A blank code names no product.
std::optional<RelationChecker::Code> RelationChecker::keyOf(std::string_view field) {
    if (trimmedEnd(field).empty()) {
        return std::nullopt;
    }
    Code key;
    key.fill(' ');
    std::copy_n(field.begin(), std::min(field.size(), key.size()), key.begin());
    return key;
}

std::optional<RelationChecker::Code> RelationChecker::productOf(std::string_view line,
                                                                const RecordKind& kind) {
    if (kind.type == kCode75) {
        return line.size() < kProductCodeColumn - 1 + kProductCodeSize
                   ? std::nullopt
                   : keyOf(line.substr(kProductCodeColumn - 1, kProductCodeSize));
    }
    const Field* field = productField(*kind.layout);
    if (field == nullptr || field->last > line.size()) {
        return std::nullopt;
    }
    return keyOf(line.substr(field->first - 1u, field->size()));
}

template <class Table>
auto* RelationChecker::entryOf(Table& table, const typename Table::Key& key, std::uint64_t number) {
    if (table.size() < limit_) {
        return &table[key];
    }
    auto* found = table.find(key);
    limitedAt_ = found == nullptr && limitedAt_ == 0 ? number : limitedAt_;
    return found;
}

void RelationChecker::line(std::string_view line, std::uint64_t number, const RecordKind& kind,
                           FindingSink& sink) {
    if (kind.layout == nullptr) {
        return;
    }
    Lookup& lookup = pending_[(oldest_ + waiting_) % kLookahead];
    lookup.number = number;
    lookup.layout = kind.layout;
    lookup.hasDocument = false;
    lookup.hasDay = false;
    if (const DocumentColumns* columns = documentColumns(kind.type)) {
        lookup.hasDocument = documentOf(line, *columns, lookup.digest);
        if (lookup.hasDocument && kind.type != kCode50) {
            keepWritten(lookup, line.substr(columns->cnpj - 1u,
                                            columns->number + kDocumentNumberSize - columns->cnpj));
        }
    } else if (namesDay(kind.label)) {
        lookup.hasDay = dayOf(line, lookup.digest);
        if (lookup.hasDay) {
            keepWritten(lookup, slice(line, kType60DateColumn, kDaySize));
        }
    }
    lookup.product = productOf(line, kind);
    if (!lookup.hasDocument && !lookup.hasDay && !lookup.product) {
        return;
    }
    if (lookup.hasDocument) {
        documents50_.prefetch(lookup.digest);
    } else if (lookup.hasDay) {
        days60M_.prefetch(lookup.digest);
    }
    if (lookup.product) {
        products_.prefetch(*lookup.product);
    }
    if (++waiting_ == kLookahead) {
        resolve(pending_[oldest_], sink);
        oldest_ = (oldest_ + 1) % kLookahead;
        --waiting_;
    }
}

void RelationChecker::keepWritten(Lookup& lookup, std::string_view written) {
    lookup.columnsSize = std::min(written.size(), lookup.columns.size());
    std::copy_n(written.begin(), lookup.columnsSize, lookup.columns.begin());
}

void RelationChecker::resolve(const Lookup& lookup, FindingSink& sink) {
    if (lookup.hasDocument && lookup.layout->code == kCode50) {
        // Once full and past its first miss, the table learns nothing more from a type 50 record.
        if (documents50_.size() < limit_ || limitedAt_ == 0) {
            entryOf(documents50_, lookup.digest, lookup.number);
        }
    } else if (lookup.hasDocument) {
        checkDocument(lookup, sink);
    } else if (lookup.hasDay) {
        checkDay(lookup, sink);
    }
    if (lookup.product) {
        countProduct(lookup);
    }
}

void RelationChecker::countProduct(const Lookup& lookup) {
    Product* entry = entryOf(products_, *lookup.product, lookup.number);
    if (entry == nullptr) {
        return;
    }
    Product& product = *entry;
    if (lookup.layout->code == kCode75) {
        product.line75 = product.line75 == 0 ? lookup.number : product.line75;
        return;
    }
    if (product.uses == 0) {
        product.firstUse = lookup.number;
        product.user = static_cast<std::uint8_t>(lookup.layout - recordLayouts().data());
    }
    product.uses += product.uses < UINT32_MAX ? 1 : 0;
}

// A table at its limit may lack the document: nothing is proven then.
void RelationChecker::checkDocument(const Lookup& lookup, FindingSink& sink) const {
    if (documents50_.size() >= limit_ || documents50_.contains(lookup.digest)) {
        return;
    }
    const DocumentColumns& columns = *documentColumns(lookup.layout->code);
    const auto last = static_cast<std::uint16_t>(columns.number + kDocumentNumberSize - 1);
    const Check& check = lookup.layout->code == kCode54   ? check::k54Without50
                         : lookup.layout->code == kCode53 ? check::k53Without50
                                                          : check::k51Without50;
    report(sink, check, [&] {
        return makeFinding(check, lookup.number, columns.cnpj, last, lookup.layout->code,
                           documentLabel(lookup.layout->code), std::string(lookup.written()),
                           "nenhum registro tipo 50 antes dele tem este CNPJ, modelo" +
                               std::string(columns.model == 0 ? " 01" : "") + ", série e número");
    });
}

// The layout orders type 60 by date, then equipment, the 60M first: each 60A, 60D or 60I follows
// the 60M of its day and equipment.
void RelationChecker::checkDay(const Lookup& lookup, FindingSink& sink) {
    if (lookup.layout->code == kCode60M) {
        if (days60M_.size() < limit_ || limitedAt_ == 0) {
            entryOf(days60M_, lookup.digest, lookup.number);
        }
        return;
    }
    if (days60M_.size() >= limit_ || days60M_.contains(lookup.digest)) {
        return;
    }
    report(sink, check::k60Without60M, [&] {
        return makeFinding(check::k60Without60M, lookup.number, kType60DateColumn,
                           kType60DateColumn + kDaySize - 1, lookup.layout->code,
                           "Data de emissão e número de série de fabricação", std::string(lookup.written()),
                           "nenhum registro 60M antes dele tem esta data e este número de série");
    });
}

void RelationChecker::finish(FindingSink& sink) {
    for (; waiting_ > 0; --waiting_) {
        resolve(pending_[oldest_], sink);
        oldest_ = (oldest_ + 1) % kLookahead;
    }
    if (limitedAt_ != 0) {
        report(sink, check::kRelationsLimited, [this] {
            return makeFinding(
                check::kRelationsLimited, limitedAt_, 0, 0, "", "", "",
                "a verificação entre registros guarda até " + std::to_string(limit_) +
                    " códigos de produto, " + std::to_string(limit_) + " notas e " + std::to_string(limit_) +
                    " registros 60M; os que aparecem a partir desta linha não foram conferidos");
        });
    }
    reportInLineOrder(check::kProductWithout75, sink,
                      [](const Product& product) { return product.line75 == 0 ? product.firstUse : 0; });
    reportInLineOrder(check::kUnused75, sink,
                      [](const Product& product) { return product.uses == 0 ? product.line75 : 0; });
}

// The table holds its codes in no order: of the problems of a check, only those that the sink
// wants in full are sorted, by line, in a heap; the others are counted.
template <class LineOf>
void RelationChecker::reportInLineOrder(const Check& check, FindingSink& sink, LineOf lineOf) const {
    struct Problem {
        std::uint64_t line;
        const Code* key;
        const Product* product;
        bool operator<(const Problem& other) const {
            return std::tie(line, *key) < std::tie(other.line, *other.key);
        }
    };
    const std::size_t wanted = sink.shown(check);
    std::vector<Problem> first;
    std::uint64_t count = 0;
    products_.forEach([&](const Code& key, const Product& product) {
        const Problem problem{lineOf(product), &key, &product};
        if (problem.line == 0) {
            return;
        }
        ++count;
        if (first.size() < wanted) {
            first.push_back(problem);
            std::push_heap(first.begin(), first.end());
        } else if (!first.empty() && problem < first.front()) {
            std::pop_heap(first.begin(), first.end());
            first.back() = problem;
            std::push_heap(first.begin(), first.end());
        }
    });
    std::sort_heap(first.begin(), first.end());
    for (const Problem& problem : first) {
        reportProduct(*problem.key, *problem.product, sink);
    }
    for (std::uint64_t rest = first.size(); rest < count; ++rest) {
        sink.wants(check);
    }
}

void RelationChecker::reportProduct(const Code& key, const Product& product, FindingSink& sink) {
    const std::string_view code = trimmedEnd(std::string_view(key.data(), key.size()));
    if (product.uses == 0) {
        return report(sink, check::kUnused75, [&] {
            return makeFinding(check::kUnused75, product.line75, kProductCodeColumn,
                               kProductCodeColumn + kProductCodeSize - 1, kCode75,
                               "Código do produto ou serviço", std::string(code),
                               "nenhum outro registro usa este código");
        });
    }
    report(sink, check::kProductWithout75, [&] {
        std::string detail = "nenhum registro tipo 75 descreve este código";
        if (product.uses > 1) {
            detail += ", usado também em mais " + counted(product.uses - 1, "linha", "linhas");
        }
        const RecordLayout& user = recordLayouts()[product.user];
        return fieldFinding(check::kProductWithout75, product.firstUse, user.code, *productField(user), code,
                            std::move(detail));
    });
}

} // namespace sintegra::verify
