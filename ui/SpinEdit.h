#pragma once
// A whole-number edit with a diagonally split spin button at its right end.
// Unlike QSpinBox it neither validates nor corrects while the user types: "25" reads 25 until
// the focus leaves, and only then is it brought back into MinValue..MaxValue.

#include <QWidget>

class QLineEdit;
class QTimer;

class TSpinEdit : public QWidget {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    void SetRange(int minValue, int maxValue);

    // The text read as a whole decimal number with an optional sign; MinValue when it is none.
    int Value() const;
    // Writes the value as the text (fires Changed when the text changes).
    void SetValue(int value);
    QString Text() const;
    void SetText(const QString& text);

    QLineEdit* Edit() const { return edit_; }

    // Where the spin button is painted; its upper-left half steps up, the lower-right one down.
    QRect ButtonRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After every change of the text, and only then.
    void Changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Half { None, Up, Down };
    Half HalfAt(const QPoint& pos) const;
    void Step(int delta);
    void RepeatStep();
    void StopRepeat();
    bool FilterKey(QKeyEvent* event);
    void CorrectOnLeaving();

    QLineEdit* edit_;
    QTimer* repeat_;
    int min_ = 1;
    int max_ = 18;
    Half pressed_ = Half::None;
    bool pointerOnPressed_ = false;
    // Wheel turns not yet worth a whole notch (fine-grained wheels and touchpads).
    int wheelRest_ = 0;
};
