// The window as assistive tools meet it: every control that takes the focus has a name and a
// description, the captions beside the controls are tied to them, and a frame marks the control
// that has the focus.
#include "data/rules/Tariff.h"
#include "data/rules/TariffFile.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowControls.h"
#include "ui/SpinEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

void Describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

} // namespace

void TfrmVemo::DescribeControls() {
    for (const vemo::ui::StoredControl& stored : vemo::ui::StoredControls()) {
        QWidget* control = vemo::ui::ControlOf(ui, stored);
        if (!stored.label.empty()) {
            // The captions stay as stored: tying them to their controls adds no mnemonic.
            auto* caption = static_cast<QLabel*>(
                vemo::ui::ControlOf(ui, vemo::ui::StoredControlNamed(stored.label)));
            caption->setBuddy(control);
        }
        // A total carries its name from the start; the tab bar needs none, as Qt names it after
        // the page in front.
        if (!stored.accessibleName || stored.kind == vemo::ui::ControlKind::Total) {
            continue;
        }
        const QString name = QString::fromUtf8(stored.accessibleName);
        Describe(control, name, QString::fromUtf8(stored.description));
        // The edit inside an editable selector or the spin edit answers to the control's name.
        if (auto* selector = qobject_cast<QComboBox*>(control); selector && selector->lineEdit()) {
            Describe(selector->lineEdit(), name, {});
        }
        if (auto* axles = qobject_cast<TSpinEdit*>(control)) {
            Describe(axles->Edit(), name, {});
        }
    }
    DescribeTariff();
}

void TfrmVemo::DescribeTariff() {
    const std::optional<vemo::GermanTariff>& tariff_ = german_->Tariff();
    const QString tariff = tariff_ ? vemo::ui::ToQString(tariff_->Label())
                                   : QStringLiteral("Sazebník: žádný, soubor %1 nelze použít")
                                         .arg(QString::fromLatin1(vemo::kTariffFile));
    // The rate is that of the chosen weight class, where the tariff has several.
    QString rate = tariff;
    if (tariff_ && tariff_->HasWeightClasses() && ui.cboHmotnost->currentIndex() >= 0)
        rate += QStringLiteral("; hmotnost %1").arg(ui.cboHmotnost->currentText());
    // The stored description, completed with what the tariff in force adds to it.
    const auto describe = [](QWidget* control, const QString& addition) {
        control->setAccessibleDescription(
            QString::fromUtf8(vemo::ui::StoredControlOf(control).description) + addition);
    };
    describe(ui.cboKategorie, u' ' + tariff);
    describe(ui.curSazba, u' ' + rate);
    ui.cboKategorie->setToolTip(tariff);
    ui.curSazba->setToolTip(rate);
    describe(ui.speNapravy,
             QStringLiteral(", %1 až %2").arg(vemo::kFewestAxles).arg(vemo::kMostAxles) +
                 (tariff_ ? QStringLiteral("; ") + vemo::ui::ToQString(tariff_->AxleSteps())
                          : QString()) +
                 u'.');
}

QWidget* TfrmVemo::FocusedControl(QWidget* focus) const {
    if (focus == ui.pgcMain->tabBar()) {
        return focus;
    }
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        if (widget->parentWidget() == ui.tbsDE || widget->parentWidget() == ui.tbsAU) {
            return widget;
        }
    }
    return nullptr;
}

void TfrmVemo::MarkFocus() {
    focusFrame_ = new QFocusFrame(this);
    focusFrame_->hide();
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        // Focus that leaves for a popup, a message box or another program keeps the mark where
        // it was: the control gets the focus back when the window is active again.
        if (QWidget* control = FocusedControl(now)) {
            focusFrame_->setWidget(control);
        }
    });
    // The control that has the focus when the window first becomes active, as the tab order
    // begins with the page control.
    ui.pgcMain->tabBar()->setFocus(Qt::OtherFocusReason);
}

void TfrmVemo::UnmarkFocus() {
    disconnect(focusWatch_);
    if (focusFrame_) {
        focusFrame_->setWidget(nullptr);
    }
}
