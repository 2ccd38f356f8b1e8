#include "data/rules/LocaleCollation.h"

#include "text/Cp1250.h"

#include <QChar>
#include <QCollator>
#include <QLocale>
#include <QString>

#include <memory>

namespace vemo {

namespace {

QString Decode(std::string_view bytes) {
    return QString::fromStdString(Cp1250ToUtf8(bytes));
}

std::string Encode(const QString& text) {
    return Utf8ToCp1250(text.toStdString());
}

} // namespace

Collation LocaleCollation(const QLocale& locale) {
    auto collator = std::make_shared<QCollator>(locale);
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    collator->setNumericMode(false);
    return [collator](std::string_view a, std::string_view b) {
        return collator->compare(Decode(a), Decode(b));
    };
}

LocaleSettings LocaleNumberSettings(const QLocale& locale) {
    LocaleSettings settings;
    if (const std::string point = Encode(locale.decimalPoint()); point.size() == 1 && point != "?")
        settings.decimalSeparator = point[0];
    settings.currencySymbol = Encode(locale.currencySymbol(QLocale::CurrencySymbol));
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t code = Cp1250ToUnicode(static_cast<unsigned char>(byte));
        settings.upper[byte] = UnicodeToCp1250(QChar::toUpper(code)).value_or(byte);
    }
    return settings;
}

} // namespace vemo
