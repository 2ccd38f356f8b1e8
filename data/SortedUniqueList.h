#pragma once
// A line table kept in ascending order of a case-insensitive comparison; adding a string that
// compares equal to one present does nothing, so the one added first stays.

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vemo {

// Three-way comparison of two Windows-1250 texts: negative, 0 or positive.
using Collation = std::function<int(std::string_view, std::string_view)>;

// Byte comparison with ASCII letters folded to one case; for tests and tools without a locale.
Collation PlainCaseInsensitiveCollation();

class SortedUniqueList {
public:
    explicit SortedUniqueList(Collation collation);

    // True when the string was inserted.
    bool Add(std::string text);
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Get(int index) const { return items_.at(index); }
    const std::vector<std::string>& Items() const { return items_; }
    void Clear();

private:
    Collation collation_;
    std::vector<std::string> items_;
    // Exact byte strings already offered; a repeat needs no comparison at all.
    std::unordered_set<std::string> offered_;
};

} // namespace vemo
