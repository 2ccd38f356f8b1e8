#pragma once
// The toll rates and category texts: the German rate table (a rate in euros per kilometre by
// emission category and axle count) and the Austrian axle texts. Texts are Windows-1250.

#include <optional>
#include <string_view>

namespace vemo {

// Categories are the item indexes 0, 1, 2 of the tabs' category selectors ("Kategorie A" to "C").
inline constexpr int kCategoryCount = 3;

// The entry of category in a category selector; nothing for any other index.
std::optional<std::string_view> CategoryName(int category);
// The German description of category; nothing for any other index (no category chosen).
std::optional<std::string_view> GermanCategoryText(int category);
// The German rate in euros per kilometre of category with axles; nothing for any other index.
std::optional<double> GermanRate(int category, int axles);
// The Austrian axle text of category ("2 nápravy" ...); nothing for any other index.
std::optional<std::string_view> AustrianCategoryText(int category);

} // namespace vemo
