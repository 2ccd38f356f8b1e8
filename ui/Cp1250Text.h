#pragma once
// Windows-1250 <-> QString at the widget boundary; every byte survives the round trip.

#include <QString>
#include <string>
#include <string_view>

namespace vemo::ui {

QString ToQString(std::string_view cp1250);
std::string FromQString(const QString& text);

} // namespace vemo::ui
