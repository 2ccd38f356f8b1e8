#pragma once
// A read-only money edit: unfocused it shows Value as ",0.00 €;-,0.00 €" (grouped, two decimals),
// focused the plain text "0.##" (empty for 0). Setting Value fires Changed synchronously, and only
// when the plain text changes; reading Value converts the plain text back. A rate box may keep
// more decimals than two (SetDecimals): both forms then show as many as the value needs.

#include <QLineEdit>

class TCurrencyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCurrencyEdit(QWidget* parent = nullptr);

    double Value() const;
    void SetValue(double value);
    QString PlainText() const { return plain_; }
    // What the box shows while it does not have the focus.
    QString DisplayText() const { return DisplayFor(value_); }

    // Decimal and thousands separators from the user's locale; the display follows at once.
    void SetSeparators(QChar decimalSeparator, QString groupSeparator);
    // The most decimals Value keeps, from 2 (the default) to kMaxDecimals; like the separators,
    // only the spelling changes and no Changed fires.
    static constexpr int kMaxDecimals = 9;
    void SetDecimals(int decimals);

signals:
    void Changed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString PlainFor(double value) const;
    QString DisplayFor(double value) const;
    void Show();
    void Show(bool focused);

    double value_ = 0;
    QString plain_;
    QChar decimal_ = '.';
    QString group_ = ",";
    int decimals_ = 2;
    bool showingPlain_ = false;
};
