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
    bool Add(std::string_view text);
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Get(int index) const { return items_.at(index); }
    const std::vector<std::string>& Items() const { return items_; }
    void Clear();

private:
    Collation collation_;
    std::vector<std::string> items_;
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    // Exact byte strings already offered; a repeat needs no comparison and no copy at all.
    std::unordered_set<std::string, Hash, std::equal_to<>> offered_;
};

} // namespace vemo
