#pragma once

#include <string>
#include <vector>

// An ordered list of texts, as the platform's list boxes, combo boxes and memos expose their
// lines. Positions count from 0; every position outside the list raises EStringListError
// "List index out of bounds (<index>)" and leaves the list unchanged.
class TStrings {
public:
    virtual ~TStrings() = default;

    [[nodiscard]] virtual int Count() const = 0;
    [[nodiscard]] virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;  // index may equal Count()
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends text and returns its position.
    int Add(const std::string& text);
    // The position of the first line equal to text, or -1.
    [[nodiscard]] int IndexOf(const std::string& text) const;
    [[nodiscard]] std::string operator[](int index) const { return Get(index); }
    // Replaces the whole list with the lines of other.
    void Assign(const TStrings& other);
    // The lines joined, each followed by "\r\n".
    [[nodiscard]] std::string Text() const;

protected:
    [[noreturn]] static void RaiseIndexError(int index);
};

// The plain in-memory list.
class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> lines) : lines_(lines) {}

    [[nodiscard]] int Count() const override { return static_cast<int>(lines_.size()); }
    [[nodiscard]] std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override { lines_.clear(); }

    [[nodiscard]] const std::vector<std::string>& Lines() const { return lines_; }

private:
    void CheckIndex(int index) const;

    std::vector<std::string> lines_;
};
