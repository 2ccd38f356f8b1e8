#include "ui/CurrencyEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <clocale>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

const QChar kCzechDecimal = u',';
const QString kCzechGroup = QStringLiteral("\u00A0");

class CurrencyEditFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        edit_ = new TCurrencyEdit;
        edit_->SetSeparators(kCzechDecimal, kCzechGroup);
        other_ = new QLineEdit;
        layout->addWidget(edit_);
        layout->addWidget(other_);
        window_->show();
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        other_->setFocus(Qt::TabFocusReason);
        changed_ = std::make_unique<QSignalSpy>(edit_, &TCurrencyEdit::Changed);
    }

    int Changes() const { return static_cast<int>(changed_->count()); }
    void Enter() {
        edit_->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    void Leave() {
        other_->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<QWidget> window_;
    TCurrencyEdit* edit_ = nullptr;
    QLineEdit* other_ = nullptr;
    std::unique_ptr<QSignalSpy> changed_;
};

TEST(CurrencyEditTest, StartsAtZeroReadOnlyFocusableRightAligned) {
    TCurrencyEdit edit;
    EXPECT_EQ(edit.Value(), 0);
    EXPECT_EQ(edit.PlainText(), "");
    EXPECT_EQ(edit.text(), QStringLiteral("0.00 \u20AC"));
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.focusPolicy(), Qt::StrongFocus);
    EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
}

// Plain ("0.##", empty for zero) and display (",0.00 €;-,0.00 €") under Czech separators.
TEST(CurrencyEditTest, FormatsPlainAndDisplay) {
    const struct {
        double value;
        const char16_t* plain;
        const char16_t* display;
    } cases[] = {
        {0, u"", u"0,00 €"},
        {0.09, u"0,09", u"0,09 €"},
        {0.1, u"0,1", u"0,10 €"},
        {12, u"12", u"12,00 €"},
        {-0.5, u"-0,5", u"-0,50 €"},
        {999, u"999", u"999,00 €"},
        {1234.5, u"1234,5", u"1\u00A0234,50 €"},
        {-1234567.891, u"-1234567,89", u"-1\u00A0234\u00A0567,89 €"},
        {123456, u"123456", u"123\u00A0456,00 €"},
        // Half away from zero on the decimal value, although the doubles lie just below.
        {0.125, u"0,13", u"0,13 €"},
        {-0.125, u"-0,13", u"-0,13 €"},
        {2.675, u"2,68", u"2,68 €"},
        {1.005, u"1,01", u"1,01 €"},
        {0.124999, u"0,12", u"0,12 €"},
        {0.995, u"1", u"1,00 €"},
        {999.995, u"1000", u"1\u00A0000,00 €"},
        // What rounds to zero is zero: no sign.
        {0.004, u"", u"0,00 €"},
        {-0.004, u"", u"0,00 €"},
        {-0.0, u"", u"0,00 €"},
        {1e15, u"1000000000000000", u"1\u00A0000\u00A0000\u00A0000\u00A0000\u00A0000,00 €"},
        {1e-300, u"", u"0,00 €"},
        {std::numeric_limits<double>::quiet_NaN(), u"", u"0,00 €"},
        {std::numeric_limits<double>::infinity(), u"", u"0,00 €"},
    };
    TCurrencyEdit edit;
    edit.SetSeparators(kCzechDecimal, kCzechGroup);
    for (const auto& c : cases) {
        edit.SetValue(c.value);
        EXPECT_EQ(edit.PlainText(), QString::fromUtf16(c.plain)) << c.value;
        EXPECT_EQ(edit.text(), QString::fromUtf16(c.display)) << c.value;
        EXPECT_EQ(edit.DisplayText(), QString::fromUtf16(c.display)) << c.value;
    }
}

TEST(CurrencyEditTest, ValueReadsBackToTheHundredth) {
    const struct {
        double set;
        double read;
    } cases[] = {
        {0.09, 0.09},        {0.11, 0.11}, {0.125, 0.13}, {2.675, 2.68}, {-0.5, -0.5},
        {1234.567, 1234.57}, {0.004, 0},   {-7, -7},      {1e15, 1e15},  {std::nan(""), 0},
    };
    TCurrencyEdit edit;
    edit.SetSeparators(kCzechDecimal, kCzechGroup);
    for (const auto& c : cases) {
        edit.SetValue(c.set);
        EXPECT_EQ(edit.Value(), c.read) << c.set;
    }
}

// A rate box that keeps three decimals shows them where the value has them, and two always.
TEST(CurrencyEditTest, MoreDecimalsWhereTheValueNeedsThem) {
    const struct {
        double set;
        const char16_t* plain;
        const char16_t* display;
        double read;
    } cases[] = {
        {0.348, u"0,348", u"0,348 €", 0.348},
        {0.35, u"0,35", u"0,35 €", 0.35},
        {0.1, u"0,1", u"0,10 €", 0.1},
        {0.3485, u"0,349", u"0,349 €", 0.349},
        {1234.5, u"1234,5", u"1\u00A0234,50 €", 1234.5},
    };
    TCurrencyEdit edit;
    edit.SetSeparators(kCzechDecimal, kCzechGroup);
    edit.SetDecimals(3);
    for (const auto& c : cases) {
        edit.SetValue(c.set);
        EXPECT_EQ(edit.PlainText(), QString::fromUtf16(c.plain)) << c.set;
        EXPECT_EQ(edit.DisplayText(), QString::fromUtf16(c.display)) << c.set;
        EXPECT_EQ(edit.Value(), c.read) << c.set;
    }
}

TEST(CurrencyEditTest, EnglishSeparators) {
    TCurrencyEdit edit;
    edit.SetSeparators(u'.', QStringLiteral(","));
    edit.SetValue(-1234567.5);
    EXPECT_EQ(edit.text(), QStringLiteral("-1,234,567.50 \u20AC"));
    EXPECT_EQ(edit.PlainText(), "-1234567.5");
    EXPECT_EQ(edit.Value(), -1234567.5);
}

// Changed follows the plain text: once per real change, synchronously, never for the same text.
TEST(CurrencyEditTest, ChangedFiresOnlyWhenThePlainTextChanges) {
    TCurrencyEdit edit;
    edit.SetSeparators(kCzechDecimal, kCzechGroup);
    std::vector<double> seen;
    QObject::connect(&edit, &TCurrencyEdit::Changed, &edit, [&] { seen.push_back(edit.Value()); });

    edit.SetValue(0.09);
    EXPECT_EQ(seen, std::vector<double>{0.09});
    edit.SetValue(0.09);
    edit.SetValue(0.0900001);
    EXPECT_EQ(seen.size(), 1u);
    edit.SetValue(0);
    EXPECT_EQ(seen, (std::vector<double>{0.09, 0}));
    EXPECT_EQ(edit.PlainText(), "");
    EXPECT_EQ(edit.text(), QStringLiteral("0,00 \u20AC"));
    edit.SetValue(0.001);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(CurrencyEditTest, SeparatorsRerenderWithoutChanged) {
    TCurrencyEdit edit;
    edit.SetValue(1234.5);
    QSignalSpy changed(&edit, &TCurrencyEdit::Changed);
    edit.SetSeparators(kCzechDecimal, kCzechGroup);
    EXPECT_EQ(edit.text(), QStringLiteral("1\u00A0234,50 \u20AC"));
    EXPECT_EQ(edit.PlainText(), "1234,5");
    EXPECT_EQ(edit.Value(), 1234.5);
    edit.SetValue(1234.5);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(CurrencyEditFocusTest, FocusSwitchesBetweenPlainAndDisplay) {
    edit_->SetValue(-1234.5);
    changed_->clear();
    EXPECT_EQ(edit_->text(), QStringLiteral("-1\u00A0234,50 \u20AC"));
    Enter();
    ASSERT_TRUE(edit_->hasFocus());
    EXPECT_EQ(edit_->text(), "-1234,5");
    edit_->SetValue(0.1);
    EXPECT_EQ(edit_->text(), "0,1");
    edit_->SetValue(0);
    EXPECT_EQ(edit_->text(), "");
    Leave();
    EXPECT_EQ(edit_->text(), QStringLiteral("0,00 \u20AC"));
    EXPECT_EQ(Changes(), 2);
}

// State: focused, value 12.5. Action: type, delete, paste. Expected: nothing changes.
TEST_F(CurrencyEditFocusTest, UserCannotChangeTheText) {
    edit_->SetValue(12.5);
    Enter();
    changed_->clear();
    QTest::keyClicks(edit_, "7,3");
    QTest::keyClick(edit_, Qt::Key_Backspace);
    QTest::keyClick(edit_, Qt::Key_Home);
    QTest::keyClick(edit_, Qt::Key_Delete);
    edit_->selectAll();
    QTest::keyClick(edit_, Qt::Key_X, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("99");
    QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit_->text(), "12,5");
    EXPECT_EQ(edit_->Value(), 12.5);
    EXPECT_EQ(Changes(), 0);
    Leave();
    EXPECT_EQ(edit_->text(), QStringLiteral("12,50 \u20AC"));
}

} // namespace

// Qt sets the C library's locale from the user's; a decimal-comma C locale must not change how
// the plain text reads back (it once made every rate read as 0 under cs_CZ).
TEST(CurrencyEditTest, ValueIgnoresTheCLibraryLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no decimal-comma locale installed";
    TCurrencyEdit edit;
    edit.SetSeparators(kCzechDecimal, kCzechGroup);
    edit.SetValue(0.11);
    const double read = edit.Value();
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(read, 0.11);
}
