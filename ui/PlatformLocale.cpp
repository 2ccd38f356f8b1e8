#include "PlatformLocale.h"

#include "Cp1250.h"

namespace {

// The single Windows-1250 byte for a separator; Fallback when the locale's one has none.
char SingleByte(const QString& text, char fallback) {
    const QList<uint> codes = text.toUcs4();
    if (codes.size() != 1) {
        return fallback;
    }
    const int byte = vemo::UnicodeToCp1250(codes.front());
    return byte < 0 ? fallback : static_cast<char>(byte);
}

} // namespace

UiLocale UiLocaleFor(const QLocale& locale) {
    UiLocale result;
    result.locale = locale;

    const QString decimal = locale.decimalPoint();
    result.decimalSeparator = decimal.size() == 1 ? decimal.front() : QChar('.');
    result.groupSeparator = locale.groupSeparator();

    vemo::LocaleSettings& numbers = result.numbers;
    numbers.decimalSeparator = SingleByte(decimal, '.');
    numbers.currencySymbol =
        vemo::Utf8ToCp1250(locale.currencySymbol(QLocale::CurrencySymbol).toStdString());
    // Single-byte upper-casing: a letter whose capital the code page lacks stays as it is.
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t upper =
            QChar::toUpper(vemo::Cp1250ToUnicode(static_cast<unsigned char>(byte)));
        const int upperByte = vemo::UnicodeToCp1250(upper);
        numbers.upper[byte] = static_cast<unsigned char>(upperByte < 0 ? byte : upperByte);
    }
    return result;
}

UiLocale ReadPlatformLocale() {
    return UiLocaleFor(QLocale::system());
}
