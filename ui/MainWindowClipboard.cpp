// The copy commands of the four lists. They read what the window shows, put it on the clipboard
// and change nothing: no handler of the tab runs and no total is computed again. The route
// lists' menus also carry the quote's commands (MainWindowQuote.cpp).
#include "data/BilledToll.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/RouteClipboard.h"
#include "ui/SpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>

namespace {

QStringList Entries(const QListWidget* list, const std::vector<int>& rows) {
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(rows.size()));
    for (const int row : rows) {
        entries.append(list->item(row)->text());
    }
    return entries;
}

std::vector<int> AllRows(const QListWidget* list) {
    std::vector<int> rows(static_cast<std::size_t>(list->count()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = static_cast<int>(i);
    }
    return rows;
}

} // namespace

void TfrmVemo::ConnectCopyCommands() {
    auto guarded = [this](std::function<void()> command) {
        return [this, command = std::move(command)] { Run(command); };
    };

    for (TListBox* route : {ui.lbxTrasa, ui.lbxAUTrasa}) {
        connect(route, &TListBox::CopyRequested, this, guarded([this, route] {
                    const std::vector<int> selected = vemo::ui::ListSelectedRows(route);
                    if (selected.empty()) {
                        CopyRoute(route);
                    } else {
                        QApplication::clipboard()->setText(
                            vemo::ui::EntriesClipboardText(Entries(route, selected)));
                    }
                }));
        route->SetContextMenuFiller([this, route, guarded](QMenu& menu) {
            menu.addAction(QStringLiteral("Kopírovat trasu"), this,
                           guarded([this, route] { CopyRoute(route); }));
            AddQuoteCommands(menu);
        });
    }

    for (TListBox* sections : {ui.lbxCis, ui.lbxAUCis}) {
        auto copySelected = guarded([sections] {
            const std::vector<int> selected = vemo::ui::ListSelectedRows(sections);
            if (!selected.empty()) {
                QApplication::clipboard()->setText(
                    vemo::ui::EntriesClipboardText(Entries(sections, selected)));
            }
        });
        connect(sections, &TListBox::CopyRequested, this, copySelected);
        sections->SetContextMenuFiller([sections, copySelected](QMenu& menu) {
            QAction* copy = menu.addAction(QStringLiteral("Kopírovat úseky"), copySelected);
            copy->setEnabled(!vemo::ui::ListSelectedRows(sections).empty());
        });
    }
}

void TfrmVemo::CopyRoute(const QListWidget* route) {
    QApplication::clipboard()->setText(
        vemo::ui::RouteClipboardText(Entries(route, AllRows(route)), ShownTotals(route)));
}

std::vector<vemo::ui::ShownTotal> TfrmVemo::ShownTotals(const QListWidget* route) const {
    if (route == ui.lbxTrasa) {
        // The vehicle and the tariff the rate was taken for, before the totals they give; the
        // rate as its box shows it while it has no focus.
        std::vector<vemo::ui::ShownTotal> totals = {
            {QStringLiteral("Kategorie:"), PricedCategory()}};
        if (tariff_ && tariff_->HasWeightClasses())
            totals.push_back({QStringLiteral("Hmotnost:"), PricedWeightClass()});
        const QString tariff = tariff_ ? vemo::ui::ToQString(tariff_->Label()) : QString();
        totals.insert(totals.end(),
                      {{QStringLiteral("Počet náprav:"), QString::number(PricedAxles())},
                       {tariff, {}},
                       {ui.Label3->text(), ui.lblKm->text()},
                       {ui.Label4->text(), ui.curSazba->DisplayText()}});
        totals.push_back({ui.Label6->text(), ui.lblMaut->text()});
        totals.push_back({QStringLiteral("Mýtné dle vyúčtování:"),
                          germanBilled_ ? vemo::ui::ToQString(vemo::FormatHundredths(
                                              *germanBilled_, locale_.numbers)) +
                                              QStringLiteral(" €")
                                        : QString()});
        return totals;
    }
    return {{ui.Label12->text(), ui.lblAUKategorie->text()},
            {ui.Label13->text(), ui.lblAUMaut->text()}};
}

vemo::Cents TfrmVemo::AustrianBilled() const {
    return vemo::BilledAustrianToll(vemo::ui::ListEntries(ui.lbxAUTrasa), austrianCategory_,
                                    locale_.numbers);
}
