#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "files/program_folder.hpp"
#include "layout/record_types.hpp"
#include "staging/product_keys.hpp"
#include "staging/row_batch.hpp"
#include "staging/type60_runs.hpp"

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite

namespace sintegra {

inline constexpr std::string_view kStoreFileName = "Sintegra.mdb";
// The last run's store, renamed until it is deleted.
inline constexpr char kSetAsideSuffix[] = "-old";

// The scratch database of the program folder and its one connection: one table of rows for each
// staged record type. Rows are written in batches: every other operation first writes what is
// pending, so that it sees every row staged before it. Every failure is thrown as an Error naming
// the file and its cause.
class StagingStore {
public:
    // Replaces Sintegra.mdb with a fresh copy of Sintegra.mod, both in programFolder, and opens it.
    explicit StagingStore(const std::filesystem::path& programFolder);
    // The same with the template elsewhere.
    StagingStore(const std::filesystem::path& storeFolder, const std::filesystem::path& templateFile);
    ~StagingStore();
    StagingStore(const StagingStore&) = delete;
    StagingStore& operator=(const StagingStore&) = delete;

    const std::string& file() const noexcept { return file_; }
    // Whether the last run's store, which the start only renamed, is still to be deleted.
    bool holdsSetAside() const noexcept { return !setAside_.empty(); }
    // Deletes it, at the latest when the store is closed. Another thread may do it while one works
    // with the store.
    void removeSetAside() noexcept;

    // Empties every staging table.
    void clear();
    // Adds one row to the type's table. Rows are numbered in the order they are staged.
    void stage(StagedType type, std::string_view registro);
    // Of the type 75 rows that share a product code and validity period only the one staged last
    // stays, unchanged and in its place. Returns the number of rows removed. Within a transaction the rows
    // leave the tables when it commits; they are no longer read from here on.
    std::uint64_t removeDuplicateProducts();
    // The product codes of the rows that removeDuplicateProducts() removed.
    const RepeatedCodes& repeatedProducts() const noexcept { return repeated_; }
    // Hands the Registro of every row of the type's table to visit, in output order: type 60 by
    // date, serial number and sub-type, then load order; every other type in load order.
    void forEachInOutputOrder(StagedType type, const std::function<void(std::string_view)>& visit);

    void begin();
    void commit();
    void rollback() noexcept;

private:
    void open(const std::filesystem::path& templateFile);
    void prepareInserts();
    std::uint64_t execute(std::string_view sql);
    void flush(StagedType type);
    void write(StagedType type, RowBatch& batch);
    void written(StagedType type, const RowBatch& batch);
    void flushAll();
    void deleteSuperseded();
    [[noreturn]] void fail(const std::exception& error) const;

    std::string file_;
    std::filesystem::path setAside_;
    std::unique_ptr<SQLite::Database> db_;
    PerStagedType<std::unique_ptr<SQLite::Statement>> singleInserts_;
    PerStagedType<std::unique_ptr<SQLite::Statement>> batchInserts_;
    std::vector<RowBatch> batches_;
    Type60Runs runs_;
    std::unique_ptr<ProductKeys> productKeys_;
    SupersededRows superseded_; // removed, and deleted at the commit
    RepeatedCodes repeated_;
};

// Throws Error when the template is not there.
void requireTemplate(const std::filesystem::path& templateFile);
// Removes Sintegra.mdb, what SQLite keeps beside it and the last store set aside from folder.
// Throws Error.
void removeStore(const std::filesystem::path& folder);

// Ends the transaction it began with a rollback, unless it was committed.
class StoreTransaction {
public:
    explicit StoreTransaction(StagingStore& store);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;
    void commit();

private:
    StagingStore& store_;
    bool open_ = true;
};

} // namespace sintegra
