#pragma once
// The window's controls in one table. For every control: its name (the member of Ui::frmVemo
// and its objectName), kind, page, stored box, how it follows a larger window, caption and
// settings, and what assistive tools meet: its name, its description and the caption tied to
// it. The layout builds the window from it, and the accessibility describes the window from it.

#include "ui/Anchors.h"
#include "ui/MainWindowLayout.h"

#include <QRect>
#include <QSize>

#include <span>
#include <string_view>
#include <variant>

namespace vemo::ui {

// The window's client area as stored, which is also its smallest.
constexpr QSize kStoredClientSize(537, 511);

enum class ControlKind : unsigned char {
    PageControl,      // the tabs, the only control on the window itself
    Page,             // a tab sheet, with its caption and image on its tab
    Label,            // a caption, or a text the handlers write
    Total,            // a running total's label, read aloud with its accessible name
    Frame,            // a bevel around a group
    Selector,         // a drop-down list to pick from
    CategorySelector, // an editable drop-down of the vehicle categories of its page
    List,             // a section or route list
    Button,           // a push button
    HelpBox,          // the legend of abbreviations
    RateBox,          // the read-only currency edit
    AxleBox,          // the spin edit
};

enum class Page : unsigned char { None, German, Austrian };

// A control's settings, or-ed together.
enum ControlStyle : unsigned {
    kTransparent = 1U << 0,   // a label that paints no background; others fill their box
    kCyan = 1U << 1,          // a label on light cyan, in dark text
    kFitsText = 1U << 2,      // a label that sizes to its text; others keep their box and put
                              // the text at its right edge
    kHidden = 1U << 3,        // shown only when the program says so
    kDisabled = 1U << 4,      // enabled only when the program says so
    kRaised = 1U << 5,        // a raised frame; others are lowered
    kUnderPrevious = 1U << 6, // painted under the control before it in the table
    kCaptionBeside = 1U << 7, // its caption stands to its left and must end clear of it
};

// The member of Ui::frmVemo that holds a control.
template <typename... Widgets> using MemberOf = std::variant<Widgets * Ui::frmVemo::*...>;
using ControlMember = MemberOf<QTabWidget, QWidget, QLabel, QFrame, QComboBox, TListBox,
                               QPushButton, QPlainTextEdit, TCurrencyEdit, TSpinEdit>;

struct StoredControl {
    std::string_view name;
    ControlMember member;
    ControlKind kind;
    Page page = Page::None; // the page it stands on; a page's own row names the page it is
    QRect box{};            // on its page, at the stored size
    Anchors anchors{};
    // A label's, button's or tab's caption, a selector's stored text, the help box's lines,
    // the spin edit's start value.
    const char* caption = nullptr;
    unsigned style = 0;
    int visibleItems = 0;        // entries a selector shows when dropped down
    const char* image = nullptr; // a tab's image
    const char* accessibleName = nullptr;
    const char* description = nullptr;
    std::string_view label{}; // the caption tied to it
};

// Every control in stored order: the page control and its pages, then each page's controls as
// they are painted, and in that order also the controls that take the focus.
std::span<const StoredControl> StoredControls();
// The row of a control by its name, or of a control of the window; throws for a control the
// table lacks.
const StoredControl& StoredControlNamed(std::string_view name);
const StoredControl& StoredControlOf(const QWidget* control);
// The control a row describes, once the window is built.
QWidget* ControlOf(const Ui::frmVemo& ui, const StoredControl& stored);

} // namespace vemo::ui
