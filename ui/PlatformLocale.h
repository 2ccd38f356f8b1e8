#pragma once
// The user's regional settings, read from the platform and handed to the core as plain values.

#include "data/rules/Tariff.h"
#include "text/TextRoutines.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace vemo::ui {

struct UiLocale {
    QLocale locale;
    vemo::LocaleSettings numbers; // decimal separator, currency symbol, upper-casing
    QChar decimalSeparator;
    QString groupSeparator;
};

UiLocale UiLocaleFor(const QLocale& locale);
// QLocale::system(), read again on every call.
UiLocale ReadPlatformLocale();

} // namespace vemo::ui
