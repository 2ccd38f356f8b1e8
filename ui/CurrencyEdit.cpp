#include "ui/CurrencyEdit.h"

#include <QFocusEvent>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// |value| rounded to a number of decimals, as decimal digits: whole part without leading zeros
// and exactly that many fraction digits.
struct Cents {
    bool negative = false;
    std::string whole = "0";
    std::string fraction = "00";
    bool IsZero() const {
        return whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
    }
};

void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Rounding is done on the value's 15 significant decimal digits, half away from zero, so that
// what was meant as 0.125 or 2.675 rounds up although the nearest doubles lie just below.
Cents RoundToCents(double value, int decimals) {
    Cents cents;
    cents.fraction.assign(static_cast<std::size_t>(decimals), '0');
    if (!std::isfinite(value))
        return cents;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);

    // Digit of weight 10^power.
    const auto digitAt = [&](long power) {
        const long index = exponent - power;
        return index >= 0 && index < static_cast<long>(digits.size()) ? digits[index] : '0';
    };
    std::string hundredths;
    for (long power = std::max(exponent, 0L); power >= -decimals; --power)
        hundredths += digitAt(power);
    if (digitAt(-decimals - 1) >= '5')
        Increment(hundredths);
    const std::size_t places = static_cast<std::size_t>(decimals);
    const std::size_t firstNonZero = hundredths.find_first_not_of('0');
    hundredths.erase(0, std::min(firstNonZero, hundredths.size() - places - 1));

    cents.whole = hundredths.substr(0, hundredths.size() - places);
    cents.fraction = hundredths.substr(hundredths.size() - places);
    cents.negative = value < 0 && !cents.IsZero();
    return cents;
}

QString Grouped(const std::string& whole, const QString& group) {
    QString out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            out += group;
        out += QChar(whole[i]);
    }
    return out;
}

} // namespace

TCurrencyEdit::TCurrencyEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    plain_ = PlainFor(value_);
    Show(false);
}

double TCurrencyEdit::Value() const {
    // The plain text is always our own "0.##" rendering: an optional "-", digits, and
    // optionally the decimal separator and up to the box's decimals.
    std::string number;
    qsizetype i = 0;
    if (i < plain_.size() && plain_[i] == u'-') {
        number += '-';
        ++i;
    }
    for (; i < plain_.size() && plain_[i] >= u'0' && plain_[i] <= u'9'; ++i)
        number += static_cast<char>(plain_[i].unicode());
    if (i < plain_.size() && plain_[i] == decimal_) {
        number += '.';
        for (++i; i < plain_.size() && plain_[i] >= u'0' && plain_[i] <= u'9'; ++i)
            number += static_cast<char>(plain_[i].unicode());
    }
    if (number.empty() || number == "-")
        return 0;
    // from_chars, not strtod: the C library's locale (set by Qt from the user's) must not
    // change how our own text reads back.
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

void TCurrencyEdit::SetValue(double value) {
    value_ = std::isfinite(value) ? value : 0;
    const QString plain = PlainFor(value_);
    const bool changed = plain != plain_;
    plain_ = plain;
    Show();
    if (changed)
        emit Changed();
}

void TCurrencyEdit::SetSeparators(QChar decimalSeparator, QString groupSeparator) {
    decimal_ = decimalSeparator;
    group_ = std::move(groupSeparator);
    // Only the spelling changes, not the value: no Changed.
    plain_ = PlainFor(value_);
    Show();
}

void TCurrencyEdit::SetDecimals(int decimals) {
    decimals_ = std::clamp(decimals, 2, kMaxDecimals);
    plain_ = PlainFor(value_);
    Show();
}

QString TCurrencyEdit::PlainFor(double value) const {
    const Cents cents = RoundToCents(value, decimals_);
    if (cents.IsZero())
        return QString();
    QString out = cents.negative ? QStringLiteral("-") : QString();
    out += QString::fromLatin1(cents.whole.data(), static_cast<qsizetype>(cents.whole.size()));
    std::string fraction = cents.fraction;
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty()) {
        out += decimal_;
        out += QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    }
    return out;
}

QString TCurrencyEdit::DisplayFor(double value) const {
    const Cents cents = RoundToCents(value, decimals_);
    QString out = cents.negative ? QStringLiteral("-") : QString();
    out += Grouped(cents.whole, group_);
    out += decimal_;
    // Two decimals always, further ones only where the value has them.
    std::string fraction = cents.fraction;
    while (fraction.size() > 2 && fraction.back() == '0')
        fraction.pop_back();
    out += QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    out += QStringLiteral(" \u20AC");
    return out;
}

void TCurrencyEdit::Show() {
    Show(showingPlain_);
}

void TCurrencyEdit::Show(bool focused) {
    showingPlain_ = focused;
    const QString shown = focused ? plain_ : DisplayFor(value_);
    if (shown != text())
        setText(shown);
}

void TCurrencyEdit::focusInEvent(QFocusEvent* event) {
    // Switch before the base class selects the text on a Tab.
    Show(true);
    QLineEdit::focusInEvent(event);
}

void TCurrencyEdit::focusOutEvent(QFocusEvent* event) {
    // A context menu opened on the box keeps the plain text on show.
    if (event->reason() != Qt::PopupFocusReason)
        Show(false);
    QLineEdit::focusOutEvent(event);
}
