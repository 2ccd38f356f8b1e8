#include "ui/SpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

namespace {

// A shown, active window with the spin edit (focused) and a second box to move the focus to.
class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        spin_ = new TSpinEdit;
        spin_->setFixedSize(121, 21);
        other_ = new QLineEdit;
        layout->addWidget(spin_);
        layout->addWidget(other_);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        spin_->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(Edit()->hasFocus());
        changed_ = std::make_unique<QSignalSpy>(spin_, &TSpinEdit::Changed);
    }

    QLineEdit* Edit() const { return spin_->Edit(); }
    int Changes() const { return static_cast<int>(changed_->count()); }
    void Leave() {
        other_->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    void Empty() {
        Edit()->selectAll();
        QTest::keyClick(Edit(), Qt::Key_Backspace);
    }
    // Points well inside the upper-left and lower-right halves of the spin button.
    QPoint UpHalf() const {
        const QRect b = spin_->ButtonRect();
        return b.topLeft() + QPoint(b.width() / 4, b.height() / 4);
    }
    QPoint DownHalf() const {
        const QRect b = spin_->ButtonRect();
        return b.topLeft() + QPoint(b.width() * 3 / 4, b.height() * 3 / 4);
    }

    std::unique_ptr<QWidget> window_;
    TSpinEdit* spin_ = nullptr;
    QLineEdit* other_ = nullptr;
    std::unique_ptr<QSignalSpy> changed_;
};

TEST_F(SpinEditTest, StartsAtThreeInOneToEighteen) {
    EXPECT_EQ(spin_->Text(), "3");
    EXPECT_EQ(spin_->Value(), 3);
    EXPECT_EQ(spin_->MinValue(), 1);
    EXPECT_EQ(spin_->MaxValue(), 18);
    EXPECT_TRUE(Edit()->alignment() & Qt::AlignLeft);
    // The button sits at the right end, beside the text.
    EXPECT_GT(spin_->ButtonRect().left(), Edit()->geometry().right());
    EXPECT_EQ(spin_->ButtonRect().right(), spin_->width() - 1);
}

// State: "3", focused. Action: empty it, type 2 then 5, leave.
// Expected: Changed on every change; 25 is read unlimited until leaving clamps it to 18.
TEST_F(SpinEditTest, TypingIsNotLimitedUntilLeaving) {
    Empty();
    EXPECT_EQ(Changes(), 1);
    QTest::keyClick(Edit(), '2');
    EXPECT_EQ(Changes(), 2);
    EXPECT_EQ(spin_->Value(), 2);
    QTest::keyClick(Edit(), '5');
    EXPECT_EQ(Changes(), 3);
    EXPECT_EQ(spin_->Value(), 25);
    Leave();
    EXPECT_EQ(spin_->Text(), "18");
    EXPECT_EQ(Changes(), 4);
}

TEST_F(SpinEditTest, EmptiedBoxReadsMinimumAndStaysEmptyOnLeaving) {
    Empty();
    EXPECT_EQ(Changes(), 1);
    EXPECT_EQ(spin_->Value(), 1);
    Leave();
    EXPECT_EQ(spin_->Text(), "");
    EXPECT_EQ(Changes(), 1);
}

TEST_F(SpinEditTest, ValueReadsWholeDecimalNumbersElseMinimum) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"25", 25},
        {"0", 0},
        {"-4", -4},
        {"+7", 7},
        {"007", 7},
        {"", 1},
        {"abc", 1},
        {"12a", 1},
        {" 5", 1},
        {"5 ", 1},
        {"-", 1},
        {"+", 1},
        {"1.5", 1},
        {"0x10", 1},
        {"99999999999", 1},
        {"2147483648", 1},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const auto& c : cases) {
        spin_->SetText(QString::fromLatin1(c.text));
        EXPECT_EQ(spin_->Value(), c.value) << c.text;
    }
}

// Leaving corrects a number outside the range to the nearer limit and leaves anything else.
TEST_F(SpinEditTest, LeavingCorrectsOnlyNumbersOutOfRange) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"25", "18"}, {"0", "1"},     {"-3", "1"}, {"2147483647", "18"},
        {"7", "7"},   {"007", "007"}, {"x", "x"},  {"", ""},
    };
    for (const auto& c : cases) {
        spin_->setFocus(Qt::TabFocusReason);
        spin_->SetText(QString::fromLatin1(c.before));
        changed_->clear();
        Leave();
        EXPECT_EQ(spin_->Text(), QString::fromLatin1(c.after)) << c.before;
        EXPECT_EQ(Changes(), std::string(c.before) == c.after ? 0 : 1) << c.before;
    }
}

// Stepping starts from Value (MinValue for a non-number), clamps, and fires only on a change.
TEST_F(SpinEditTest, ArrowKeysStepWithinLimits) {
    const struct {
        const char* before;
        Qt::Key key;
        const char* after;
    } cases[] = {
        {"3", Qt::Key_Up, "4"},    {"3", Qt::Key_Down, "2"}, {"18", Qt::Key_Up, "18"},
        {"1", Qt::Key_Down, "1"},  {"x", Qt::Key_Up, "2"},   {"", Qt::Key_Down, "1"},
        {"25", Qt::Key_Up, "18"},  {"0", Qt::Key_Down, "1"}, {"-5", Qt::Key_Up, "1"},
        {"018", Qt::Key_Up, "18"},
    };
    for (const auto& c : cases) {
        spin_->SetText(QString::fromLatin1(c.before));
        changed_->clear();
        QTest::keyClick(Edit(), c.key);
        EXPECT_EQ(spin_->Text(), QString::fromLatin1(c.after)) << c.before << " " << c.key;
        EXPECT_EQ(Changes(), std::string(c.before) == c.after ? 0 : 1) << c.before;
    }
}

TEST_F(SpinEditTest, OnlyDigitsAndSignsCanBeTyped) {
    Empty();
    changed_->clear();
    QTest::keyClicks(Edit(), "a1 b.,-x+2");
    QTest::sendKeyEvent(QTest::Click, Edit(), Qt::Key_Eacute, QStringLiteral("\u00e9"), {});
    EXPECT_EQ(spin_->Text(), "1-+2");
    EXPECT_EQ(Changes(), 4);
}

TEST_F(SpinEditTest, EditingKeysAndShortcutsStillWork) {
    spin_->SetText("123");
    Edit()->setCursorPosition(3);
    QTest::keyClick(Edit(), Qt::Key_Left);
    QTest::keyClick(Edit(), Qt::Key_Backspace);
    EXPECT_EQ(spin_->Text(), "13");
    QTest::keyClick(Edit(), Qt::Key_Home);
    QTest::keyClick(Edit(), Qt::Key_Delete);
    EXPECT_EQ(spin_->Text(), "3");
    QTest::keyClick(Edit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Edit(), '9');
    EXPECT_EQ(spin_->Text(), "9");
}

TEST_F(SpinEditTest, PastedTextIsTakenUnchanged) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("4 axles");
    if (clipboard->text() != "4 axles")
        GTEST_SKIP() << "no clipboard on this platform";
    Edit()->selectAll();
    changed_->clear();
    QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin_->Text(), "4 axles");
    EXPECT_EQ(Changes(), 1);
    EXPECT_EQ(spin_->Value(), 1);
    Leave();
    EXPECT_EQ(spin_->Text(), "4 axles");
}

TEST_F(SpinEditTest, SettingTheSameTextFiresNothing) {
    spin_->SetText("3");
    spin_->SetValue(3);
    EXPECT_EQ(Changes(), 0);
    spin_->SetValue(7);
    EXPECT_EQ(spin_->Text(), "7");
    spin_->SetValue(40);
    EXPECT_EQ(spin_->Text(), "18");
    EXPECT_EQ(Changes(), 2);
}

TEST_F(SpinEditTest, ButtonHalvesStepUpAndDown) {
    QTest::mouseClick(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_EQ(spin_->Text(), "4");
    QTest::mouseClick(spin_, Qt::LeftButton, {}, DownHalf());
    QTest::mouseClick(spin_, Qt::LeftButton, {}, DownHalf());
    EXPECT_EQ(spin_->Text(), "2");
    EXPECT_EQ(Changes(), 3);

    spin_->SetValue(18);
    changed_->clear();
    QTest::mouseClick(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_EQ(spin_->Text(), "18");
    EXPECT_EQ(Changes(), 0);
}

// The halves are split by the diagonal from the lower-left to the upper-right corner.
TEST_F(SpinEditTest, DiagonalSeparatesTheHalves) {
    const QRect b = spin_->ButtonRect();
    const int s = b.width();
    // Just above the diagonal near the lower-left corner, and just below it near the upper right.
    QTest::mouseClick(spin_, Qt::LeftButton, {}, b.topLeft() + QPoint(1, s - 4));
    EXPECT_EQ(spin_->Text(), "4");
    QTest::mouseClick(spin_, Qt::LeftButton, {}, b.topLeft() + QPoint(s - 2, 3));
    QTest::mouseClick(spin_, Qt::LeftButton, {}, b.topLeft() + QPoint(s - 2, 3));
    EXPECT_EQ(spin_->Text(), "2");
}

// Qt delivers the second click of a double click as a press followed by a double-click event;
// each click is one step.
TEST_F(SpinEditTest, DoubleClickStepsTwice) {
    QTest::mousePress(spin_, Qt::LeftButton, {}, UpHalf());
    QTest::mouseRelease(spin_, Qt::LeftButton, {}, UpHalf());
    QTest::mousePress(spin_, Qt::LeftButton, {}, UpHalf());
    QMouseEvent dblClick(QEvent::MouseButtonDblClick, UpHalf(), spin_->mapToGlobal(UpHalf()),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(spin_, &dblClick);
    QTest::mouseRelease(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_EQ(spin_->Text(), "5");
    EXPECT_EQ(Changes(), 2);
}

TEST_F(SpinEditTest, OtherRangesLimitAndDefaultTheSameWay) {
    spin_->SetRange(2, 10);
    spin_->SetText("x");
    EXPECT_EQ(spin_->Value(), 2);
    spin_->SetText("10");
    QTest::keyClick(Edit(), Qt::Key_Up);
    EXPECT_EQ(spin_->Text(), "10");
    spin_->SetText("1");
    Leave();
    EXPECT_EQ(spin_->Text(), "2");
}

TEST_F(SpinEditTest, PressingTheButtonFocusesTheBox) {
    Leave();
    ASSERT_FALSE(Edit()->hasFocus());
    QTest::mousePress(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_TRUE(Edit()->hasFocus());
    QTest::mouseRelease(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_EQ(spin_->Text(), "4");
}

// State: 1. Action: hold the up half for about a second. Expected: one step at once, then
// repeated steps (400 ms, then every 100 ms), none after the release.
TEST_F(SpinEditTest, HoldingTheButtonRepeats) {
    spin_->SetValue(1);
    changed_->clear();
    QTest::mousePress(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_EQ(Changes(), 1);
    QTest::qWait(1100);
    QTest::mouseRelease(spin_, Qt::LeftButton, {}, UpHalf());
    const int held = Changes();
    EXPECT_GE(held, 4);
    EXPECT_LE(held, 12);
    EXPECT_EQ(spin_->Value(), 1 + held);
    QTest::qWait(300);
    EXPECT_EQ(Changes(), held);
}

TEST_F(SpinEditTest, RepeatPausesWhileThePointerIsOffTheHalf) {
    spin_->SetValue(1);
    changed_->clear();
    QTest::mousePress(spin_, Qt::LeftButton, {}, UpHalf());
    QTest::mouseMove(spin_, DownHalf());
    QTest::qWait(700);
    EXPECT_EQ(Changes(), 1);
    QTest::mouseMove(spin_, UpHalf());
    QTest::qWait(500);
    QTest::mouseRelease(spin_, Qt::LeftButton, {}, UpHalf());
    EXPECT_GT(Changes(), 1);
}

} // namespace
