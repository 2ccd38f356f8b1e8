#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vemo::ui {

namespace {

// The start of a stretch of length along an axis from low to high (exclusive).
int PlaceOnAxis(int start, int length, int low, int high) {
    if (length > high - low)
        return low;
    return std::clamp(start, low, high - length);
}

} // namespace

QPoint PlaceOnScreen(const QRect& frame, const QRect& available) {
    if (available.contains(frame))
        return frame.topLeft();
    return {PlaceOnAxis(frame.x(), frame.width(), available.left(), available.right() + 1),
            PlaceOnAxis(frame.y(), frame.height(), available.top(), available.bottom() + 1)};
}

void KeepOnScreen(QWidget* window, const QMargins& frameMargins) {
    // A top-level widget's position is that of its frame.
    const QRect frame(window->pos(), window->size().grownBy(frameMargins));
    const QScreen* screen = QGuiApplication::screenAt(frame.topLeft());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QPoint place = PlaceOnScreen(frame, screen->availableGeometry());
    if (place != frame.topLeft())
        window->move(place);
}

} // namespace vemo::ui
