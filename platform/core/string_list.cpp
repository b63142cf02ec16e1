#include "core/string_list.h"

#include "core/exception.h"

int TStrings::Add(const std::string& text) {
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::IndexOf(const std::string& text) const {
    for (int i = 0; i < Count(); ++i) {
        if (Get(i) == text) return i;
    }
    return -1;
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this) return;
    Clear();
    for (int i = 0; i < other.Count(); ++i) Add(other.Get(i));
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) text += Get(i) + "\r\n";
    return text;
}

void TStrings::RaiseIndexError(int index) {
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) RaiseIndexError(index);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return lines_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const std::string& text) {
    CheckIndex(index);
    lines_[static_cast<size_t>(index)] = text;
}

void TStringList::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count()) RaiseIndexError(index);
    lines_.insert(lines_.begin() + index, text);
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    lines_.erase(lines_.begin() + index);
}
