#include "ListBox.h"

#include "Cp1250Text.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>
#include <algorithm>

namespace {

QStringList ToQStrings(const std::vector<std::string>& entries) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries) {
        texts.append(ToQString(entry));
    }
    return texts;
}

} // namespace

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
    return item ? FromQString(item->text()) : std::string();
}

void SelectorFill(QComboBox* selector, const std::vector<std::string>& entries) {
    const QSignalBlocker blocker(selector);
    selector->clear();
    selector->addItems(ToQStrings(entries));
    // A pick-only selector chooses its first entry by itself once it has some.
    selector->setCurrentIndex(-1);
}

std::string SelectorText(const QComboBox* selector) {
    return FromQString(selector->currentText());
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
