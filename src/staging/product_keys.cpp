#include "staging/product_keys.hpp"

#include <algorithm>
#include <memory>
#include <optional>
#include <tuple>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Exception.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include "staging/record_keys.hpp"
#include "staging/statements.hpp"

namespace sintegra {
namespace {

using Key = ProductKeys::Key;

// 2.5 MiB of keys a run; a spilled run is read back 40 KiB at a time.
constexpr std::size_t kRunKeys = 1 << 16;
constexpr std::size_t kChunkKeys = 1 << 10;

bool sameCode(const Key& a, const Key& b) {
    return a.high == b.high && a.low == b.low;
}

bool samePeriod(const Key& a, const Key& b) {
    return a.periodHigh == b.periodHigh && a.periodLow == b.periodLow;
}

// The code that a key stands for: the first eight bytes, the next six and the size.
std::string codeOf(const Key& key) {
    std::string code(kProductCodeSize, ' ');
    for (std::size_t i = 0; i < code.size(); ++i) {
        const std::uint64_t part = i < 8 ? key.high : key.low;
        code[i] = static_cast<char>(part >> (56 - 8 * (i % 8)) & 0xff);
    }
    code.resize(static_cast<std::size_t>(key.low & 0xffff));
    return code;
}

bool before(const Key& a, const Key& b) {
    return std::tie(a.high, a.low, a.periodHigh, a.periodLow, a.row) <
           std::tie(b.high, b.low, b.periodHigh, b.periodLow, b.row);
}

void check(sqlite3* db, int result) {
    if (result != SQLITE_OK) {
        throw SQLite::Exception(db, result);
    }
}

// One sorted run read in order: the run in memory, or a spilled one a chunk at a time.
class RunReader {
public:
    explicit RunReader(const std::vector<Key>& keys)
        : keys_(&keys) {}

    RunReader(sqlite3* db, std::int64_t rowid)
        : db_(db) {
        check(db_, sqlite3_blob_open(db_, "temp", "ProductRuns", "Run", rowid, 0, &blob_));
        total_ = static_cast<std::size_t>(sqlite3_blob_bytes(blob_)) / sizeof(Key);
        refill();
    }

    ~RunReader() {
        if (blob_ != nullptr) {
            sqlite3_blob_close(blob_);
        }
    }
    RunReader(const RunReader&) = delete;
    RunReader& operator=(const RunReader&) = delete;

    const Key* current() const { return at_ < keys_->size() ? &(*keys_)[at_] : nullptr; }

    void advance() {
        if (++at_ == keys_->size() && blob_ != nullptr) {
            refill();
        }
    }

private:
    void refill() {
        const std::size_t count = std::min(kChunkKeys, total_ - read_);
        chunk_.resize(count);
        check(db_, sqlite3_blob_read(blob_, chunk_.data(), static_cast<int>(count * sizeof(Key)),
                                     static_cast<int>(read_ * sizeof(Key))));
        read_ += count;
        at_ = 0;
        keys_ = &chunk_;
    }

    sqlite3* db_ = nullptr;
    sqlite3_blob* blob_ = nullptr;
    const std::vector<Key>* keys_ = nullptr;
    std::vector<Key> chunk_;
    std::size_t total_ = 0;
    std::size_t read_ = 0;
    std::size_t at_ = 0;
};

} // namespace

void ProductKeys::add(const ProductKey& product, std::int64_t row) {
    // The six bytes after the first eight leave the number's lowest two bytes for the size.
    static_assert(kProductCodeSize <= 14 && kProductPeriodSize == 16);
    const std::string_view code = product.code;
    const std::string_view rest = code.substr(std::min<std::size_t>(8, code.size()));
    const Key key{bytesRank(code), bytesRank(rest) | code.size(), bytesRank(product.period),
                  bytesRank(product.period.substr(8)), row};
    firstRow_ = std::min(firstRow_, row);
    lastAdded_ = std::max(lastAdded_, row);
    run_.push_back(key);
    if (run_.size() == kRunKeys) {
        spill();
    }
}

void ProductKeys::spill() {
    std::ranges::sort(run_, before);
    if (spilled_.empty()) {
        db_.exec(std::string(sql::kCreateProductRuns));
    }
    SQLite::Statement insert(db_, std::string(sql::kInsertProductRun));
    insert.bindNoCopy(1, run_.data(), static_cast<int>(run_.size() * sizeof(Key)));
    insert.exec();
    spilled_.push_back(db_.getLastInsertRowid());
    run_.clear();
}

void ProductKeys::forEachInOrder(const std::function<void(const Key&)>& visit) {
    std::ranges::sort(run_, before);
    std::vector<std::unique_ptr<RunReader>> readers;
    for (const std::int64_t rowid : spilled_) {
        readers.push_back(std::make_unique<RunReader>(db_.getHandle(), rowid));
    }
    readers.push_back(std::make_unique<RunReader>(run_));
    std::vector<std::size_t> heap;
    for (std::size_t i = 0; i < readers.size(); ++i) {
        if (readers[i]->current() != nullptr) {
            heap.push_back(i);
        }
    }
    const auto after = [&readers](std::size_t a, std::size_t b) {
        return before(*readers[b]->current(), *readers[a]->current());
    };
    std::ranges::make_heap(heap, after);
    while (!heap.empty()) {
        std::ranges::pop_heap(heap, after);
        RunReader& reader = *readers[heap.back()];
        visit(*reader.current());
        reader.advance();
        if (reader.current() != nullptr) {
            std::ranges::push_heap(heap, after);
        } else {
            heap.pop_back();
        }
    }
}

void SupersededRows::mark(std::int64_t row) {
    const auto bit = static_cast<std::size_t>(row - firstRow_);
    count_ += bits_[bit] ? 0 : 1;
    bits_[bit] = true;
}

bool SupersededRows::contains(std::int64_t row) const noexcept {
    return row >= firstRow_ && static_cast<std::size_t>(row - firstRow_) < bits_.size() &&
           bits_[static_cast<std::size_t>(row - firstRow_)];
}

void SupersededRows::forEachRange(
    const std::function<void(std::int64_t first, std::int64_t last)>& range) const {
    for (std::size_t bit = 0; bit < bits_.size();) {
        const std::size_t first = bit;
        while (bit < bits_.size() && bits_[bit]) {
            ++bit;
        }
        if (bit > first) {
            range(firstRow_ + static_cast<std::int64_t>(first),
                  firstRow_ + static_cast<std::int64_t>(bit) - 1);
        } else {
            ++bit;
        }
    }
}

// Keys sort by code, then period, then row: of the keys of a code and period, every one but the
// last is superseded. A code counts once among the repeated ones, whatever its periods.
SupersededRows ProductKeys::superseded() {
    if (firstRow_ > lastAdded_) {
        return {};
    }
    SupersededRows superseded(firstRow_, static_cast<std::size_t>(lastAdded_ - firstRow_) + 1);
    RepeatedCodes& codes = superseded.codes();
    std::optional<Key> previous;
    bool repeated = false; // whether the previous key's code is counted among the repeated ones
    forEachInOrder([&](const Key& key) {
        const bool sameCodeAsPrevious = previous && sameCode(*previous, key);
        if (sameCodeAsPrevious && samePeriod(*previous, key)) {
            superseded.mark(previous->row);
            if (!repeated && ++codes.count <= RepeatedCodes::kListed) {
                codes.first.push_back({codeOf(key), 0});
            }
            if (codes.count <= RepeatedCodes::kListed) {
                ++codes.first.back().superseded;
            }
            repeated = true;
        } else if (!sameCodeAsPrevious) {
            repeated = false;
        }
        previous = key;
    });
    return superseded;
}

void ProductKeys::clear() {
    if (!spilled_.empty()) {
        db_.exec(std::string(sql::kDropProductRuns));
    }
    forget();
}

void ProductKeys::forget() noexcept {
    run_.clear();
    spilled_.clear();
    firstRow_ = std::numeric_limits<std::int64_t>::max();
    lastAdded_ = 0;
}

} // namespace sintegra
