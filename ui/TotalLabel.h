#pragma once
// A label that holds a running total, as assistive tools meet it.

#include <QString>

class QLabel;
class QWidget;

namespace vemo::ui {

// Screen readers read the label as "Name: caption" ("Celkem km: 19,5 km"), or the name alone
// while the caption is empty, and hear of every new caption as a change of that name.
QLabel* NewTotalLabel(const QString& name, QWidget* parent);

} // namespace vemo::ui
