#include "data/rules/SortedUniqueList.h"

namespace vemo {

Collation PlainCaseInsensitiveCollation() {
    return [](std::string_view a, std::string_view b) {
        const auto fold = [](unsigned char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
        };
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const int x = fold(static_cast<unsigned char>(a[i]));
            const int y = fold(static_cast<unsigned char>(b[i]));
            if (x != y)
                return x - y;
        }
        return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    };
}

SortedUniqueList::SortedUniqueList(Collation collation) : collation_(std::move(collation)) {}

bool SortedUniqueList::Add(std::string_view text) {
    // A string offered before was either inserted or found equal to an item, and items never
    // go away, so it cannot be inserted now.
    if (offered_.find(text) != offered_.end())
        return false;
    offered_.emplace(text);

    std::size_t lo = 0;
    std::size_t hi = items_.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        const int order = collation_(items_[mid], text);
        if (order == 0)
            return false;
        if (order < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(lo), std::string(text));
    return true;
}

void SortedUniqueList::Clear() {
    items_.clear();
    offered_.clear();
}

} // namespace vemo
