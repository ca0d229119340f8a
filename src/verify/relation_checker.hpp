#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "layout/record_columns.hpp"
#include "verify/finding.hpp"
#include "verify/flat_table.hpp"
#include "verify/record_kind.hpp"

namespace sintegra::verify {

// What the records say of each other: every product code used has a type 75 record (and every
// type 75 record a use), every type 51, 53 or 54 record the type 50 record of its document, and
// every 60A, 60D or 60I record the 60M of its day and equipment. It remembers one entry per
// distinct product code, one per type 50 record and one per 60M record, nothing per other line.
class RelationChecker {
public:
    // limit: how many product codes, type 50 documents and 60M records it remembers at most. Past it,
    // what was not seen yet goes unchecked (it never reports a problem it cannot prove), and the
    // findings say from which line on.
    explicit RelationChecker(std::size_t limit = SIZE_MAX)
        : limit_(limit) {}

    void line(std::string_view line, std::uint64_t number, const RecordKind& kind, FindingSink& sink);
    void finish(FindingSink& sink);

private:
    // A product code, blank-padded.
    using Code = std::array<char, kProductCodeSize>;
    // A digest of the CNPJ, model, series and number of a document (a third of their bytes), or of
    // the date and serial number of a 60M record. Two with one digest (one chance in 2^64 for a
    // pair) would hide a missing type 50 or 60M, never report one that is there.
    using Digest = std::array<char, 8>;
    struct Empty {};

    struct Product {
        std::uint64_t firstUse = 0; // the first line that uses the code
        std::uint64_t line75 = 0;   // the first type 75 record of the code
        std::uint32_t uses = 0;
        std::uint8_t user = 0; // the record of the first use, by its place in recordLayouts()
    };
    using Products = FlatTable<kProductCodeSize, Product>;

    // What a line asks of the tables, kept until its turn comes.
    struct Lookup {
        std::uint64_t number = 0;
        const RecordLayout* layout = nullptr;
        std::optional<Code> product;
        bool hasDocument = false;
        bool hasDay = false; // of a type 60M, 60A, 60D or 60I record
        Digest digest{};     // of the document or the day
        std::string_view written() const { return {columns.data(), columnsSize}; }
        std::array<char, 49> columns{}; // of a type 51, 53 or 54: CNPJ to number; 60: date and serial
        std::size_t columnsSize = 0;
    };
    // The tables outgrow the processor's caches: each lookup waits this many lines while its entry
    // is fetched from memory, so that the fetches overlap instead of following one another.
    static constexpr std::size_t kLookahead = 8;

    static std::optional<Code> keyOf(std::string_view field);
    // The product code that a record uses or, for type 75, describes.
    static std::optional<Code> productOf(std::string_view line, const RecordKind& kind);
    void resolve(const Lookup& lookup, FindingSink& sink);
    void countProduct(const Lookup& lookup);
    void checkDocument(const Lookup& lookup, FindingSink& sink) const;
    void checkDay(const Lookup& lookup, FindingSink& sink);
    static void keepWritten(Lookup& lookup, std::string_view written);
    template <class LineOf>
    void reportInLineOrder(const Check& check, FindingSink& sink, LineOf lineOf) const;
    static void reportProduct(const Code& key, const Product& product, FindingSink& sink);
    // The entry of key, made while the table is under the limit; nullptr past it.
    template <class Table>
    auto* entryOf(Table& table, const typename Table::Key& key, std::uint64_t number);

    std::size_t limit_;
    std::uint64_t limitedAt_ = 0; // the first line whose code or document went unremembered
    Products products_;
    FlatTable<sizeof(Digest), Empty> documents50_;
    FlatTable<sizeof(Digest), Empty> days60M_;
    std::array<Lookup, kLookahead> pending_;
    std::size_t oldest_ = 0;
    std::size_t waiting_ = 0;
};

} // namespace sintegra::verify
