#include "staging/staging_store.hpp"

#include <array>
#include <system_error>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include "errors/file_errors.hpp"
#include "errors/store_error.hpp"
#include "files/path_text.hpp"
#include "files/private_copy.hpp"
#include "staging/statements.hpp"

namespace sintegra {
namespace {

// Besides the store, what SQLite keeps beside it, and the last run's store set aside.
constexpr std::array<const char*, 4> kBesideStore = {"-journal", "-wal", "-shm", kSetAsideSuffix};

std::filesystem::path beside(const std::filesystem::path& store, const char* suffix) {
    std::filesystem::path file = store;
    file += suffix;
    return file;
}

// Only regular files are the store's to delete: a folder, or a link that someone planted, stays,
// and the start ends.
void requireRemovable(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(file, error);
    if (std::filesystem::is_directory(status)) {
        throw fileError(ErrorKind::StoreNotRemoved, file, std::make_error_code(std::errc::is_a_directory));
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        throw fileError(ErrorKind::StoreNotRegularFile, file, {});
    }
}

void removeFile(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::remove(file, error);
    if (error) {
        throw fileError(ErrorKind::StoreNotRemoved, file, error);
    }
}

// A crash can leave a rollback journal beside the store. It must go before the template is
// copied, or SQLite would play the old journal back into the fresh copy. Every file of the store is
// checked before any is deleted.
void removeBeside(const std::filesystem::path& store) {
    requireRemovable(store);
    for (const char* suffix : kBesideStore) {
        requireRemovable(beside(store, suffix));
    }
    for (const char* suffix : kBesideStore) {
        removeFile(beside(store, suffix));
    }
}

// The store itself is only renamed: deleting a store of millions of rows takes a tenth of a second,
// which the run spends on reading its first file instead (removeSetAside). Returns the name it was
// given, if there was a store.
std::filesystem::path setAsideStale(const std::filesystem::path& store) {
    removeBeside(store);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(store, error))) {
        return {};
    }
    const std::filesystem::path setAside = beside(store, kSetAsideSuffix);
    std::filesystem::rename(store, setAside, error);
    if (error) {
        throw fileError(ErrorKind::StoreNotRemoved, store, error);
    }
    return setAside;
}

// The store keeps every record of the last run: it is this user's alone.
void copyTemplate(const std::filesystem::path& from, const std::filesystem::path& to) {
    requireTemplate(from);
    if (const std::error_code error = copyToPrivateFile(from, to)) {
        Error failure = fileError(ErrorKind::TemplateNotCopied, from, error);
        failure.secondFile = pathText(to);
        throw failure;
    }
}

// Rows per insert statement: enough to spread the cost of a statement over many rows.
constexpr std::size_t kBatchRows = 256;
// A batch holding long lines is written sooner.
constexpr std::size_t kBatchBytes = 1 << 20;
// Type 60 rows are held until this many bytes, then written as one sorted run: the fewer the runs,
// the cheaper their merge.
constexpr std::size_t kType60RunBytes = 4 << 20;

void check(sqlite3* db, int result) {
    if (result != SQLITE_OK) {
        throw SQLite::Exception(db, result);
    }
}

} // namespace

void requireTemplate(const std::filesystem::path& templateFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(templateFile, error)) {
        throw fileError(ErrorKind::TemplateMissing, templateFile.parent_path(), {});
    }
}

void removeStore(const std::filesystem::path& folder) {
    const std::filesystem::path store = folder / kStoreFileName;
    removeBeside(store);
    removeFile(store);
}

StagingStore::StagingStore(const std::filesystem::path& programFolder)
    : StagingStore(programFolder, programFolder / kTemplateFileName) {}

StagingStore::StagingStore(const std::filesystem::path& storeFolder,
                           const std::filesystem::path& templateFile)
    : file_(pathText(storeFolder / kStoreFileName))
    , setAside_(setAsideStale(storeFolder / kStoreFileName)) {
    copyTemplate(templateFile, storeFolder / kStoreFileName);
    open(templateFile);
}

StagingStore::~StagingStore() {
    removeSetAside();
}

void StagingStore::removeSetAside() noexcept {
    if (!setAside_.empty()) {
        std::error_code ignored; // then the next start removes it
        std::filesystem::remove(setAside_, ignored);
        setAside_.clear();
    }
}

void StagingStore::open(const std::filesystem::path& templateFile) {
    try {
        // Memory statistics take a global lock on every allocation; nothing here reads them.
        static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        (void)configured;
        db_ = std::make_unique<SQLite::Database>(file_, SQLite::OPEN_READWRITE | SQLite::OPEN_NOMUTEX);
        // Scratch data, rebuilt by every run: no durability needed, and one connection only.
        db_->exec("PRAGMA locking_mode = EXCLUSIVE");
        // The journal lives in memory: it holds only the pages that a run changes of what the last
        // committed run left, and no file of it is left beside the store.
        db_->exec("PRAGMA journal_mode = MEMORY");
        db_->exec("PRAGMA synchronous = OFF");
        db_->exec("PRAGMA temp_store = FILE");
        db_->exec("PRAGMA cache_size = -8192");
        db_->exec("PRAGMA threads = 1");
        SQLite::Statement tables(*db_, sql::countStagingTables());
        if (!tables.executeStep() || tables.getColumn(0).getInt64() != kStagedTypeCount) {
            throw fileError(ErrorKind::TemplateIncomplete, templateFile, {});
        }
        prepareInserts();
        productKeys_ = std::make_unique<ProductKeys>(*db_);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& error) {
        Error unusable = fileError(ErrorKind::TemplateUnusable, templateFile, storeCause(error));
        unusable.detail = error.what();
        throw unusable;
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
    const std::error_code cause = storeCause(error);
    int system = 0;
    if ((cause.value() & 0xff) == SQLITE_IOERR) {
        sqlite3_file_control(db_->getHandle(), "main", SQLITE_FCNTL_LAST_ERRNO, &system);
    }
    Error failure(ErrorKind::StoreFailed, file_,
                  system != 0 ? std::error_code(system, std::system_category()) : cause);
    failure.detail = error.what();
    throw failure;
}

std::uint64_t StagingStore::execute(std::string_view sql) {
    flushAll();
    try {
        return static_cast<std::uint64_t>(db_->exec(std::string(sql)));
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
}

void StagingStore::clear() {
    superseded_ = {};
    repeated_ = {};
    StoreTransaction transaction(*this);
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        execute(sql::deleteAll(type));
    }
    transaction.commit();
    runs_.clear();
    try {
        productKeys_->clear();
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
}

void StagingStore::stage(StagedType type, std::string_view registro) {
    RowBatch& batch = batches_.at(type);
    batch.add(registro);
    const bool full = type == kType60 ? batch.bytes() >= kType60RunBytes
                                      : batch.rows() == kBatchRows || batch.bytes() >= kBatchBytes;
    if (full) {
        flush(type);
    }
}

// The rows go at the commit, so that the deleting overlaps whatever the run does meanwhile (the
// output's flush to disk). Until then the staged rows are written to the file, so that reading them
// writes nothing.
std::uint64_t StagingStore::removeDuplicateProducts() {
    flushAll();
    try {
        superseded_ = productKeys_->superseded();
        check(db_->getHandle(), sqlite3_db_cacheflush(db_->getHandle()));
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
    const std::uint64_t removed = superseded_.count();
    repeated_ = superseded_.codes();
    if (sqlite3_get_autocommit(db_->getHandle()) != 0) {
        deleteSuperseded();
    }
    return removed;
}

// Rows are deleted in rowid order, page after page, and rows that follow each other as one range:
// a join of a file with itself removes every row of the first.
void StagingStore::deleteSuperseded() {
    try {
        SQLite::Statement remove(*db_, std::string(sql::kDeleteProducts));
        superseded_.forEachRange([&remove](std::int64_t first, std::int64_t last) {
            remove.bind(1, static_cast<int64_t>(first));
            remove.bind(2, static_cast<int64_t>(last));
            remove.exec();
            remove.reset();
        });
    } catch (const SQLite::Exception& error) {
        fail(error);
    }
    superseded_ = {};
}

void StagingStore::flush(StagedType type) {
    RowBatch& batch = batches_[type];
    if (batch.rows() == 0) {
        return;
    }
    try {
        if (type == kType60) {
            batch.sortByType60Order();
        }
        write(type, batch);
        written(type, batch);
        batch.clear();
    } catch (const SQLite::Exception& error) {
        // A statement that failed fails its reset the same way: what the user is told is the first.
        batch.clear();
        batchInserts_[type]->tryReset();
        singleInserts_[type]->tryReset();
        fail(error);
    }
}

void StagingStore::write(StagedType type, RowBatch& batch) {
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
}

// A batch takes the rowids that follow the table's greatest, one after the other.
void StagingStore::written(StagedType type, const RowBatch& batch) {
    const std::int64_t last = sqlite3_last_insert_rowid(db_->getHandle());
    const std::int64_t first = last - static_cast<std::int64_t>(batch.rows()) + 1;
    if (type == kType60) {
        runs_.add(first, last);
    } else if (type == kType75) {
        for (std::size_t row = 0; row < batch.rows(); ++row) {
            if (const auto key = productKey(batch.registro(row))) {
                productKeys_->add(*key, first + static_cast<std::int64_t>(row));
            }
        }
    }
}

void StagingStore::flushAll() {
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        flush(type);
    }
}

void StagingStore::forEachInOutputOrder(StagedType type, const std::function<void(std::string_view)>& visit) {
    flushAll();
    try {
        if (type == kType60) {
            runs_.forEachInOrder(*db_, visit);
            return;
        }
        SQLite::Statement statement(*db_, sql::rowsInLoadOrder(type));
        while (statement.executeStep()) {
            if (type == kType75 && superseded_.contains(statement.getColumn(1).getInt64())) {
                continue;
            }
            const SQLite::Column registro = statement.getColumn(0);
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
    flushAll();
    deleteSuperseded();
    execute("COMMIT");
}

void StagingStore::rollback() noexcept {
    for (RowBatch& batch : batches_) {
        batch.clear();
    }
    runs_.clear();
    superseded_ = {};
    if (productKeys_) {
        productKeys_->forget();
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
