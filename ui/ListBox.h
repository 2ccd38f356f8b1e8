#pragma once
// The window's list box, and the program's changes to a list box or selector: those fire none of
// the handlers that react to the user's selection, and entries carry their Windows-1250 bytes
// through the widget.

#include <QListWidget>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QMenu;
class QMouseEvent;

// A list box of the window. Long entries are cut at its edge; the pointer resting on a cut entry
// shows the whole entry as a tooltip. The platform's copy keys, Delete, a double-click on an
// entry and the context menu are handed to the owner; a right click, the Menu key and Shift+F10
// open the menu without touching the selection.
class TListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TListBox(QWidget* parent = nullptr);

    // Fills the context menu each time it opens; no menu opens while it is unset or adds nothing.
    void SetContextMenuFiller(std::function<void(QMenu& menu)> fill) { fill_ = std::move(fill); }

signals:
    // Ctrl+C (the platform's copy keys) while the list has the focus.
    void CopyRequested();
    // Delete while the list has the focus.
    void DeleteRequested();
    // A double-click with the left button on an entry, which is then the selection.
    void EntryDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Whether the entry at Row is wider than the room the list gives it.
    bool IsEntryCut(int row) const;
    // A double-click with the left button on an entry makes it the selection and is reported.
    bool DoubleClick(QMouseEvent* event);

    std::function<void(QMenu& menu)> fill_;
};

namespace vemo::ui {

// Appends entries, not selected.
void ListAppend(QListWidget* list, const std::vector<std::string>& entries);
void ListClear(QListWidget* list);
// Deletes the entries at the given rows (ascending).
void ListDeleteRows(QListWidget* list, const std::vector<int>& rows);
// Rows of the selected entries, ascending.
std::vector<int> ListSelectedRows(const QListWidget* list);
std::string ListEntry(const QListWidget* list, int row);
// Every entry, in list order.
std::vector<std::string> ListEntries(const QListWidget* list);
// The entries at rows, or every entry, as the list shows them.
QStringList ListTexts(const QListWidget* list, const std::vector<int>& rows);
QStringList ListTexts(const QListWidget* list);

// Replaces a selector's entries; nothing is chosen afterwards.
void SelectorFill(QComboBox* selector, const std::vector<std::string>& entries);
std::string SelectorText(const QComboBox* selector);
// The selected entry: for an editable selector the entry its text equals exactly, else -1.
int SelectorItemIndex(const QComboBox* selector);

} // namespace vemo::ui
