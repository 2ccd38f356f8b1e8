#include "ui/ListBox.h"

#include "ui/Cp1250Text.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStringList>
#include <QToolTip>
#include <algorithm>

namespace {

QStringList ToQStrings(const std::vector<std::string>& entries) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries) {
        texts.append(vemo::ui::ToQString(entry));
    }
    return texts;
}

} // namespace

TListBox::TListBox(QWidget* parent) : QListWidget(parent) {}

bool TListBox::IsEntryCut(int row) const {
    const QListWidgetItem* entry = item(row);
    if (!entry) {
        return false;
    }
    const QModelIndex index = indexFromItem(entry);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // The room ends at the viewport's right edge, whatever width the view gives the row itself.
    const int room = viewport()->width() - visualRect(index).left();
    return itemDelegateForIndex(index)->sizeHint(option, index).width() > room;
}

void TListBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        emit CopyRequested();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        event->accept();
        emit DeleteRequested();
        return;
    }
    // Shift+F10 asks for the context menu as the Menu key does, at the entry with the focus.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        event->accept();
        const QRect current = visualRect(currentIndex());
        const QPoint at = current.isValid() ? current.center() : QPoint(0, 0);
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        contextMenuEvent(&menu);
        return;
    }
    QListWidget::keyPressEvent(event);
}

bool TListBox::DoubleClick(QMouseEvent* event) {
    const bool handled = QListWidget::viewportEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        return handled;
    }
    // The entry is the selection, as the double-click's first click has made it; a double-click
    // that arrives without that click makes it so here. The focus mark comes first, so that the
    // click handler shows this entry.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    emit EntryDoubleClicked();
    return true;
}

void TListBox::contextMenuEvent(QContextMenuEvent* event) {
    if (!fill_) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    fill_(menu);
    if (menu.isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
    menu.exec(event->globalPos());
}

bool TListBox::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // A right click only asks for the context menu; the selection, and with it the handlers
        // that watch it, stay as they were.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            return DoubleClick(static_cast<QMouseEvent*>(event));
        }
        return QListWidget::viewportEvent(event);
    case QEvent::ToolTip:
        break;
    default:
        return QListWidget::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (index.isValid() && IsEntryCut(index.row())) {
        // As markup that shows the entry literally: an entry may hold "<" or "&", and its blanks
        // must neither collapse nor wrap.
        const QString tip = QStringLiteral("<p style='white-space:pre'>") +
                            item(index.row())->text().toHtmlEscaped() + QStringLiteral("</p>");
        QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

namespace vemo::ui {

void ListAppend(QListWidget* list, const std::vector<std::string>& entries) {
    if (entries.empty()) {
        return;
    }
    const QSignalBlocker blocker(list);
    // One model insertion for all entries, so that thousands of sections arrive at once.
    list->addItems(ToQStrings(entries));
}

void ListClear(QListWidget* list) {
    const QSignalBlocker blocker(list);
    list->clear();
}

void ListDeleteRows(QListWidget* list, const std::vector<int>& rows) {
    std::vector<int> sorted;
    sorted.reserve(rows.size());
    const int count = list->count();
    for (int row : rows) {
        if (row >= 0 && row < count) {
            sorted.push_back(row);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

    const QSignalBlocker blocker(list);
    QAbstractItemModel* model = list->model();
    // Contiguous runs from the back: the rows before a run keep their numbers.
    auto end = sorted.size();
    while (end > 0) {
        auto begin = end - 1;
        while (begin > 0 && sorted[begin - 1] == sorted[begin] - 1) {
            --begin;
        }
        model->removeRows(sorted[begin], static_cast<int>(end - begin));
        end = begin;
    }
}

std::vector<int> ListSelectedRows(const QListWidget* list) {
    std::vector<int> rows;
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    rows.reserve(static_cast<std::size_t>(selected.size()));
    for (const QModelIndex& index : selected) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::string ListEntry(const QListWidget* list, int row) {
    const QListWidgetItem* item = list->item(row);
    return item ? vemo::ui::FromQString(item->text()) : std::string();
}

std::vector<std::string> ListEntries(const QListWidget* list) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(list->count()));
    for (int row = 0; row < list->count(); ++row)
        entries.push_back(ListEntry(list, row));
    return entries;
}

QStringList ListTexts(const QListWidget* list, const std::vector<int>& rows) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(rows.size()));
    for (const int row : rows)
        texts.append(list->item(row)->text());
    return texts;
}

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    texts.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void SelectorFill(QComboBox* selector, const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(selector);
    selector->clear();
    selector->addItems(ToQStrings(entries));
    // A pick-only selector chooses its first entry by itself once it has some.
    selector->setCurrentIndex(-1);
}

std::string SelectorText(const QComboBox* selector) {
    return vemo::ui::FromQString(selector->currentText());
}

int SelectorItemIndex(const QComboBox* selector) {
    if (!selector->isEditable()) {
        return selector->currentIndex();
    }
    const QString text = selector->currentText();
    for (int i = 0; i < selector->count(); ++i) {
        if (selector->itemText(i) == text) {
            return i;
        }
    }
    return -1;
}

} // namespace vemo::ui
