#include "verify/relation_checker.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "verify/checks.hpp"
#include "verify/field_checker.hpp"

namespace sintegra::verify {
namespace {

const Field* productField(const RecordLayout& layout) {
    const auto found = std::find_if(layout.fields.begin(), layout.fields.end(),
                                    [](const Field& f) { return f.rule == FieldRule::ProductCode; });
    return found == layout.fields.end() ? nullptr : &*found;
}

std::string_view trimmedEnd(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view slice(std::string_view line, std::size_t column, std::size_t size) {
    return line.substr(column - 1, size);
}

// The document a record names, when the line is long enough to name one.
bool documentOf(std::string_view line, const DocumentColumns& columns,
                std::array<char, kDocumentKeySize>& key) {
    if (line.size() < columns.number - 1u + kDocumentNumberSize) {
        return false;
    }
    const std::string_view model = columns.model == 0 ? kModelOf51 : slice(line, columns.model, kModelSize);
    auto out = std::copy_n(slice(line, columns.cnpj, kCnpjSize).begin(), kCnpjSize, key.begin());
    out = std::copy_n(model.begin(), kModelSize, out);
    out = std::copy_n(slice(line, columns.series, kSeriesSize).begin(), kSeriesSize, out);
    std::copy_n(slice(line, columns.number, kDocumentNumberSize).begin(), kDocumentNumberSize, out);
    return true;
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

void RelationChecker::line(std::string_view line, std::uint64_t number, const RecordKind& kind,
                           FindingSink& sink) {
    if (kind.layout == nullptr) {
        return;
    }
    if (kind.label == "75") {
        describe75(line, number);
    } else if (kind.label == "50") {
        Document key{};
        if (documentOf(line, kDocument50, key)) {
            documents50_.insert(key);
        }
    } else if (kind.label == "54" || kind.label == "51") {
        checkDocument(line, number, kind, sink);
    }
    useProduct(line, number, *kind.layout);
}

void RelationChecker::useProduct(std::string_view line, std::uint64_t number, const RecordLayout& layout) {
    const Field* field = productField(layout);
    if (field == nullptr || field->last > line.size()) {
        return;
    }
    const auto key = keyOf(line.substr(field->first - 1u, field->size()));
    if (!key) {
        return;
    }
    Product& product = products_[*key];
    if (product.uses == 0) {
        product.firstUse = number;
        product.user = static_cast<std::uint8_t>(&layout - recordLayouts().data());
    }
    product.uses += product.uses < UINT32_MAX ? 1 : 0;
}

void RelationChecker::describe75(std::string_view line, std::uint64_t number) {
    if (line.size() < kProductCodeColumn - 1 + kProductCodeSize) {
        return;
    }
    const auto key = keyOf(line.substr(kProductCodeColumn - 1, kProductCodeSize));
    if (!key) {
        return;
    }
    Product& product = products_[*key];
    if (product.line75 == 0) {
        product.line75 = number;
    }
}

void RelationChecker::checkDocument(std::string_view line, std::uint64_t number, const RecordKind& kind,
                                    FindingSink& sink) const {
    const bool is54 = kind.label == "54";
    const DocumentColumns& columns = is54 ? kDocument54 : kDocument51;
    Document key{};
    if (!documentOf(line, columns, key) || documents50_.contains(key)) {
        return;
    }
    const auto last = static_cast<std::uint16_t>(columns.number + kDocumentNumberSize - 1);
    const Check& check = is54 ? check::k54Without50 : check::k51Without50;
    report(sink, check, [&] {
        return makeFinding(check, number, columns.cnpj, last, std::string(kind.label),
                           "CNPJ, modelo, série e número",
                           std::string(line.substr(columns.cnpj - 1, last - columns.cnpj + 1u)),
                           "nenhum registro tipo 50 antes dele tem este CNPJ, modelo" +
                               std::string(is54 ? "" : " 01") + ", série e número");
    });
}

void RelationChecker::finish(FindingSink& sink) const {
    // In the order of the lines they point at, not of the table.
    std::vector<std::pair<std::uint64_t, const Products::value_type*>> problems;
    for (const auto& entry : products_) {
        const Product& product = entry.second;
        if (product.uses == 0 || product.line75 == 0) {
            problems.emplace_back(product.uses > 0 ? product.firstUse : product.line75, &entry);
        }
    }
    std::sort(problems.begin(), problems.end());
    for (const auto& [line, entry] : problems) {
        reportProduct(entry->first, entry->second, sink);
    }
}

void RelationChecker::reportProduct(const Code& key, const Product& product, FindingSink& sink) {
    const std::string_view code = trimmedEnd(std::string_view(key.data(), key.size()));
    if (product.uses == 0) {
        return report(sink, check::kUnused75, [&] {
            return makeFinding(check::kUnused75, product.line75, kProductCodeColumn,
                               kProductCodeColumn + kProductCodeSize - 1, "75",
                               "Código do produto ou serviço", std::string(code),
                               "nenhum outro registro usa este código");
        });
    }
    report(sink, check::kProductWithout75, [&] {
        std::string detail = "nenhum registro tipo 75 descreve este código";
        if (product.uses > 1) {
            detail += ", usado também em mais " + std::to_string(product.uses - 1) + " linha(s)";
        }
        const RecordLayout& user = recordLayouts()[product.user];
        return fieldFinding(check::kProductWithout75, product.firstUse, user.code, *productField(user), code,
                            std::move(detail));
    });
}

} // namespace sintegra::verify
