#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Bdreg {

// One setting: a key, the folder that groups it (the empty folder is the root) and its
// value. All three are arbitrary byte texts.
struct Entry {
    std::string key;
    std::string folder;
    std::string value;
    bool operator==(const Entry&) const = default;
};

// The ordered list of settings behind TBDReg.
//
// For a given key and folder, compared byte for byte (letter case counts), there is at
// most one entry. The order is the order in which entries were last added: Add of an
// existing key and folder replaces the value and moves the entry to the end.
//
// Lookups go through a hash index and positions through a counting tree, so Add, Remove,
// Find and IndexOf cost O(log n) amortised, and At(position) O(log n); walking the list in
// order is linear. Removed entries leave holes that are squeezed out once they outnumber
// the live ones. Not thread-safe; one owner thread.
class EntryList {
public:
    class const_iterator;

    EntryList();
    ~EntryList();
    EntryList(const EntryList&) = delete;
    EntryList& operator=(const EntryList&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(index_.size()); }
    [[nodiscard]] bool Empty() const { return index_.empty(); }

    // The position (from 0) of the entry with this key and folder, or -1.
    [[nodiscard]] int IndexOf(std::string_view key, std::string_view folder) const;
    // The entry with this key and folder, or nullptr. Valid until the entry is removed.
    [[nodiscard]] const Entry* Find(std::string_view key, std::string_view folder) const;
    // The entry at position 0 <= position < Count(); raises EStringListError
    // "List index out of bounds (<position>)" otherwise.
    [[nodiscard]] const Entry& At(int position) const;

    // Stores value under key and folder, replacing an existing entry and moving it to the end.
    void Add(std::string_view key, std::string_view value, std::string_view folder);
    // Removes the entry with this key and folder; false if there was none.
    bool Remove(std::string_view key, std::string_view folder);
    void Clear();

    // The entries in order. Any change to the list invalidates the iterators.
    [[nodiscard]] const_iterator begin() const;
    [[nodiscard]] const_iterator end() const;

private:
    // Key and folder, viewing the strings of the entry they name (entries never move in
    // memory and never change their key or folder, so the views stay valid).
    struct Name {
        std::string_view key;
        std::string_view folder;
        bool operator==(const Name&) const = default;
    };
    struct NameHash {
        size_t operator()(const Name& name) const noexcept;
    };
    struct Slot;

    void AppendSlot(std::unique_ptr<Slot> slot);
    void VacateSlot(size_t slot_index);
    void CompactIfSparse();
    void RebuildCounts();
    // Live entries among slots [0, end).
    [[nodiscard]] int LiveBefore(size_t end) const;

    // Every entry ever added in order, with nullptr where one was removed or moved on.
    std::vector<std::unique_ptr<Slot>> slots_;
    // A Fenwick tree over slots_: 1 for each live slot, so prefix sums give positions.
    std::vector<int> counts_;
    std::unordered_map<Name, Slot*, NameHash> index_;
};

class EntryList::const_iterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Entry;
    using difference_type = std::ptrdiff_t;
    using pointer = const Entry*;
    using reference = const Entry&;

    const_iterator() = default;
    reference operator*() const;
    pointer operator->() const { return &**this; }
    const_iterator& operator++();
    const_iterator operator++(int) {
        auto before = *this;
        ++*this;
        return before;
    }
    bool operator==(const const_iterator& other) const { return at_ == other.at_; }

private:
    friend class EntryList;
    using SlotIterator = std::vector<std::unique_ptr<Slot>>::const_iterator;
    const_iterator(SlotIterator at, SlotIterator end) : at_(at), end_(end) { SkipHoles(); }
    void SkipHoles();

    SlotIterator at_{};
    SlotIterator end_{};
};

}  // namespace Bdreg
