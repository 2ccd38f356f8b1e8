#include "ui/MainWindowLayout.h"

#include "data/rules/Tariff.h"
#include "ui/CaptionFont.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindowControls.h"
#include "ui/SpinEdit.h"
#include "ui/TotalLabel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>

#include <type_traits>
#include <vector>

static void InitResources() {
    Q_INIT_RESOURCE(vemo);
}

namespace {

const QColor kPaleYellow(0xFF, 0xFF, 0xC1);
const QColor kLightCyan(0x80, 0xFF, 0xFF);
// The text on those backgrounds, whatever the desktop's theme.
const QColor kDarkText(Qt::black);
constexpr int kItemHeight = 13;
constexpr int kLabelHeight = 13;
// Pixels a caption keeps clear of the control beside it.
constexpr int kCaptionGap = 4;

// Tahoma 8 pt bold at 96 dpi is 11 pixels high. Windows has Tahoma; elsewhere Wine's
// metric-compatible Tahoma stands in where it is installed, else any sans font will do.
QFont ProgramFont() {
#ifndef Q_OS_WIN
    static const bool registered = [] {
        for (const char* file :
             {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            if (QFile::exists(QString::fromLatin1(file))) {
                QFontDatabase::addApplicationFont(QString::fromLatin1(file));
            }
        }
        return true;
    }();
    (void)registered;
#endif
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

class FixedTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int) const override { return {200, 30}; }
    QSize minimumTabSizeHint(int) const override { return {200, 30}; }
};

class PageControl : public QTabWidget {
public:
    explicit PageControl(QWidget* parent) : QTabWidget(parent) {
        setTabBar(new FixedTabBar(this));
        setIconSize({16, 16});
    }
};

class FixedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(kItemHeight);
        return size;
    }
};

// A page keeps every control at its stored position. It still carries a layout, because
// QLabel::setText reports the new text to the parent's layout at once (updateGeometry); that
// is the moment the labels which size to their text take their new size, so a handler sets
// their captions with plain setText and reads the new width right away.
class StoredLayout : public QLayout {
public:
    explicit StoredLayout(QWidget* page) : QLayout(page) { setContentsMargins(0, 0, 0, 0); }

    void Track(QLabel* label) {
        labels_.push_back(label);
        Fit(label);
    }
    void Release() { labels_.clear(); }

    void invalidate() override {
        QLayout::invalidate();
        for (const QPointer<QLabel>& label : labels_) {
            if (label) {
                Fit(label);
            }
        }
    }

    void addItem(QLayoutItem* item) override { delete item; }
    QLayoutItem* itemAt(int) const override { return nullptr; }
    QLayoutItem* takeAt(int) override { return nullptr; }
    int count() const override { return 0; }
    QSize sizeHint() const override { return {}; }

private:
    // An empty caption keeps the stored 3 × 13 box, as the layout was drawn with it.
    static void Fit(QLabel* label) {
        if (label->text().isEmpty()) {
            label->resize(3, kLabelHeight);
            return;
        }
        const QSize hint = label->sizeHint();
        label->resize(hint.width(), std::max(hint.height(), kLabelHeight));
    }

    std::vector<QPointer<QLabel>> labels_;
};

using vemo::ui::ControlKind;
using vemo::ui::StoredControl;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString NameOf(const StoredControl& stored) {
    return QString::fromLatin1(stored.name.data(), static_cast<qsizetype>(stored.name.size()));
}

// Label: a plain QLabel unless the caller made a special one (a running total).
QLabel* MakeLabel(QWidget* page, const StoredControl& stored, QLabel* label) {
    label->setText(Text(stored.caption));
    label->setObjectName(NameOf(stored));
    label->setGeometry(stored.box);
    label->setTextFormat(Qt::PlainText);
    if (!(stored.style & vemo::ui::kTransparent)) {
        label->setAutoFillBackground(true);
    }
    if (stored.style & vemo::ui::kCyan) {
        // A fixed background takes a fixed text colour, or a dark desktop theme writes white
        // on it.
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, kLightCyan);
        palette.setColor(QPalette::WindowText, kDarkText);
        label->setPalette(palette);
    }
    if (stored.style & vemo::ui::kFitsText) {
        static_cast<StoredLayout*>(page->layout())->Track(label);
    } else {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return label;
}

QFrame* MakeBevel(QWidget* page, const StoredControl& stored) {
    auto* frame = new QFrame(page);
    frame->setObjectName(NameOf(stored));
    frame->setGeometry(stored.box);
    frame->setFrameStyle(QFrame::Panel |
                         (stored.style & vemo::ui::kRaised ? QFrame::Raised : QFrame::Sunken));
    frame->setLineWidth(1);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QComboBox* MakeSelector(QWidget* page, const StoredControl& stored, bool editable) {
    auto* selector = new QComboBox(page);
    selector->setObjectName(NameOf(stored));
    selector->setGeometry(stored.box);
    selector->setMaxVisibleItems(stored.visibleItems);
    selector->setItemDelegate(new FixedRowDelegate(selector));
    if (editable) {
        selector->setEditable(true);
        selector->setInsertPolicy(QComboBox::NoInsert);
        // The typed text stays as typed; the handlers see every change of it.
        selector->setCompleter(nullptr);
    } else {
        // A list popup that honours the number of visible entries in every style.
        selector->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    }
    // Qt's popup hides its scroll bar; one that shows only part of the entries must say so.
    selector->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return selector;
}

// The vehicle categories of the page: the built-in tariff's on "Německo", the Austrian ones on
// "Rakousko".
QComboBox* MakeCategorySelector(QWidget* page, const StoredControl& stored) {
    QComboBox* selector = MakeSelector(page, stored, true);
    if (stored.page == vemo::ui::Page::German) {
        for (const vemo::TariffCategory& category : vemo::BuiltInTariff().categories) {
            selector->addItem(vemo::ui::ToQString(category.name));
        }
    } else {
        for (int category = 0; category < vemo::kAustrianCategoryCount; ++category) {
            selector->addItem(vemo::ui::ToQString(*vemo::AustrianCategoryName(category)));
        }
    }
    selector->setCurrentIndex(-1);
    if (stored.caption) {
        selector->setEditText(Text(stored.caption));
    }
    return selector;
}

TListBox* MakeList(QWidget* page, const StoredControl& stored) {
    auto* list = new TListBox(page);
    list->setObjectName(NameOf(stored));
    list->setGeometry(stored.box);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    // Long entries are cut at the edge, whole entries show in the caption below on a click and
    // in a larger window.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    list->setItemDelegate(new FixedRowDelegate(list));
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, kPaleYellow);
    palette.setColor(QPalette::Text, kDarkText);
    list->setPalette(palette);
    return list;
}

QPushButton* MakeButton(QWidget* page, const StoredControl& stored) {
    auto* button = new QPushButton(Text(stored.caption), page);
    button->setObjectName(NameOf(stored));
    button->setGeometry(stored.box);
    // Enter presses the focused button as well as Space.
    button->setAutoDefault(true);
    return button;
}

QPlainTextEdit* MakeHelpBox(QWidget* page, const StoredControl& stored) {
    auto* help = new QPlainTextEdit(page);
    help->setObjectName(NameOf(stored));
    help->setGeometry(stored.box);
    help->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    help->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves the focus on, as in every other control of the page.
    help->setTabChangesFocus(true);
    QPalette palette = help->palette();
    palette.setColor(QPalette::Base, kPaleYellow);
    palette.setColor(QPalette::Text, kDarkText);
    help->setPalette(palette);
    help->setPlainText(Text(stored.caption));
    return help;
}

TCurrencyEdit* MakeRateBox(QWidget* page, const StoredControl& stored) {
    auto* rate = new TCurrencyEdit(page);
    rate->setObjectName(NameOf(stored));
    rate->setGeometry(stored.box);
    rate->setFixedSize(stored.box.size());
    return rate;
}

TSpinEdit* MakeAxleBox(QWidget* page, const StoredControl& stored) {
    auto* axles = new TSpinEdit(page);
    axles->setObjectName(NameOf(stored));
    axles->setGeometry(stored.box);
    axles->SetRange(vemo::kFewestAxles, vemo::kMostAxles);
    axles->SetValue(Text(stored.caption).toInt());
    return axles;
}

QWidget* MakePage(Ui::frmVemo& ui, const StoredControl& stored) {
    auto* page = new QWidget;
    page->setObjectName(NameOf(stored));
    page->setAutoFillBackground(true);
    new StoredLayout(page);
    ui.pgcMain->addTab(page, QIcon(Text(stored.image)), Text(stored.caption));
    return page;
}

// The control of a row, built on its page (the page control on the window) with its stored
// box, caption and settings.
QWidget* Make(Ui::frmVemo& ui, QWidget* window, const StoredControl& stored) {
    QWidget* page = stored.page == vemo::ui::Page::German ? ui.tbsDE : ui.tbsAU;
    switch (stored.kind) {
    case ControlKind::PageControl: {
        auto* pages = new PageControl(window);
        pages->setObjectName(NameOf(stored));
        pages->setGeometry(stored.box);
        return pages;
    }
    case ControlKind::Page:
        return MakePage(ui, stored);
    case ControlKind::Label:
        return MakeLabel(page, stored, new QLabel(page));
    case ControlKind::Total:
        return MakeLabel(page, stored, vemo::ui::NewTotalLabel(Text(stored.accessibleName), page));
    case ControlKind::Frame:
        return MakeBevel(page, stored);
    case ControlKind::Selector:
        return MakeSelector(page, stored, false);
    case ControlKind::CategorySelector:
        return MakeCategorySelector(page, stored);
    case ControlKind::List:
        return MakeList(page, stored);
    case ControlKind::Button:
        return MakeButton(page, stored);
    case ControlKind::HelpBox:
        return MakeHelpBox(page, stored);
    case ControlKind::RateBox:
        return MakeRateBox(page, stored);
    case ControlKind::AxleBox:
        return MakeAxleBox(page, stored);
    }
    return nullptr;
}

// Labels, frames and pages take no focus; the page control takes it on its tab bar.
bool TakesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::Page:
    case ControlKind::Label:
    case ControlKind::Total:
    case ControlKind::Frame:
        return false;
    default:
        return true;
    }
}

// Puts the control into the member of frmVemo that the row names.
void Bind(Ui::frmVemo& ui, const StoredControl& stored, QWidget* control) {
    std::visit(
        [&ui, control](auto member) {
            using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(ui.*member)>>;
            ui.*member = qobject_cast<Widget*>(control);
            Q_ASSERT(ui.*member);
        },
        stored.member);
}

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

// The room each caption has before the control it stands beside, as stored.
std::vector<vemo::ui::CaptionRoom> CaptionRooms() {
    std::vector<vemo::ui::CaptionRoom> rooms;
    for (const StoredControl& stored : vemo::ui::StoredControls()) {
        if (stored.style & vemo::ui::kCaptionBeside) {
            const StoredControl& caption = vemo::ui::StoredControlNamed(stored.label);
            rooms.push_back(
                {Text(caption.caption), stored.box.x() - caption.box.x() - kCaptionGap});
        }
    }
    return rooms;
}

} // namespace

void Ui::frmVemo::setupUi(QWidget* window) {
    InitResources();
    window->setObjectName(QStringLiteral("frmVemo"));
    window->setWindowTitle(QStringLiteral("Vemo Maut - výpočet mýtného"));
    window->setWindowIcon(QIcon(QStringLiteral(":/images/vemo.png")));
    // The program's own top-level window, so that task bars and Alt+Tab list it. It opens at the
    // stored size, which is also its smallest; a larger one gives long entries room.
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    window->setMinimumSize(vemo::ui::kStoredClientSize);
    window->resize(vemo::ui::kStoredClientSize);
    window->move(269, 124);
    window->setFont(ProgramFont());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    window->setPalette(palette);

    std::vector<vemo::ui::AnchoredControl> anchored;
    std::vector<QWidget*> tabOrder;
    QWidget* previous = nullptr;
    for (const StoredControl& stored : vemo::ui::StoredControls()) {
        QWidget* control = Make(*this, window, stored);
        Bind(*this, stored, control);
        if (stored.style & vemo::ui::kHidden) {
            control->hide();
        }
        if (stored.style & vemo::ui::kDisabled) {
            control->setEnabled(false);
        }
        if (stored.style & vemo::ui::kUnderPrevious) {
            control->stackUnder(previous);
        }
        previous = control;
        if (stored.kind != ControlKind::Page) {
            anchored.push_back({control, stored.anchors});
        }
        if (TakesFocus(stored.kind)) {
            tabOrder.push_back(control == pgcMain ? pgcMain->tabBar() : control);
        }
    }
    ChainTabOrder(tabOrder);

    pgcMain->setCurrentWidget(tbsDE);

    // Where a wider face stands in for Tahoma, the font is narrowed so that no caption runs into
    // the control beside it.
    window->setFont(vemo::ui::FitCaptionFont(window->font(), CaptionRooms()));
    {
        // The edit control's tab stops: every 32 dialog units of the box's font.
        const QFontMetrics metrics(memHelp->font());
        const QString letters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const int baseUnit = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        memHelp->setTabStopDistance(8 * baseUnit);
    }

    vemo::ui::KeepAnchored(window, vemo::ui::kStoredClientSize, anchored);
}

void Ui::frmVemo::releaseLayouts() {
    for (QWidget* page : {tbsDE, tbsAU}) {
        if (auto* layout = dynamic_cast<StoredLayout*>(page->layout())) {
            layout->Release();
        }
    }
}
