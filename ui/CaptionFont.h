#pragma once
// The window's layout was drawn for Tahoma. Where a wider face stands in for it, the font is
// narrowed until every caption fits the room its stored place leaves before the next control.

#include <QFont>
#include <QString>

#include <functional>
#include <vector>

namespace vemo::ui {

struct CaptionRoom {
    QString caption;
    // Pixels from the caption's left edge to the point where it must have ended.
    int width = 0;
};

// The width in pixels of text drawn in font.
using TextWidth = std::function<int(const QFont& font, const QString& text)>;
int FontTextWidth(const QFont& font, const QString& text);

// font itself when every caption of rooms fits; otherwise the first of its narrower forms that
// fits: horizontal stretch from 99 % down to 80 % at the same pixel size, then the same at one
// and two pixels less. When none fits, the narrowest of them.
QFont FitCaptionFont(const QFont& font, const std::vector<CaptionRoom>& rooms,
                     const TextWidth& width = FontTextWidth);

} // namespace vemo::ui
