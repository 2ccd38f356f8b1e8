// The quote of both tabs and the saved routes. The quote reads what the window shows and
// changes nothing; opening a route replaces both routes, their categories and the axle count,
// only once the whole file has been read and looked up in today's tables.
#include "data/RouteFile.h"
#include "data/RouteLookup.h"
#include "data/RunningTotal.h"
#include "data/SectionEntry.h"
#include "data/Tariff.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/QuoteDialog.h"
#include "ui/Route.h"
#include "ui/SpinEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>

#include <algorithm>

namespace {

const QString kRouteFilter = QStringLiteral("Trasy (*.txt);;Všechny soubory (*)");

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

QStringList ToQStrings(const std::vector<std::string>& entries) {
    QStringList texts;
    for (const std::string& entry : entries)
        texts.append(vemo::ui::ToQString(entry));
    return texts;
}

QString TabCaption(const QTabWidget* tabs, QWidget* page) {
    return tabs->tabText(tabs->indexOf(page));
}

QString Today(const std::function<QDate()>& today) {
    return vemo::ui::ToQString(vemo::FormatDate(vemo::ToCalendarDate(today())));
}

// "Německo, A3: (AS) Start : (AK) Ort 1;12,5", one a line.
void ListMissing(QStringList& lines, const QString& country,
                 const std::vector<vemo::RouteFileEntry>& missing) {
    for (const vemo::RouteFileEntry& e : missing) {
        const QString motorway = vemo::ui::ToQString(e.motorway);
        lines.append(QStringLiteral("%1%2: %3")
                         .arg(country,
                              motorway.isEmpty() ? QString() : QStringLiteral(", ") + motorway,
                              vemo::ui::SingleLine(vemo::ui::ToQString(e.entry))));
    }
}

} // namespace

void TfrmVemo::ConnectQuoteCommands() {
    // Each command also answers its keys anywhere in the window, and the menus show them.
    const auto make = [this](const QString& caption, Qt::Key key, void (TfrmVemo::*handler)()) {
        auto* action = new QAction(caption, this);
        connect(action, &QAction::triggered, this, [this, handler] { Guard(handler); });
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setShortcutVisibleInContextMenu(true);
        addAction(action);
        return action;
    };
    actNabidka_ = make(QStringLiteral("Nabídka…"), Qt::Key_P, &TfrmVemo::actNabidkaExecute);
    actUlozitTrasu_ =
        make(QStringLiteral("Uložit trasu…"), Qt::Key_S, &TfrmVemo::actUlozitTrasuExecute);
    actOtevritTrasu_ =
        make(QStringLiteral("Otevřít trasu…"), Qt::Key_O, &TfrmVemo::actOtevritTrasuExecute);
}

void TfrmVemo::AddQuoteCommands(QMenu& menu) {
    menu.addSeparator();
    menu.addAction(actNabidka_);
    menu.addSeparator();
    menu.addAction(actUlozitTrasu_);
    menu.addAction(actOtevritTrasu_);
}

void TfrmVemo::actNabidkaExecute() {
    if (!lists_)
        return;
    TfrmNabidka::Inputs inputs;
    const QStringList german = ListTexts(ui.lbxTrasa);
    const QStringList austrian = ListTexts(ui.lbxAUTrasa);
    inputs.german.sections =
        vemo::RouteSectionsOf(vemo::ui::ListEntries(ui.lbxTrasa),
                              vemo::GermanRouteTables(lists_->germanTable, lists_->germanIndex));
    inputs.german.rate = GermanRate();
    inputs.german.category = vemo::ui::FromQString(PricedCategory());
    inputs.german.weightClass = vemo::ui::FromQString(PricedWeightClass());
    inputs.german.axles = PricedAxles();
    inputs.german.tariff = tariff_ ? tariff_->Label() : std::string();
    inputs.austrian.sections = vemo::RouteSectionsOf(
        vemo::ui::ListEntries(ui.lbxAUTrasa),
        vemo::AustrianRouteTables(lists_->austrianTable, lists_->austrianIndex));
    inputs.austrian.category = austrianCategory_;
    if (openedRoute_ && openedRoute_->german == german && openedRoute_->austrian == austrian)
        inputs.saved = openedRoute_->saved;
    inputs.head = {QStringLiteral("Vemo Maut " VEMO_VERSION), Today(options_.today), {}, {}};
    inputs.numbers = {locale_.numbers, locale_.groupSeparator};
    inputs.rate = quoteRate_;
    inputs.rateSource = quoteRateSource_;
    inputs.reportError = options_.reportError;
    inputs.chooseFile = options_.chooseFile;

    auto* dialog = new TfrmNabidka(std::move(inputs), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        quoteRate_ = dialog->RateText();
        quoteRateSource_ = dialog->RateSourceText();
    });
    // Window-modal: the window stays as the quote shows it until the dialog closes.
    dialog->open();
}

void TfrmVemo::actUlozitTrasuExecute() {
    const QString path =
        options_.chooseFile(this, {QStringLiteral("Uložit trasu"), QStringLiteral("trasa.txt"),
                                   kRouteFilter, QStringLiteral("txt"), true});
    if (path.isEmpty() || !lists_)
        return;
    vemo::RouteFile route;
    route.saved = vemo::ToCalendarDate(options_.today());
    route.tariff = tariff_ ? tariff_->Label() : std::string();
    route.germanCategory = vemo::ui::FromQString(PricedCategory());
    route.weightClass = vemo::ui::FromQString(PricedWeightClass());
    route.axles = std::clamp(PricedAxles(), ui.speNapravy->MinValue(), ui.speNapravy->MaxValue());
    route.germanToll =
        vemo::ReadRunningTotal(vemo::ui::FromQString(ui.lblMaut->text()), locale_.numbers);
    route.germanBilled = germanBilled_.value_or(0);
    if (const auto name = vemo::AustrianCategoryName(austrianCategory_))
        route.austrianCategory = *name;
    route.austrianToll =
        vemo::ReadRunningTotal(vemo::ui::FromQString(ui.lblAUMaut->text()), locale_.numbers);
    route.austrianBilled = AustrianBilled();
    route.germanRoute =
        vemo::RouteEntriesOf(vemo::ui::ListEntries(ui.lbxTrasa),
                             vemo::GermanRouteTables(lists_->germanTable, lists_->germanIndex));
    route.austrianRoute = vemo::RouteEntriesOf(
        vemo::ui::ListEntries(ui.lbxAUTrasa),
        vemo::AustrianRouteTables(lists_->austrianTable, lists_->austrianIndex));
    vemo::SaveRouteFile(vemo::ui::NativeFileName(path), vemo::ui::ShownFileName(path), route);
}

void TfrmVemo::actOtevritTrasuExecute() {
    const QString path = options_.chooseFile(
        this, {QStringLiteral("Otevřít trasu"), QString(), kRouteFilter, QString(), false});
    if (path.isEmpty() || !lists_)
        return;
    // Everything is read and looked up before the window changes: a bad file changes nothing.
    const vemo::RouteFile route =
        vemo::ReadRouteFile(vemo::ui::NativeFileName(path), vemo::ui::ShownFileName(path));
    const vemo::FoundRoute german = vemo::FindRoute(
        route.germanRoute, vemo::GermanRouteTables(lists_->germanTable, lists_->germanIndex));
    const vemo::FoundRoute austrian =
        vemo::FindRoute(route.austrianRoute,
                        vemo::AustrianRouteTables(lists_->austrianTable, lists_->austrianIndex));
    QStringList notes;
    // A class the file does not name (an older file, a tariff without classes) is the heaviest,
    // as at the start; one today's tariff lacks is reported and none is chosen.
    int weightClass = tariff_ && tariff_->HasWeightClasses() ? tariff_->HeaviestClass() : 0;
    if (tariff_ && tariff_->HasWeightClasses() && !route.weightClass.empty()) {
        const auto& classes = tariff_->weightClasses;
        const auto found = std::find_if(classes.begin(), classes.end(), [&](const auto& c) {
            return c.label == route.weightClass;
        });
        weightClass = found == classes.end() ? -1 : static_cast<int>(found - classes.begin());
        if (found == classes.end())
            notes.append(QStringLiteral("Německo: hmotnost „%1“, kterou dnešní sazebník nemá")
                             .arg(vemo::ui::ToQString(route.weightClass)));
    }
    int germanCategory = -1;
    if (!route.germanCategory.empty()) {
        const auto& categories =
            tariff_ ? tariff_->categories : std::vector<vemo::TariffCategory>();
        const auto found = std::find_if(categories.begin(), categories.end(), [&](const auto& c) {
            return c.name == route.germanCategory;
        });
        if (found == categories.end())
            notes.append(QStringLiteral("Německo: kategorie „%1“, kterou dnešní sazebník nemá")
                             .arg(vemo::ui::ToQString(route.germanCategory)));
        else
            germanCategory = static_cast<int>(found - categories.begin());
    }
    int austrianCategory = -1;
    for (int i = 0; i < vemo::kAustrianCategoryCount; ++i) {
        if (vemo::AustrianCategoryName(i) == route.austrianCategory)
            austrianCategory = i;
    }
    ListMissing(notes, TabCaption(ui.pgcMain, ui.tbsDE), german.missing);
    ListMissing(notes, TabCaption(ui.pgcMain, ui.tbsAU), austrian.missing);

    vemo::ui::ListClear(ui.lbxTrasa);
    vemo::ui::ListAppend(ui.lbxTrasa, german.entries);
    vemo::ui::ListClear(ui.lbxAUTrasa);
    vemo::ui::ListAppend(ui.lbxAUTrasa, austrian.entries);

    // The German tab as if the user had chosen the axles and the category: the rate follows
    // today's tariff, and the toll the kilometres of the route as listed now.
    ui.speNapravy->SetValue(route.axles);
    if (tariff_ && tariff_->HasWeightClasses())
        ui.cboHmotnost->setCurrentIndex(weightClass);
    DescribeTariff();
    priced_.reset();
    ui.cboKategorie->setCurrentIndex(germanCategory);
    if (germanCategory < 0) {
        ui.cboKategorie->setEditText(QString());
        ui.lblKategorie->clear();
    } else {
        cboKategorieChange();
    }
    // Without a category, or without the class it was priced in, there is no rate yet.
    if (!priced_)
        ui.curSazba->SetValue(0);
    const vemo::LocaleSettings& numbers = locale_.numbers;
    vemo::ui::RecomputeRouteTotal(
        ui.lbxTrasa, ui.lblKm, vemo::kKmUnit,
        [&numbers](std::string_view entry) { return vemo::SectionLength(entry, numbers); },
        numbers);
    curSazbaChange();

    ui.cboAUKategorie->setCurrentIndex(austrianCategory);
    if (austrianCategory < 0) {
        // No category as on the German tab: no axle text, and no amounts to add up.
        austrianCategory_ = -1;
        ui.cboAUKategorie->setEditText(QString());
        ui.lblAUKategorie->clear();
        vemo::ui::RecomputeRouteTotal(
            ui.lbxAUTrasa, ui.lblAUMaut, vemo::kEuroUnit, [](std::string_view) { return 0.0; },
            numbers);
    } else {
        // The category's axle text and the total of the listed route in that category.
        cboAUKategorieChange();
    }

    openedRoute_ = OpenedRoute{{route.saved, route.germanBilled, route.austrianBilled},
                               ToQStrings(german.entries),
                               ToQStrings(austrian.entries)};
    if (!notes.isEmpty() && options_.reportError)
        options_.reportError(this, QStringLiteral("Trasa ze souboru %1 je otevřena bez toho, co "
                                                  "dnešní data nemají:\n%2")
                                       .arg(QDir::toNativeSeparators(path), notes.join(u'\n')));
}
