#pragma once
// Where a window stands on the screen: at its stored place when it fits there, otherwise moved
// onto the screen, since a window half off the screen has nothing to bring it back.

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace vemo::ui {

// The top-left corner for frame, which should stand at frame.topLeft(): that corner when the
// whole frame lies in available; else the nearest corner from which the whole frame lies in it
// where available is large enough, and at least the frame's top-left corner in any case.
QPoint PlaceOnScreen(const QRect& frame, const QRect& available);

// Moves the top-level window so that it stands as PlaceOnScreen says on the screen that holds
// its stored top-left corner (the window's own screen when none does). frameMargins is the
// window frame around the client area, estimated when the window system has not told it yet.
void KeepOnScreen(QWidget* window, const QMargins& frameMargins);

} // namespace vemo::ui
