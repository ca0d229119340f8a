#pragma once

#include <array>
#include <cstdint>
#include <memory_resource>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "layout/record_columns.hpp"
#include "verify/finding.hpp"
#include "verify/record_kind.hpp"

namespace sintegra::verify {

// What the records say of each other: every product code used has a type 75 record (and every
// type 75 record a use), and every type 54 or 51 record the type 50 record of its document.
// It remembers one entry per distinct product code and one per type 50 record, nothing per line.
class RelationChecker {
public:
    void line(std::string_view line, std::uint64_t number, const RecordKind& kind, FindingSink& sink);
    void finish(FindingSink& sink) const;

private:
    // A product code, blank-padded.
    using Code = std::array<char, kProductCodeSize>;
    // CNPJ, model, series and number.
    using Document = std::array<char, kDocumentKeySize>;

    // FNV-1a: keys are short, and a table of random codes spends its time on cache misses, not here.
    struct ArrayHash {
        template <std::size_t N>
        std::size_t operator()(const std::array<char, N>& key) const noexcept {
            std::uint64_t hash = 14695981039346656037u;
            for (const char c : key) {
                hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
            }
            return static_cast<std::size_t>(hash);
        }
    };

    struct Product {
        std::uint64_t firstUse = 0; // the first line that uses the code
        std::uint64_t line75 = 0;   // the first type 75 record of the code
        std::uint32_t uses = 0;
        std::uint8_t user = 0; // the record of the first use, by its place in recordLayouts()
    };
    using Products = std::pmr::unordered_map<Code, Product, ArrayHash>;

    static std::optional<Code> keyOf(std::string_view field);
    void useProduct(std::string_view line, std::uint64_t number, const RecordLayout& layout);
    void describe75(std::string_view line, std::uint64_t number);
    void checkDocument(std::string_view line, std::uint64_t number, const RecordKind& kind,
                       FindingSink& sink) const;
    static void reportProduct(const Code& key, const Product& product, FindingSink& sink);

    // Entries are only ever added: they take their room from large blocks, freed all at once.
    std::pmr::monotonic_buffer_resource memory_;
    Products products_{&memory_};
    std::pmr::unordered_set<Document, ArrayHash> documents50_{&memory_};
};

} // namespace sintegra::verify
