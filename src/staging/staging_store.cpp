#include "staging/staging_store.hpp"

#include <system_error>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include "files/system_error.hpp"
#include "staging/statements.hpp"
#include "staging/store_error.hpp"

namespace sintegra {
namespace {

std::string inQuotes(const std::filesystem::path& path) {
    return "\"" + pathText(path) + "\"";
}

// A crash can leave a rollback journal beside the store. It must go before the template is
// copied, or SQLite would play the old journal back into the fresh copy.
void removeStale(const std::filesystem::path& store) {
    for (const char* suffix : {"-journal", "-wal", "-shm", ""}) {
        std::filesystem::path file = store;
        file += suffix;
        std::error_code error;
        // A folder in the way is not the store's to delete, not even an empty one.
        if (std::filesystem::is_directory(std::filesystem::symlink_status(file, error))) {
            error = std::make_error_code(std::errc::is_a_directory);
        } else {
            std::filesystem::remove(file, error);
        }
        if (error) {
            throw StoreError("Não foi possível apagar o banco de trabalho " + inQuotes(file) + ": " +
                                 systemCause(error) + ".",
                             pathText(file));
        }
    }
}

void copyTemplate(const std::filesystem::path& from, const std::filesystem::path& to) {
    requireTemplate(from);
    std::error_code error;
    if (!std::filesystem::copy_file(from, to, error)) {
        throw StoreError("Não foi possível copiar o modelo " + inQuotes(from) + " para " + inQuotes(to) +
                             ": " + systemCause(error) + ".",
                         pathText(to));
    }
}

// Rows per insert statement: enough to spread the cost of a statement, AUTOINCREMENT's included.
constexpr std::size_t kBatchRows = 16;
// A batch holding long lines is written sooner.
constexpr std::size_t kBatchBytes = 1 << 20;

int sqliteCode(const std::exception& error) {
    const auto* sqlite = dynamic_cast<const SQLite::Exception*>(&error);
    return sqlite != nullptr ? sqlite->getErrorCode() : SQLITE_ERROR;
}

} // namespace

void requireTemplate(const std::filesystem::path& templateFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(templateFile, error)) {
        throw StoreError("O modelo do banco de trabalho " + std::string(kTemplateFileName) +
                             " não foi encontrado na pasta " + inQuotes(templateFile.parent_path()) + ".",
                         pathText(templateFile));
    }
}

void removeStore(const std::filesystem::path& folder) {
    removeStale(folder / kStoreFileName);
}

StagingStore::StagingStore(const std::filesystem::path& programFolder)
    : StagingStore(programFolder, programFolder / kTemplateFileName) {}

StagingStore::StagingStore(const std::filesystem::path& storeFolder,
                           const std::filesystem::path& templateFile)
    : file_(pathText(storeFolder / kStoreFileName)) {
    removeStale(storeFolder / kStoreFileName);
    copyTemplate(templateFile, storeFolder / kStoreFileName);
    open(templateFile);
}

StagingStore::~StagingStore() = default;

void StagingStore::open(const std::filesystem::path& templateFile) {
    try {
        // Memory statistics take a global lock on every allocation; nothing here reads them.
        static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        (void)configured;
        db_ = std::make_unique<SQLite::Database>(file_, SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX);
        // Scratch data, rebuilt by every run: no durability needed, and one connection only.
        db_->exec("PRAGMA locking_mode = EXCLUSIVE");
        db_->exec("PRAGMA journal_mode = TRUNCATE");
        db_->exec("PRAGMA synchronous = OFF");
        db_->exec("PRAGMA temp_store = FILE");
        db_->exec("PRAGMA cache_size = -8192");
        db_->exec("PRAGMA threads = 1");
        SQLite::Statement tables(*db_, std::string(sql::kCountStagingTables));
        if (!tables.executeStep() || tables.getColumn(0).getInt64() != kStagedTypeCount) {
            throw SQLite::Exception("faltam tabelas de trabalho (REG50 a REG88)");
        }
        prepareInserts();
    } catch (const std::exception& error) {
        throw StoreError("O modelo do banco de trabalho " + inQuotes(templateFile) +
                             " não pode ser usado: " + storeCause(sqliteCode(error), error.what()) + ".",
                         templateFile.string());
    }
}

void StagingStore::prepareInserts() {
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        singleInserts_[type] = std::make_unique<SQLite::Statement>(*db_, sql::insertRows(type, 1));
        batchInserts_[type] = std::make_unique<SQLite::Statement>(*db_, sql::insertRows(type, kBatchRows));
        batches_.emplace_back(type);
    }
}

// Of an I/O error the system knows the cause (a file-size limit, a failing device): SQLite keeps it
// with the file.
void StagingStore::fail(const std::exception& error) const {
    const int code = sqliteCode(error);
    int system = 0;
    if ((code & 0xff) == SQLITE_IOERR) {
        sqlite3_file_control(db_->getHandle(), "main", SQLITE_FCNTL_LAST_ERRNO, &system);
    }
    throw StoreError(
        "Erro no banco de trabalho \"" + file_ + "\": " +
            (system != 0 ? systemCause({system, std::system_category()}) : storeCause(code, error.what())) +
            ".",
        file_);
}

std::uint64_t StagingStore::execute(std::string_view sql) {
    flushAll();
    try {
        return static_cast<std::uint64_t>(db_->exec(std::string(sql)));
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
}

std::uint64_t StagingStore::execute(const std::string& sql, std::int64_t parameter) {
    flushAll();
    try {
        SQLite::Statement statement(*db_, sql);
        statement.bind(1, static_cast<int64_t>(parameter));
        return static_cast<std::uint64_t>(statement.exec());
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
}

std::uint64_t StagingStore::queryCount(const std::string& sql) {
    flushAll();
    try {
        SQLite::Statement statement(*db_, sql);
        statement.executeStep();
        return static_cast<std::uint64_t>(statement.getColumn(0).getInt64());
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
}

void StagingStore::insert(StagedType type, std::string_view registro) {
    RowBatch& batch = batches_.at(type);
    batch.add(registro);
    if (batch.rows() == kBatchRows || batch.bytes() >= kBatchBytes) {
        flush(type);
    }
}

void StagingStore::flush(StagedType type) {
    RowBatch& batch = batches_[type];
    try {
        std::size_t written = 0;
        for (; batch.rows() - written >= kBatchRows; written += kBatchRows) {
            batch.bind(*batchInserts_[type], written, kBatchRows);
            batchInserts_[type]->exec();
            batchInserts_[type]->reset();
        }
        for (; written < batch.rows(); ++written) {
            batch.bind(*singleInserts_[type], written, 1);
            singleInserts_[type]->exec();
            singleInserts_[type]->reset();
        }
        batch.clear();
    } catch (const SQLite::Exception& error) {
        batch.clear();
        batchInserts_[type]->reset();
        singleInserts_[type]->reset();
        fail(error);
    }
}

void StagingStore::flushAll() {
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        flush(type);
    }
}

void StagingStore::forEachRegistro(const std::string& sql,
                                   const std::function<void(std::string_view)>& visit) {
    flushAll();
    try {
        SQLite::Statement statement(*db_, sql);
        const int column = statement.getColumnIndex("Registro");
        while (statement.executeStep()) {
            const SQLite::Column registro = statement.getColumn(column);
            visit({static_cast<const char*>(registro.getBlob()),
                   static_cast<std::size_t>(registro.getBytes())});
        }
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
}

void StagingStore::begin() {
    execute("BEGIN");
}

void StagingStore::commit() {
    execute("COMMIT");
}

void StagingStore::rollback() noexcept {
    for (RowBatch& batch : batches_) {
        batch.clear();
    }
    try {
        if (db_ && sqlite3_get_autocommit(db_->getHandle()) == 0) {
            db_->exec("ROLLBACK");
        }
    } catch (const SQLite::Exception&) {
        // The transaction is gone either way; nothing is left to undo.
    }
}

StoreTransaction::StoreTransaction(StagingStore& store)
    : store_(store) {
    store_.begin();
}

StoreTransaction::~StoreTransaction() {
    if (open_) {
        store_.rollback();
    }
}

void StoreTransaction::commit() {
    store_.commit();
    open_ = false;
}

} // namespace sintegra
