#pragma once
// The program's changes to a list box or selector: they fire none of the handlers that react to
// the user's selection, and entries carry their Windows-1250 bytes through the widget.

#include <QString>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;

// Appends entries, not selected.
void ListAppend(QListWidget* list, const std::vector<std::string>& entries);
void ListClear(QListWidget* list);
// Deletes the entries at the given rows (ascending).
void ListDeleteRows(QListWidget* list, const std::vector<int>& rows);
// Rows of the selected entries, ascending.
std::vector<int> ListSelectedRows(const QListWidget* list);
std::string ListEntry(const QListWidget* list, int row);

// Replaces a selector's entries; nothing is chosen afterwards.
void SelectorFill(QComboBox* selector, const std::vector<std::string>& entries);
std::string SelectorText(const QComboBox* selector);
// The selected entry: for an editable selector the entry its text equals exactly, else -1.
int SelectorItemIndex(const QComboBox* selector);
