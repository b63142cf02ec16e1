#include "settings/entry_list.h"

#include <bit>
#include <functional>

#include "core/exception.h"

namespace Bdreg {

struct EntryList::Slot {
    Entry entry;
    size_t index = 0;  // where the slot stands in slots_
};

size_t EntryList::NameHash::operator()(const Name& name) const noexcept {
    const size_t key = std::hash<std::string_view>{}(name.key);
    const size_t folder = std::hash<std::string_view>{}(name.folder);
    return key ^ (folder + 0x9e3779b97f4a7c15ull + (key << 6) + (key >> 2));
}

EntryList::EntryList() = default;
EntryList::~EntryList() = default;

const Entry* EntryList::Find(std::string_view key, std::string_view folder) const {
    const auto found = index_.find(Name{key, folder});
    return found == index_.end() ? nullptr : &found->second->entry;
}

int EntryList::IndexOf(std::string_view key, std::string_view folder) const {
    const auto found = index_.find(Name{key, folder});
    return found == index_.end() ? -1 : LiveBefore(found->second->index);
}

const Entry& EntryList::At(int position) const {
    if (position < 0 || position >= Count()) {
        throw EStringListError("List index out of bounds (" + std::to_string(position) + ")");
    }
    // Descend the counting tree to the slot holding the (position + 1)-th live entry.
    size_t slot = 0;
    int remaining = position + 1;
    for (size_t step = std::bit_floor(counts_.size()); step > 0; step >>= 1) {
        if (slot + step <= counts_.size() && counts_[slot + step - 1] < remaining) {
            slot += step;
            remaining -= counts_[slot - 1];
        }
    }
    return slots_[slot]->entry;
}

void EntryList::Add(std::string_view key, std::string_view value, std::string_view folder) {
    const auto found = index_.find(Name{key, folder});
    if (found != index_.end()) {
        // Keep the entry object, so that the index's views of its key and folder stay valid.
        Slot* slot = found->second;
        std::unique_ptr<Slot> moved = std::move(slots_[slot->index]);
        VacateSlot(slot->index);
        moved->entry.value.assign(value);
        AppendSlot(std::move(moved));
        CompactIfSparse();
        return;
    }
    auto slot = std::make_unique<Slot>();
    slot->entry = Entry{std::string(key), std::string(folder), std::string(value)};
    Slot* raw = slot.get();
    AppendSlot(std::move(slot));
    index_.emplace(Name{raw->entry.key, raw->entry.folder}, raw);
}

bool EntryList::Remove(std::string_view key, std::string_view folder) {
    const auto found = index_.find(Name{key, folder});
    if (found == index_.end()) return false;
    const size_t at = found->second->index;
    index_.erase(found);  // before the entry whose strings its key views goes
    slots_[at].reset();
    VacateSlot(at);
    CompactIfSparse();
    return true;
}

void EntryList::Clear() {
    index_.clear();
    slots_.clear();
    counts_.clear();
}

void EntryList::AppendSlot(std::unique_ptr<Slot> slot) {
    const size_t at = slots_.size();
    slot->index = at;
    slots_.push_back(std::move(slot));
    // A tree node covers the slots from (at & (at + 1)) to itself; the new slot is live.
    const size_t first = at & (at + 1);
    counts_.push_back(1 + LiveBefore(at) - LiveBefore(first));
}

void EntryList::VacateSlot(size_t slot_index) {
    for (size_t i = slot_index; i < counts_.size(); i |= i + 1) --counts_[i];
}

int EntryList::LiveBefore(size_t end) const {
    int live = 0;
    for (size_t i = end; i > 0; i &= i - 1) live += counts_[i - 1];
    return live;
}

void EntryList::CompactIfSparse() {
    const size_t holes = slots_.size() - index_.size();
    if (holes <= 64 || holes <= index_.size()) return;
    size_t kept = 0;
    for (auto& slot : slots_) {
        if (!slot) continue;
        slot->index = kept;
        slots_[kept++] = std::move(slot);
    }
    slots_.resize(kept);
    RebuildCounts();
}

void EntryList::RebuildCounts() {
    counts_.assign(slots_.size(), 0);
    for (size_t i = 0; i < counts_.size(); ++i) {
        if (slots_[i]) counts_[i] += 1;
        const size_t parent = i | (i + 1);
        if (parent < counts_.size()) counts_[parent] += counts_[i];
    }
}

EntryList::const_iterator EntryList::begin() const { return {slots_.begin(), slots_.end()}; }
EntryList::const_iterator EntryList::end() const { return {slots_.end(), slots_.end()}; }

const Entry& EntryList::const_iterator::operator*() const { return (*at_)->entry; }

EntryList::const_iterator& EntryList::const_iterator::operator++() {
    ++at_;
    SkipHoles();
    return *this;
}

void EntryList::const_iterator::SkipHoles() {
    while (at_ != end_ && !*at_) ++at_;
}

}  // namespace Bdreg
