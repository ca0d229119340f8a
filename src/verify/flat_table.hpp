#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sintegra::verify {

// A hash table of short keys of fixed size, for the many small entries that the checks across
// records remember: the entries sit in one array, looked for by linear probing, so that a lookup
// touches one or two cache lines and no entry is allocated on its own. Entries are only added.
template <std::size_t N, class Value>
class FlatTable {
public:
    using Key = std::array<char, N>;

    // The value of key, value-initialized when key is new.
    Value& operator[](const Key& key) {
        if ((size_ + 1) * 4 > slots_.size() * 3) {
            grow();
        }
        Slot& slot = slots_[indexOf(key)];
        if (!slot.used) {
            slot.used = true;
            slot.key = key;
            ++size_;
        }
        return slot.value;
    }

    bool contains(const Key& key) const { return !slots_.empty() && slots_[indexOf(key)].used; }

    // Starts fetching the memory where key is looked for, for a lookup soon after.
    void prefetch(const Key& key) const {
        if (!slots_.empty()) {
            __builtin_prefetch(&slots_[hash(key) & (slots_.size() - 1)]);
        }
    }

    // The value of key, or nullptr when key is not there.
    Value* find(const Key& key) {
        Slot* slot = slots_.empty() ? nullptr : &slots_[indexOf(key)];
        return slot != nullptr && slot->used ? &slot->value : nullptr;
    }

    // visit(const Key&, const Value&) for every entry, in no particular order.
    template <class Visit>
    void forEach(Visit&& visit) const {
        for (const Slot& slot : slots_) {
            if (slot.used) {
                visit(slot.key, slot.value);
            }
        }
    }

    std::size_t size() const { return size_; }

private:
    struct Slot {
        Key key{};
        bool used = false;
        Value value{};
    };

    // The key's slot, or the free slot where it belongs.
    std::size_t indexOf(const Key& key) const {
        const std::size_t mask = slots_.size() - 1;
        std::size_t index = hash(key) & mask;
        while (slots_[index].used && std::memcmp(slots_[index].key.data(), key.data(), N) != 0) {
            index = (index + 1) & mask;
        }
        return index;
    }

    void grow() {
        std::vector<Slot> old(std::max<std::size_t>(64, slots_.size() * 2));
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.used) {
                slots_[indexOf(slot.key)] = slot;
            }
        }
    }

    // Eight bytes at a time, each mixed in by a multiplication.
    static std::size_t hash(const Key& key) {
        std::uint64_t hash = N;
        for (std::size_t at = 0; at < N; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, key.data() + at, std::min<std::size_t>(8, N - at));
            hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
            hash ^= hash >> 29;
        }
        return static_cast<std::size_t>(hash);
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
};

} // namespace sintegra::verify
