// The window as assistive tools meet it: every control that takes the focus has a name and a
// description, the captions beside the controls are tied to them, and a frame marks the control
// that has the focus.
#include "data/Tariff.h"
#include "data/TariffFile.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
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
    // The captions stay as stored: tying them to their controls adds no mnemonic.
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {ui.Label1, ui.cboDalnice},      {ui.Label5, ui.lbxCis},     {ui.Label2, ui.lbxTrasa},
        {ui.Label7, ui.cboKategorie},    {ui.Label8, ui.speNapravy}, {ui.Label4, ui.curSazba},
        {ui.Label15, ui.cboHmotnost},    {ui.Label3, ui.lblKm},      {ui.Label6, ui.lblMaut},
        {ui.Label9, ui.cboAUDalnice},    {ui.Label11, ui.lbxAUCis},  {ui.Label10, ui.lbxAUTrasa},
        {ui.Label12, ui.cboAUKategorie}, {ui.Label13, ui.lblAUMaut},
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

    Describe(ui.cboDalnice, motorway, motorwayHelp);
    Describe(ui.lbxCis, sections, sectionsHelp);
    Describe(ui.lbxTrasa, route, routeHelp);
    Describe(ui.btnSelect, add, addHelp);
    Describe(ui.btnUnselect, remove, removeHelp);
    Describe(ui.btnCreateData, QStringLiteral("Data"),
             QStringLiteral("Převede maut_55a.csv na data.sdf."));
    Describe(ui.cboKategorie->lineEdit(), QStringLiteral("Kategorie"), {});
    Describe(ui.memHelp, QStringLiteral("Vysvětlivky zkratek"),
             QStringLiteral("Význam zkratek v názvech úseků."));
    Describe(ui.speNapravy->Edit(), QStringLiteral("Počet náprav"), {});
    Describe(ui.cboHmotnost, QStringLiteral("Hmotnost"),
             QStringLiteral("Hmotnostní třída vozidla; spolu s kategorií a počtem náprav určuje "
                            "sazbu za km."));
    Describe(ui.lblMautVyuctovani, QStringLiteral("Mýtné dle vyúčtování"),
             QStringLiteral("Mýtné, jak je účtuje provozovatel: každý úsek zvlášť, zaokrouhlený "
                            "na centy."));

    DescribeTariff();

    Describe(ui.cboAUDalnice, motorway, motorwayHelp);
    Describe(ui.lbxAUCis, sections, sectionsHelp);
    Describe(ui.lbxAUTrasa, route, routeHelp);
    Describe(ui.btnAUSelect, add, addHelp);
    Describe(ui.btnAUUnselect, remove, removeHelp);
    Describe(ui.btnAUCreateData, QStringLiteral("Data"),
             QStringLiteral("Převede au_maut.csv na data2.sdf."));
    Describe(ui.cboAUKategorie, QStringLiteral("Kategorie vozidla"),
             QStringLiteral("Kategorie podle počtu náprav. Při změně kategorie se mýtné trasy "
                            "přepočítá."));
    Describe(ui.cboAUKategorie->lineEdit(), QStringLiteral("Kategorie vozidla"), {});
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
    Describe(
        ui.cboKategorie, QStringLiteral("Kategorie"),
        QStringLiteral("Emisní kategorie vozidla; spolu s počtem náprav určuje sazbu za km. ") +
            tariff);
    Describe(ui.curSazba, QStringLiteral("Sazba za km"),
             QStringLiteral("Sazba v eurech za kilometr podle kategorie a počtu náprav; jen pro "
                            "čtení. ") +
                 rate);
    ui.cboKategorie->setToolTip(tariff);
    ui.curSazba->setToolTip(rate);
    Describe(ui.speNapravy, QStringLiteral("Počet náprav"),
             QStringLiteral("Počet náprav vozidla, %1 až %2")
                     .arg(vemo::kFewestAxles)
                     .arg(vemo::kMostAxles) +
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
