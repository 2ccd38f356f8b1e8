#include "ui/SpinEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 100;

// A whole decimal number with an optional sign and nothing else; no blanks, no other bases.
std::optional<int> ParseWhole(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    const long long value = negative ? -magnitude : magnitude;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}

bool IsAcceptedCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
}

bool AllAccepted(const QString& text) {
    return std::all_of(text.begin(), text.end(), IsAcceptedCharacter);
}

// The same test QLineEdit applies before it inserts a key's text, so that exactly the keys that
// would type something are screened and every shortcut and editing key passes untouched.
bool WouldInsertText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse)
        return true;
    return c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), repeat_(new QTimer(this)) {
    edit_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    edit_->setText(QStringLiteral("3"));
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);

    connect(edit_, &QLineEdit::textChanged, this, &TSpinEdit::Changed);
    connect(repeat_, &QTimer::timeout, this, &TSpinEdit::RepeatStep);
}

void TSpinEdit::SetRange(int minValue, int maxValue) {
    min_ = minValue;
    max_ = std::max(minValue, maxValue);
}

int TSpinEdit::Value() const {
    return ParseWhole(edit_->text()).value_or(min_);
}

void TSpinEdit::SetValue(int value) {
    edit_->setText(QString::number(std::clamp(value, min_, max_)));
}

QString TSpinEdit::Text() const {
    return edit_->text();
}

void TSpinEdit::SetText(const QString& text) {
    edit_->setText(text);
}

QRect TSpinEdit::ButtonRect() const {
    const int side = std::max(0, std::min(height(), width() / 2));
    return QRect(width() - side, (height() - side) / 2, side, side);
}

QSize TSpinEdit::sizeHint() const {
    const QSize edit = edit_->sizeHint();
    return QSize(std::max(40, edit.width() / 3) + 1 + edit.height(), edit.height());
}

QSize TSpinEdit::minimumSizeHint() const {
    const QSize edit = edit_->minimumSizeHint();
    return QSize(edit.width() + 1 + edit.height(), edit.height());
}

TSpinEdit::Half TSpinEdit::HalfAt(const QPoint& pos) const {
    const QRect button = ButtonRect();
    if (button.isEmpty() || !button.contains(pos))
        return Half::None;
    // The diagonal runs from the lower-left to the upper-right corner: x + y == side.
    const int x = pos.x() - button.left();
    const int y = pos.y() - button.top();
    return 2 * (x + y) < 2 * button.width() - 1 ? Half::Up : Half::Down;
}

void TSpinEdit::Step(int delta) {
    const long long next = std::clamp(static_cast<long long>(Value()) + delta,
                                      static_cast<long long>(min_), static_cast<long long>(max_));
    // QLineEdit::setText emits textChanged only when the text really changes, so a step that
    // the limit swallowed (Up at MaxValue) fires no Changed.
    edit_->setText(QString::number(next));
}

void TSpinEdit::RepeatStep() {
    QWidget* modal = QApplication::activeModalWidget();
    if (pressed_ == Half::None || !isVisible() || !isEnabled() || (modal && modal != window())) {
        StopRepeat();
        return;
    }
    if (repeat_->interval() != kRepeatMs)
        repeat_->setInterval(kRepeatMs);
    if (pointerOnPressed_)
        Step(pressed_ == Half::Up ? 1 : -1);
}

void TSpinEdit::StopRepeat() {
    repeat_->stop();
    if (pressed_ != Half::None) {
        pressed_ = Half::None;
        pointerOnPressed_ = false;
        update(ButtonRect());
    }
}

void TSpinEdit::CorrectOnLeaving() {
    const std::optional<int> value = ParseWhole(edit_->text());
    if (value && (*value < min_ || *value > max_))
        SetValue(*value);
}

void TSpinEdit::wheelEvent(QWheelEvent* event) {
    // A notch of the wheel over the box or its button is one step, as Up or Down is.
    constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / kNotch;
    wheelRest_ -= steps * kNotch;
    for (int i = 0; i < std::abs(steps); ++i)
        Step(steps > 0 ? 1 : -1);
    event->accept();
}

bool TSpinEdit::FilterKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Step(event->key() == Qt::Key_Up ? 1 : -1);
        return true;
    }
    if (!WouldInsertText(event) || AllAccepted(event->text()))
        return false;
    QApplication::beep();
    return true;
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return FilterKey(static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod: {
        const auto* im = static_cast<QInputMethodEvent*>(event);
        if (!im->commitString().isEmpty() && !AllAccepted(im->commitString())) {
            QApplication::beep();
            return true;
        }
        break;
    }
    case QEvent::FocusOut: {
        StopRepeat();
        // A context menu or another application taking over is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            CorrectOnLeaving();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinEdit::paintEvent(QPaintEvent*) {
    const QRect button = ButtonRect();
    if (button.width() < 4)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPalette& pal = palette();
    const QRectF box = QRectF(button).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPolygonF upHalf{box.topLeft(), box.topRight(), box.bottomLeft()};
    const QPolygonF downHalf{box.topRight(), box.bottomRight(), box.bottomLeft()};

    painter.fillRect(button, pal.button());
    if (pressed_ != Half::None && pointerOnPressed_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(pal.mid());
        painter.drawPolygon(pressed_ == Half::Up ? upHalf : downHalf);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(pal.dark().color(), 1));
    painter.drawRect(box);
    painter.drawLine(box.bottomLeft(), box.topRight());

    // One arrow at the centroid of each half.
    // A corner (+-w, +-h/2) stays off the diagonal while w + h/2 < side/3.
    const qreal side = box.width();
    const qreal w = std::max<qreal>(1.5, side * 0.17);
    const qreal h = std::max<qreal>(1.5, side * 0.2);
    const QPointF up = box.topLeft() + QPointF(side / 3, side / 3);
    const QPointF down = box.topLeft() + QPointF(2 * side / 3, 2 * side / 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawPolygon(
        QPolygonF{up + QPointF(-w, h / 2), up + QPointF(w, h / 2), up + QPointF(0, -h / 2)});
    painter.drawPolygon(
        QPolygonF{down + QPointF(-w, -h / 2), down + QPointF(w, -h / 2), down + QPointF(0, h / 2)});
}

void TSpinEdit::mousePressEvent(QMouseEvent* event) {
    const Half half = event->button() == Qt::LeftButton && isEnabled()
                          ? HalfAt(event->position().toPoint())
                          : Half::None;
    if (half == Half::None) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    edit_->setFocus(Qt::MouseFocusReason);
    pressed_ = half;
    pointerOnPressed_ = true;
    update(ButtonRect());
    Step(half == Half::Up ? 1 : -1);
    // Changed may have run a handler that took the button away from us.
    if (pressed_ == half)
        repeat_->start(kFirstRepeatMs);
}

void TSpinEdit::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ == Half::None) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const bool on = HalfAt(event->position().toPoint()) == pressed_;
    if (on != pointerOnPressed_) {
        pointerOnPressed_ = on;
        update(ButtonRect());
    }
}

void TSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_ != Half::None) {
        StopRepeat();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

// The second press of a double click has already stepped as a press of its own.
void TSpinEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (HalfAt(event->position().toPoint()) != Half::None)
        event->accept();
    else
        QWidget::mouseDoubleClickEvent(event);
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
    const int side = ButtonRect().width();
    edit_->setGeometry(0, 0, std::max(0, width() - side - (side > 0 ? 1 : 0)), height());
    QWidget::resizeEvent(event);
}

void TSpinEdit::hideEvent(QHideEvent* event) {
    StopRepeat();
    QWidget::hideEvent(event);
}

void TSpinEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            StopRepeat();
        update();
    }
    QWidget::changeEvent(event);
}
