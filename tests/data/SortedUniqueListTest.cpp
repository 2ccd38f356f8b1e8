#include "data/rules/SortedUniqueList.h"
#include "data/rules/LocaleCollation.h"
#include "tests/support/Tables.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> AddAll(vemo::SortedUniqueList& list, const std::vector<std::string>& in) {
    for (const auto& text : in)
        list.Add(text);
    return list.Items();
}

struct OrderCase {
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> items;
};

class SortedOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(SortedOrderTest, PlainAndLocaleCollationAgree) {
    vemo::SortedUniqueList plain(vemo::PlainCaseInsensitiveCollation());
    EXPECT_EQ(AddAll(plain, GetParam().added), GetParam().items);
    vemo::SortedUniqueList czech(vemo::LocaleCollation(QLocale("cs_CZ")));
    EXPECT_EQ(AddAll(czech, GetParam().added), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, SortedOrderTest,
    testing::Values(
        // Digits compare as characters: 10 stands between 1 and 2.
        OrderCase{"DigitsAsCharacters",
                  {"A2", "A10", "A1", "A3", "A20"},
                  {"A1", "A10", "A2", "A20", "A3"}},
        OrderCase{"RepeatsDropped", {"A3", "A1", "A3", "A1", "A3"}, {"A1", "A3"}},
        OrderCase{"FirstAddedStaysIgnoringCase", {"s1", "S1", "A9", "a9"}, {"A9", "s1"}},
        OrderCase{"EmptyAndPrefix", {"A1", "A", ""}, {"", "A", "A1"}},
        OrderCase{"Nothing", {}, {}}),
    testrows::ByName());

TEST(SortedUniqueListTest, ExactRepeatCostsNoComparison) {
    int calls = 0;
    const auto plain = vemo::PlainCaseInsensitiveCollation();
    vemo::SortedUniqueList list([&](std::string_view a, std::string_view b) {
        ++calls;
        return plain(a, b);
    });
    EXPECT_TRUE(list.Add("A1"));
    EXPECT_TRUE(list.Add("A2"));
    EXPECT_FALSE(list.Add("a1"));
    const int before = calls;
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(list.Add("A1"));
        EXPECT_FALSE(list.Add("a1"));
    }
    EXPECT_EQ(calls, before);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Add("a1"));
    EXPECT_EQ(list.Items(), std::vector<std::string>{"a1"});
}

} // namespace
