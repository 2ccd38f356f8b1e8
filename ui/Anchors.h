#pragma once
// How the controls follow a window enlarged beyond its stored size, as desktop forms anchor
// them: each edge of a control stays, moves by half of the growth or by all of it.

#include <QSize>

#include <vector>

class QWidget;

namespace vemo::ui {

enum class Follow : unsigned char { None, Half, All };

struct Anchors {
    Follow left, top, right, bottom;
};

struct AnchoredControl {
    QWidget* control;
    Anchors anchors;
};

// Keeps every control where its anchors put it for the window's size: the box each has now at
// storedSize, moved and grown with a larger window. A control whose edges move alike keeps its
// size, so labels that size to their text keep theirs. The window has no layout of its own, so
// this is what follows its resizing.
void KeepAnchored(QWidget* window, QSize storedSize, const std::vector<AnchoredControl>& controls);

} // namespace vemo::ui
