// A bounded list of texts, numbered from 1 to N, as every shared list of the
// program uses it: entries may be empty, a reader walks from entry 1 and
// stops at the first empty one, and adding to a full list silently drops
// the text. It knows nothing about what its texts mean; callers that want
// upper-casing or duplicate rules apply them (AddUnique covers the usual
// "no duplicate" case).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

template <int N>
class FixedList {
  static_assert(N > 0);

 public:
  static constexpr int kSize = N;

  FixedList() : entries_(N) {}

  // Entry `index` (1..N); an empty text outside that range.
  const std::string& operator[](int index) const { return InRange(index) ? At(index) : Empty(); }
  const std::string& Get(int index) const { return (*this)[index]; }
  // Sets entry `index`; ignored outside 1..N.
  void Set(int index, std::string text) {
    if (InRange(index)) At(index) = std::move(text);
  }

  // Number of entries before the first empty one.
  int Count() const {
    int n = 0;
    while (n < N && !entries_[static_cast<size_t>(n)].empty()) ++n;
    return n;
  }
  bool IsEmpty() const { return entries_.front().empty(); }

  // Puts `text` into the first empty entry. False (and nothing stored) when
  // the list is full or the text is empty.
  bool Add(std::string text) {
    if (text.empty()) return false;
    int n = Count();
    if (n == N) return false;
    entries_[static_cast<size_t>(n)] = std::move(text);
    return true;
  }

  // Walks from entry 1: an entry for which `same(entry)` holds stops the
  // walk (the text is there already); the first empty entry receives the
  // text. False when the text was already there, empty, or the list full.
  bool AddUnique(std::string text, const std::function<bool(const std::string&)>& same) {
    if (text.empty()) return false;
    for (auto& e : entries_) {
      if (e.empty()) {
        e = std::move(text);
        return true;
      }
      if (same(e)) return false;
    }
    return false;
  }
  // AddUnique with exact (case-sensitive) comparison.
  bool AddUnique(std::string text) {
    const std::string probe = text;
    return AddUnique(std::move(text), [&](const std::string& e) { return e == probe; });
  }

  // Whether an entry before the first empty one equals `text` exactly.
  bool Contains(std::string_view text) const {
    for (const auto& e : entries_) {
      if (e.empty()) return false;
      if (e == text) return true;
    }
    return false;
  }

  // The entries before the first empty one, in order.
  std::vector<std::string> Entries() const {
    return std::vector<std::string>(entries_.begin(), entries_.begin() + Count());
  }

  void Clear() {
    for (auto& e : entries_) e.clear();
  }

 private:
  static bool InRange(int index) { return index >= 1 && index <= N; }
  std::string& At(int index) { return entries_[static_cast<size_t>(index - 1)]; }
  const std::string& At(int index) const { return entries_[static_cast<size_t>(index - 1)]; }
  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  std::vector<std::string> entries_;
};

}  // namespace core
