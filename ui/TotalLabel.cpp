// A running total's label as assistive tools meet it.
#include "ui/TotalLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

class TotalLabel : public QLabel {
public:
    // Built without a caption: Qt announces a caption to assistive tools, and that first
    // announcement must already meet a TotalLabel.
    TotalLabel(QString name, QWidget* parent) : QLabel(parent), name_(std::move(name)) {}

    const QString& Name() const { return name_; }

private:
    QString name_;
};

class TotalAccessible : public QAccessibleWidget {
public:
    explicit TotalAccessible(TotalLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        const auto* label = static_cast<const TotalLabel*>(widget());
        if (kind == QAccessible::Name) {
            return label->text().isEmpty() ? label->Name()
                                           : label->Name() + QStringLiteral(": ") + label->text();
        }
        if (kind == QAccessible::Value) {
            return label->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* TotalFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel")) {
        if (auto* label = dynamic_cast<TotalLabel*>(object)) {
            return new TotalAccessible(label);
        }
    }
    return nullptr;
}

} // namespace

QLabel* vemo::ui::NewTotalLabel(const QString& name, QWidget* parent) {
    static const bool installed = [] {
        QAccessible::installFactory(TotalFactory);
        return true;
    }();
    (void)installed;
    return new TotalLabel(name, parent);
}
