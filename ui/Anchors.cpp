#include "ui/Anchors.h"

#include <QEvent>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace vemo::ui {

namespace {

int Share(Follow follow, int growth) {
    switch (follow) {
    case Follow::None:
        return 0;
    case Follow::Half:
        return growth / 2;
    case Follow::All:
        return growth;
    }
    return 0;
}

class AnchoredPlaces : public QObject {
public:
    AnchoredPlaces(QWidget* window, QSize storedSize, const std::vector<AnchoredControl>& controls)
        : QObject(window), window_(window), storedSize_(storedSize) {
        for (const AnchoredControl& control : controls) {
            places_.push_back({control.control, control.control->geometry(), control.anchors});
        }
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Resize) {
            Fit();
        }
        return false;
    }

private:
    struct Place {
        QPointer<QWidget> control;
        QRect stored;
        Anchors anchors;
    };

    void Fit() {
        // A window manager that ignores the minimum size gets the stored layout, cut.
        const QSize growth = window_->size().expandedTo(storedSize_) - storedSize_;
        for (const Place& place : places_) {
            if (!place.control) {
                continue;
            }
            const Anchors& anchors = place.anchors;
            const QRect& box = place.stored;
            const QPoint topLeft(box.x() + Share(anchors.left, growth.width()),
                                 box.y() + Share(anchors.top, growth.height()));
            if (anchors.left == anchors.right && anchors.top == anchors.bottom) {
                place.control->move(topLeft);
                continue;
            }
            const QPoint bottomRight(box.right() + Share(anchors.right, growth.width()),
                                     box.bottom() + Share(anchors.bottom, growth.height()));
            place.control->setGeometry(QRect(topLeft, bottomRight));
        }
    }

    QWidget* window_;
    QSize storedSize_;
    std::vector<Place> places_;
};

} // namespace

void KeepAnchored(QWidget* window, QSize storedSize, const std::vector<AnchoredControl>& controls) {
    new AnchoredPlaces(window, storedSize, controls);
}

} // namespace vemo::ui
