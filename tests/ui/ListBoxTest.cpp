// The program's own changes to lists and selectors: bytes survive, no selection handler fires,
// and large lists stay quick.
#include "ui/ListBox.h"
#include "tests/support/UiFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

namespace {

std::vector<std::string> Entries(int count, const std::string& prefix = "row ") {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(prefix + std::to_string(i));
    }
    return entries;
}

std::vector<std::string> AllEntries(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int row = 0; row < list->count(); ++row) {
        entries.push_back(vemo::ui::ListEntry(list, row));
    }
    return entries;
}

class ListBoxTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        list_.setSelectionMode(QAbstractItemView::ExtendedSelection);
        list_.resize(300, 400);
    }
    QListWidget list_;
};

TEST_F(ListBoxTest, EveryByteSurvivesTheWidget) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    const std::vector<std::string> entries = {all, "",
                                              "(AS) M\xFCnchen : (AK) \x8A"
                                              "ag;12,5",
                                              "\x80 \x81\x83\x88\x90\x98"};
    vemo::ui::ListAppend(&list_, entries);
    EXPECT_EQ(AllEntries(&list_), entries);
    EXPECT_EQ(vemo::ui::ListEntry(&list_, 99), "");
    EXPECT_EQ(vemo::ui::ListEntry(&list_, -1), "");
}

TEST_F(ListBoxTest, ProgramChangesFireNoSelectionSignal) {
    QSignalSpy spy(&list_, &QListWidget::itemSelectionChanged);
    vemo::ui::ListAppend(&list_, Entries(6));
    list_.selectAll();
    spy.clear();

    vemo::ui::ListDeleteRows(&list_, {1, 2, 4});
    EXPECT_EQ(AllEntries(&list_), (std::vector<std::string>{"row 0", "row 3", "row 5"}));
    EXPECT_EQ(vemo::ui::ListSelectedRows(&list_), (std::vector<int>{0, 1, 2}));
    vemo::ui::ListAppend(&list_, {"row 6"});
    vemo::ui::ListClear(&list_);
    EXPECT_EQ(list_.count(), 0);
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(ListBoxTest, DeleteRowsTakesRunsAndIgnoresStrayRows) {
    struct Case {
        std::vector<int> rows;
        std::vector<std::string> left;
    };
    const std::vector<Case> cases = {
        {{}, {"row 0", "row 1", "row 2", "row 3", "row 4"}},
        {{0, 1, 2, 3, 4}, {}},
        {{0, 4}, {"row 1", "row 2", "row 3"}},
        {{1, 2, 3}, {"row 0", "row 4"}},
        {{3, 1, 1, -1, 7}, {"row 0", "row 2", "row 4"}},
    };
    for (const Case& c : cases) {
        vemo::ui::ListClear(&list_);
        vemo::ui::ListAppend(&list_, Entries(5));
        vemo::ui::ListDeleteRows(&list_, c.rows);
        EXPECT_EQ(AllEntries(&list_), c.left);
    }
}

TEST_F(ListBoxTest, UserSelectionFollowsExtendedRules) {
    vemo::ui::ListAppend(&list_, Entries(6));
    list_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
    QSignalSpy spy(&list_, &QListWidget::itemSelectionChanged);

    ClickRow(&list_, 1);
    EXPECT_EQ(vemo::ui::ListSelectedRows(&list_), std::vector<int>{1});
    ClickRow(&list_, 3, Qt::ShiftModifier);
    EXPECT_EQ(vemo::ui::ListSelectedRows(&list_), (std::vector<int>{1, 2, 3}));
    ClickRow(&list_, 2, Qt::ControlModifier);
    EXPECT_EQ(vemo::ui::ListSelectedRows(&list_), (std::vector<int>{1, 3}));
    EXPECT_EQ(list_.currentRow(), 2); // the focus mark stays on the entry just toggled off
    ClickRow(&list_, 5);
    EXPECT_EQ(vemo::ui::ListSelectedRows(&list_), std::vector<int>{5});
    QTest::keyClick(&list_, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(vemo::ui::ListSelectedRows(&list_), (std::vector<int>{4, 5}));
    EXPECT_EQ(spy.count(), 5);
}

TEST_F(ListBoxTest, SelectorFillLeavesNothingChosen) {
    QComboBox selector;
    QSignalSpy changed(&selector, &QComboBox::currentIndexChanged);
    QSignalSpy activated(&selector, &QComboBox::activated);
    vemo::ui::SelectorFill(&selector, {"A1", "A10", "A2", "A\x8A"});
    EXPECT_EQ(selector.count(), 4);
    EXPECT_EQ(selector.currentIndex(), -1);
    EXPECT_EQ(vemo::ui::SelectorItemIndex(&selector), -1);
    EXPECT_EQ(vemo::ui::SelectorText(&selector), "");
    vemo::ui::SelectorFill(&selector, {"B"});
    EXPECT_EQ(selector.count(), 1);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(activated.count(), 0);

    selector.setCurrentIndex(0);
    EXPECT_EQ(vemo::ui::SelectorText(&selector), "B");
    EXPECT_EQ(vemo::ui::SelectorItemIndex(&selector), 0);
}

TEST_F(ListBoxTest, EditableSelectorIndexNeedsTheExactText) {
    QComboBox selector;
    selector.setEditable(true);
    selector.addItems({"Kategorie A", "Kategorie B", "Kategorie C"});
    struct Case {
        QString text;
        int index;
    };
    const Case cases[] = {{"Kategorie B", 1}, {"Kategorie C", 2}, {"kategorie b", -1},
                          {"Kategorie", -1},  {"", -1},           {"Kategorie A ", -1}};
    for (const Case& c : cases) {
        selector.setEditText(c.text);
        EXPECT_EQ(vemo::ui::SelectorItemIndex(&selector), c.index) << c.text.toStdString();
    }
    selector.setEditText(QString::fromUtf8("Kategorie š"));
    EXPECT_EQ(vemo::ui::SelectorText(&selector), "Kategorie \x9A");
}

} // namespace
