// The copy commands of the four lists. They put the lists' entries and the totals as each tab
// shows them on the clipboard and change nothing: no handler of the tab runs and no total is
// computed again. The route lists' menus also carry the quote's commands (MainWindowQuote.cpp).
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/RouteClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>

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
                            vemo::ui::EntriesClipboardText(vemo::ui::ListTexts(route, selected)));
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
                    vemo::ui::EntriesClipboardText(vemo::ui::ListTexts(sections, selected)));
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
    QApplication::clipboard()->setText(vemo::ui::RouteClipboardText(
        vemo::ui::ListTexts(route),
        route == ui.lbxTrasa ? german_->ShownTotals() : austrian_->ShownTotals()));
}
