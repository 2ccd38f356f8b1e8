// The window as assistive tools meet it: every control that takes the focus has a name and a
// description, the captions beside the controls are tied to them, the totals read with their
// names, and a frame marks the control that has the focus.
#include "WindowAccessibility.h"

#include "_frmVemo.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

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

void Describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
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

void TfrmVemo::DescribeControls() {
    // The captions stay as stored: tying them to their controls adds no mnemonic.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {Label1, cboDalnice},   {Label5, lbxCis},      {Label2, lbxTrasa},
        {Label7, cboKategorie}, {Label8, speNapravy},  {Label4, curSazba},
        {Label3, lblKm},        {Label6, lblMaut},     {Label9, cboAUDalnice},
        {Label11, lbxAUCis},    {Label10, lbxAUTrasa}, {Label12, cboAUKategorie},
        {Label13, lblAUMaut},
    };
    for (const auto& [label, control] : buddies) {
        label->setBuddy(control);
    }

    // The tab bar needs nothing: Qt names it after the page in front.

    const QString motorway = QStringLiteral("Dálnice");
    const QString motorwayHelp =
        QStringLiteral("Vyberte dálnici; její úseky se objeví v seznamu Úseky.");
    const QString sections = QStringLiteral("Úseky");
    const QString sectionsHelp =
        QStringLiteral("Úseky vybrané dálnice. Vybrané úseky přidá do trasy tlačítko Přidat do "
                       "trasy; Ctrl+C je zkopíruje.");
    const QString route = QStringLiteral("Opis trasy");
    const QString routeHelp =
        QStringLiteral("Úseky trasy v pořadí přidání. Ctrl+C zkopíruje celou trasu i se součty, "
                       "nebo jen vybrané úseky.");
    const QString add = QStringLiteral("Přidat do trasy");
    const QString addHelp = QStringLiteral("Přidá vybrané úseky na konec trasy.");
    const QString remove = QStringLiteral("Odebrat z trasy");
    const QString removeHelp = QStringLiteral("Odebere z trasy vybrané úseky.");

    Describe(cboDalnice, motorway, motorwayHelp);
    Describe(lbxCis, sections, sectionsHelp);
    Describe(lbxTrasa, route, routeHelp);
    Describe(btnSelect, add, addHelp);
    Describe(btnUnselect, remove, removeHelp);
    Describe(btnCreateData, QStringLiteral("Data"),
             QStringLiteral("Převede maut_55a.csv na data.sdf."));
    Describe(cboKategorie, QStringLiteral("Kategorie"),
             QStringLiteral("Emisní kategorie vozidla; spolu s počtem náprav určuje sazbu za km."));
    Describe(cboKategorie->lineEdit(), QStringLiteral("Kategorie"), {});
    Describe(memHelp, QStringLiteral("Vysvětlivky zkratek"),
             QStringLiteral("Význam zkratek v názvech úseků."));
    Describe(curSazba, QStringLiteral("Sazba za km"),
             QStringLiteral("Sazba v eurech za kilometr podle kategorie a počtu náprav; jen pro "
                            "čtení."));
    Describe(speNapravy, QStringLiteral("Počet náprav"),
             QStringLiteral("Počet náprav vozidla, 1 až 18; od 4 náprav platí vyšší sazba."));
    Describe(speNapravy->Edit(), QStringLiteral("Počet náprav"), {});

    Describe(cboAUDalnice, motorway, motorwayHelp);
    Describe(lbxAUCis, sections, sectionsHelp);
    Describe(lbxAUTrasa, route, routeHelp);
    Describe(btnAUSelect, add, addHelp);
    Describe(btnAUUnselect, remove, removeHelp);
    Describe(btnAUCreateData, QStringLiteral("Data"),
             QStringLiteral("Převede au_maut.csv na data2.sdf."));
    Describe(cboAUKategorie, QStringLiteral("Kategorie vozidla"),
             QStringLiteral("Kategorie podle počtu náprav. Po změně kategorie je nutno sestavit "
                            "trasu znova."));
    Describe(cboAUKategorie->lineEdit(), QStringLiteral("Kategorie vozidla"), {});
}

QWidget* TfrmVemo::FocusedControl(QWidget* focus) const {
    if (focus == pgcMain->tabBar()) {
        return focus;
    }
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        if (widget->parentWidget() == tbsDE || widget->parentWidget() == tbsAU) {
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
    pgcMain->tabBar()->setFocus(Qt::OtherFocusReason);
}

void TfrmVemo::UnmarkFocus() {
    disconnect(focusWatch_);
    if (focusFrame_) {
        focusFrame_->setWidget(nullptr);
    }
}
