#include "ui/Cp1250Text.h"

#include "text/Cp1250.h"

namespace vemo::ui {

QString ToQString(std::string_view cp1250) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1250.size()));
    for (const char b : cp1250)
        out += QChar(static_cast<char16_t>(vemo::Cp1250ToUnicode(static_cast<unsigned char>(b))));
    return out;
}

std::string FromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        out += static_cast<char>(vemo::UnicodeToCp1250(c.unicode()).value_or('?'));
    }
    return out;
}

} // namespace vemo::ui
