// The quote of both tabs and the saved routes, from the state the tabs keep. The quote changes
// nothing; opening a route replaces both routes, their categories and the axle count, only once
// the whole file has been read and looked up in today's tables.
#include "data/documents/RouteFile.h"
#include "data/documents/RouteLookup.h"
#include "ui/Cp1250Text.h"
#include "ui/MainWindow.h"
#include "ui/QuoteDialog.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTabWidget>

namespace {

const QString kRouteFilter = QStringLiteral("Trasy (*.txt);;Všechny soubory (*)");

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
    inputs.german = german_->QuoteInput(*lists_);
    inputs.austrian = austrian_->QuoteInput(*lists_);
    if (openedRoute_ && openedRoute_->german == german_->Route().EntryTexts() &&
        openedRoute_->austrian == austrian_->Route().EntryTexts())
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
    german_->SaveInto(route, *lists_);
    austrian_->SaveInto(route, *lists_);
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
    const vemo::ui::GermanTab::Vehicle vehicle = german_->FindVehicle(route, notes);
    const int austrianCategory = vemo::ui::AustrianTab::FindCategory(route);
    ListMissing(notes, TabCaption(ui.pgcMain, ui.tbsDE), german.missing);
    ListMissing(notes, TabCaption(ui.pgcMain, ui.tbsAU), austrian.missing);

    german_->ListRoute(german.entries);
    austrian_->ListRoute(austrian.entries);
    german_->PriceOpened(route.axles, vehicle);
    austrian_->ChooseOpened(austrianCategory);

    openedRoute_ = OpenedRoute{{route.saved, route.germanBilled, route.austrianBilled},
                               ToQStrings(german.entries),
                               ToQStrings(austrian.entries)};
    if (!notes.isEmpty() && options_.reportError)
        options_.reportError(this, QStringLiteral("Trasa ze souboru %1 je otevřena bez toho, co "
                                                  "dnešní data nemají:\n%2")
                                       .arg(QDir::toNativeSeparators(path), notes.join(u'\n')));
}
