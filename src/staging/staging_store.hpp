#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_types.hpp"
#include "staging/row_batch.hpp"

namespace SQLite {
class Database;
class Statement;
} // namespace SQLite

namespace sintegra {

inline constexpr std::string_view kTemplateFileName = "Sintegra.mod";
inline constexpr std::string_view kStoreFileName = "Sintegra.mdb";

// The scratch database of the program folder and its one connection. Rows are written in batches:
// every other operation first writes what is pending, so that it sees every row added before it.
// Every failure is thrown as a StoreError whose message names the file and the cause.
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

    // Runs a statement and returns the number of rows it changed.
    std::uint64_t execute(std::string_view sql);
    std::uint64_t execute(const std::string& sql, std::int64_t parameter);
    std::uint64_t queryCount(const std::string& sql);

    // Adds one row to the type's table, with the keys the table keeps.
    void insert(StagedType type, std::string_view registro);

    // Hands the Registro of every row of the query to visit, in the query's order.
    void forEachRegistro(const std::string& sql, const std::function<void(std::string_view)>& visit);

    void begin();
    void commit();
    void rollback() noexcept;

private:
    void open(const std::filesystem::path& templateFile);
    void prepareInserts();
    void flush(StagedType type);
    void flushAll();
    [[noreturn]] void fail(const std::exception& error) const;

    std::string file_;
    std::unique_ptr<SQLite::Database> db_;
    PerStagedType<std::unique_ptr<SQLite::Statement>> singleInserts_;
    PerStagedType<std::unique_ptr<SQLite::Statement>> batchInserts_;
    std::vector<RowBatch> batches_;
};

// Throws StoreError when the template is not there.
void requireTemplate(const std::filesystem::path& templateFile);
// Removes Sintegra.mdb and what SQLite keeps beside it from folder. Throws StoreError.
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
