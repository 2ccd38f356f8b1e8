#include "ui/PlatformLocale.h"

#include "data/rules/LocaleCollation.h"

namespace vemo::ui {

UiLocale UiLocaleFor(const QLocale& locale) {
    UiLocale result;
    result.locale = locale;
    const QString decimal = locale.decimalPoint();
    result.decimalSeparator = decimal.size() == 1 ? decimal.front() : QChar('.');
    result.groupSeparator = locale.groupSeparator();
    // The core reads numbers exactly as the maintainer tool does.
    result.numbers = vemo::LocaleNumberSettings(locale);
    return result;
}

UiLocale ReadPlatformLocale() {
    return UiLocaleFor(QLocale::system());
}

} // namespace vemo::ui
