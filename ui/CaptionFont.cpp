#include "ui/CaptionFont.h"

#include <QFontMetrics>

#include <algorithm>

namespace vemo::ui {

namespace {

constexpr int kNarrowestStretch = 80;
constexpr int kSmallerSizes = 2;

bool Fits(const QFont& font, const std::vector<CaptionRoom>& rooms, const TextWidth& width) {
    return std::all_of(rooms.begin(), rooms.end(), [&](const CaptionRoom& room) {
        return width(font, room.caption) <= room.width;
    });
}

} // namespace

int FontTextWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

QFont FitCaptionFont(const QFont& font, const std::vector<CaptionRoom>& rooms,
                     const TextWidth& width) {
    if (Fits(font, rooms, width)) {
        return font;
    }
    // A font given in points has no pixel size (-1); it is narrowed but kept at its size.
    const int pixelSize = font.pixelSize();
    const int sizes = pixelSize > kSmallerSizes ? kSmallerSizes : 0;
    QFont candidate = font;
    for (int smaller = 0; smaller <= sizes; ++smaller) {
        if (pixelSize > 0) {
            candidate.setPixelSize(pixelSize - smaller);
        }
        for (int stretch = smaller == 0 ? 99 : 100; stretch >= kNarrowestStretch; --stretch) {
            candidate.setStretch(stretch);
            if (Fits(candidate, rooms, width)) {
                return candidate;
            }
        }
    }
    return candidate;
}

} // namespace vemo::ui
