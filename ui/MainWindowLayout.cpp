#include "ui/MainWindowLayout.h"

#include "data/Tariff.h"
#include "ui/CaptionFont.h"
#include "ui/Cp1250Text.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
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

const char* const kHelpLines[] = {
    "AD:\tdálniční trojúhelník",
    "AK:\tdálniční křižovatka",
    "AS:\tdálniční výjezd/přivaděč",
    "AN:\tpřipojení",
    "BS:\tmísto pomoci-AS",
    "BG:\tspolková hranice",
    "TR:\tčerpací stanice/odpočívadlo",
};

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

// How far an edge of a control moves when the window grows beyond its stored size: not at all,
// by half of the growth or by all of it. The pages split their growth in width between the
// section list and the route list; what stands between them, or below where they meet (the split),
// moves by half. The lists take all the growth in height, so everything below them moves down.
enum class Follow : unsigned char { None, Half, All };

struct Anchors {
    Follow left, top, right, bottom;
};

constexpr Anchors kStay{Follow::None, Follow::None, Follow::None, Follow::None};
constexpr Anchors kFill{Follow::None, Follow::None, Follow::All, Follow::All};
constexpr Anchors kSectionList{Follow::None, Follow::None, Follow::Half, Follow::All};
constexpr Anchors kRouteList{Follow::Half, Follow::None, Follow::All, Follow::All};
constexpr Anchors kBetweenLists{Follow::Half, Follow::None, Follow::Half, Follow::None};
constexpr Anchors kBelowLeft{Follow::None, Follow::All, Follow::None, Follow::All};
constexpr Anchors kVehicleFrame{Follow::None, Follow::All, Follow::Half, Follow::All};
constexpr Anchors kBelowSplit{Follow::Half, Follow::All, Follow::Half, Follow::All};
constexpr Anchors kRouteFrame{Follow::Half, Follow::All, Follow::All, Follow::All};
constexpr Anchors kBottomRight{Follow::All, Follow::All, Follow::All, Follow::All};
constexpr Anchors kHelpBox{Follow::None, Follow::All, Follow::All, Follow::All};

// Every control by name with the way it follows the window. A control whose edges move alike
// keeps its size: the labels that size to their text keep theirs.
struct ControlAnchors {
    const char* name;
    Anchors anchors;
};

constexpr QSize kStoredClientSize(537, 511);

constexpr ControlAnchors kControlAnchors[] = {
    {"pgcMain", kFill},
    // "Německo"
    {"Label1", kStay},
    {"cboDalnice", kStay},
    {"Label5", kStay},
    {"lbxCis", kSectionList},
    {"lblUsek", kBelowLeft},
    {"Label2", kBetweenLists},
    {"btnSelect", kBetweenLists},
    {"btnUnselect", kBetweenLists},
    {"btnCreateData", kBetweenLists},
    {"lbxTrasa", kRouteList},
    {"Bevel1", kVehicleFrame},
    {"Label7", kBelowLeft},
    {"cboKategorie", kBelowLeft},
    {"Label15", kBelowLeft},
    {"cboHmotnost", kBelowLeft},
    {"lblKategorie", kBelowLeft},
    {"Label8", kBelowLeft},
    {"speNapravy", kBelowLeft},
    {"Bevel2", kRouteFrame},
    {"Label3", kBelowSplit},
    {"lblKm", kBottomRight},
    {"Label4", kBelowSplit},
    {"curSazba", kBottomRight},
    {"Label6", kBelowSplit},
    {"lblMaut", kRouteFrame},
    {"lblMautVyuctovani", kRouteFrame},
    {"memHelp", kHelpBox},
    // "Rakousko"
    {"Label9", kStay},
    {"cboAUDalnice", kStay},
    {"Label11", kStay},
    {"lbxAUCis", kSectionList},
    {"lblAUUsek", kBelowLeft},
    {"Label10", kBetweenLists},
    {"btnAUSelect", kBetweenLists},
    {"btnAUUnselect", kBetweenLists},
    {"btnAUCreateData", kBetweenLists},
    {"lbxAUTrasa", kRouteList},
    {"Label12", kBelowLeft},
    {"cboAUKategorie", kBelowLeft},
    {"Label14", kBelowLeft},
    {"lblAUKategorie", kBelowLeft},
    {"Label13", kBelowSplit},
    {"lblAUMaut", kRouteFrame},
};

int Share(Follow follow, int growth) {
    switch (follow) {
    case Follow::None:
        return 0;
    case Follow::Half:
        return growth / 2;
    case Follow::All:
        return growth;
    }
    return 0;
}

// Keeps every control where its anchors put it for the window's size: the stored boxes at the
// stored size, moved and grown with a larger window. The window has no layout of its own, so
// this is what follows its resizing.
class AnchoredPlaces : public QObject {
public:
    explicit AnchoredPlaces(QWidget* window) : QObject(window), window_(window) {
        for (const ControlAnchors& control : kControlAnchors) {
            auto* widget = window->findChild<QWidget*>(QString::fromLatin1(control.name));
            Q_ASSERT(widget);
            if (widget) {
                places_.push_back({widget, widget->geometry(), control.anchors});
            }
        }
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Resize) {
            Fit();
        }
        return false;
    }

private:
    struct Place {
        QPointer<QWidget> control;
        QRect stored;
        Anchors anchors;
    };

    void Fit() {
        // A window manager that ignores the minimum size gets the stored layout, cut.
        const QSize growth = window_->size().expandedTo(kStoredClientSize) - kStoredClientSize;
        for (const Place& place : places_) {
            if (!place.control) {
                continue;
            }
            const Anchors& anchors = place.anchors;
            const QRect& box = place.stored;
            const QPoint topLeft(box.x() + Share(anchors.left, growth.width()),
                                 box.y() + Share(anchors.top, growth.height()));
            if (anchors.left == anchors.right && anchors.top == anchors.bottom) {
                place.control->move(topLeft);
                continue;
            }
            const QPoint bottomRight(box.right() + Share(anchors.right, growth.width()),
                                     box.bottom() + Share(anchors.bottom, growth.height()));
            place.control->setGeometry(QRect(topLeft, bottomRight));
        }
    }

    QWidget* window_;
    std::vector<Place> places_;
};

enum class LabelStyle { Transparent, Opaque, Cyan };

// Label: a plain QLabel unless the caller made a special one (a running total).
QLabel* MakeLabel(QWidget* page, const char* name, QRect box, const QString& caption,
                  LabelStyle style, bool autoSize, QLabel* label = nullptr) {
    if (!label) {
        label = new QLabel(page);
    }
    label->setText(caption);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->setTextFormat(Qt::PlainText);
    if (style != LabelStyle::Transparent) {
        label->setAutoFillBackground(true);
    }
    if (style == LabelStyle::Cyan) {
        // A fixed background takes a fixed text colour, or a dark desktop theme writes white
        // on it.
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, kLightCyan);
        palette.setColor(QPalette::WindowText, kDarkText);
        label->setPalette(palette);
    }
    if (autoSize) {
        static_cast<StoredLayout*>(page->layout())->Track(label);
    } else {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return label;
}

QFrame* MakeBevel(QWidget* page, const char* name, QRect box, QFrame::Shadow shadow) {
    auto* frame = new QFrame(page);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(box);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(1);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QComboBox* MakeSelector(QWidget* page, const char* name, QRect box, bool editable,
                        int visibleItems) {
    auto* selector = new QComboBox(page);
    selector->setObjectName(QString::fromLatin1(name));
    selector->setGeometry(box);
    selector->setMaxVisibleItems(visibleItems);
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

QComboBox* MakeCategorySelector(QWidget* page, const char* name, QRect box,
                                const std::vector<std::string_view>& categories) {
    QComboBox* selector = MakeSelector(page, name, box, true, 8);
    for (const std::string_view category : categories) {
        selector->addItem(vemo::ui::ToQString(category));
    }
    selector->setCurrentIndex(-1);
    return selector;
}

TListBox* MakeList(QWidget* page, const char* name, QRect box) {
    auto* list = new TListBox(page);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(box);
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

QPushButton* MakeButton(QWidget* page, const char* name, QRect box, const QString& caption,
                        bool hidden = false) {
    auto* button = new QPushButton(caption, page);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(box);
    // Enter presses the focused button as well as Space.
    button->setAutoDefault(true);
    if (hidden) {
        button->hide();
    }
    return button;
}

QWidget* MakePage(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    page->setAutoFillBackground(true);
    new StoredLayout(page);
    return page;
}

void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

} // namespace

QString vemo::ui::HelpText() {
    QStringList lines;
    for (const char* line : kHelpLines) {
        lines.append(QString::fromUtf8(line));
    }
    return lines.join(u'\n');
}

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
    window->setMinimumSize(kStoredClientSize);
    window->resize(kStoredClientSize);
    window->move(269, 124);
    window->setFont(ProgramFont());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    window->setPalette(palette);

    pgcMain = new PageControl(window);
    pgcMain->setObjectName(QStringLiteral("pgcMain"));
    pgcMain->setGeometry(QRect(QPoint(0, 0), kStoredClientSize));
    tbsDE = MakePage("tbsDE");
    tbsAU = MakePage("tbsAU");
    pgcMain->addTab(tbsDE, QIcon(QStringLiteral(":/images/flag_de.png")),
                    QStringLiteral("Německo"));
    pgcMain->addTab(tbsAU, QIcon(QStringLiteral(":/images/flag_at.png")),
                    QStringLiteral("Rakousko"));

    using LS = LabelStyle;
    QWidget* de = tbsDE;
    Label1 = MakeLabel(de, "Label1", {10, 10, 44, 13}, QStringLiteral("Dálnice:"), LS::Transparent,
                       true);
    Label2 = MakeLabel(de, "Label2", {230, 12, 60, 13}, QStringLiteral("Opis trasy:"),
                       LS::Transparent, true);
    Label5 =
        MakeLabel(de, "Label5", {11, 42, 38, 13}, QStringLiteral("Úseky:"), LS::Transparent, true);
    Label7 = MakeLabel(de, "Label7", {6, 269, 107, 13}, QStringLiteral("Parametry vozidla:"),
                       LS::Opaque, true);
    Bevel1 = MakeBevel(de, "Bevel1", {2, 271, 287, 80}, QFrame::Raised);
    // The caption heads the box like a group title; the frame's top edge must not cross it.
    Bevel1->stackUnder(Label7);
    lblKategorie = MakeLabel(de, "lblKategorie", {8, 310, 3, 13}, {}, LS::Opaque, true);
    Label8 = MakeLabel(de, "Label8", {8, 332, 78, 13}, QStringLiteral("Počet náprav:"), LS::Opaque,
                       true);
    Label3 = MakeLabel(de, "Label3", {298, 274, 66, 13}, QStringLiteral("Celkem km:"),
                       LS::Transparent, true);
    lblKm = MakeLabel(de, "lblKm", {423, 274, 90, 13}, QStringLiteral("0 km"), LS::Transparent,
                      false, vemo::ui::NewTotalLabel(QStringLiteral("Celkem km"), de));
    lblMaut = MakeLabel(de, "lblMaut", {400, 326, 117, 13}, {}, LS::Cyan, false,
                        vemo::ui::NewTotalLabel(QStringLiteral("Celkem Vemo Maut"), de));
    Label4 = MakeLabel(de, "Label4", {298, 295, 74, 13}, QStringLiteral("Sazba za km:"),
                       LS::Transparent, true);
    Bevel2 = MakeBevel(de, "Bevel2", {292, 271, 235, 79}, QFrame::Sunken);
    lblUsek = MakeLabel(de, "lblUsek", {6, 250, 3, 13}, {}, LS::Transparent, true);
    Label6 = MakeLabel(de, "Label6", {296, 326, 104, 13}, QStringLiteral("Celkem Vemo Maut:"),
                       LS::Cyan, true);
    // Below the toll, in the last line of its frame: the toll as the operator bills it.
    lblMautVyuctovani =
        MakeLabel(de, "lblMautVyuctovani", {296, 338, 221, 12}, {}, LS::Transparent, false);
    // Beside the category, where the frame has room: the weight class of the vehicle.
    Label15 =
        MakeLabel(de, "Label15", {143, 290, 52, 13}, QStringLiteral("Hmotnost:"), LS::Opaque, true);

    cboDalnice = MakeSelector(de, "cboDalnice", {62, 6, 157, 21}, false, 20);
    lbxTrasa = MakeList(de, "lbxTrasa", {297, 8, 220, 237});
    btnSelect = MakeButton(de, "btnSelect", {224, 59, 69, 25}, QStringLiteral(">>"));
    btnUnselect = MakeButton(de, "btnUnselect", {224, 90, 69, 25}, QStringLiteral("<<"));
    btnCreateData =
        MakeButton(de, "btnCreateData", {221, 218, 75, 25}, QStringLiteral("Data"), true);
    lbxCis = MakeList(de, "lbxCis", {10, 58, 209, 185});
    std::vector<std::string_view> germanCategories;
    for (const vemo::TariffCategory& category : vemo::BuiltInTariff().categories) {
        germanCategories.push_back(category.name);
    }
    cboKategorie = MakeCategorySelector(de, "cboKategorie", {8, 286, 129, 21}, germanCategories);
    // The stored text stays in the box when a data file is missing, because the start-up load
    // then ends FormCreate before the category defaults empty it.
    cboKategorie->setEditText(QStringLiteral("cboKategorie"));
    cboHmotnost = MakeSelector(de, "cboHmotnost", {199, 286, 84, 21}, false, 8);
    // Where the tariff has a single weight class there is nothing to choose.
    cboHmotnost->setEnabled(false);

    memHelp = new QPlainTextEdit(de);
    memHelp->setObjectName(QStringLiteral("memHelp"));
    memHelp->setGeometry(0, 354, 525, 99);
    memHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Tab moves the focus on, as in every other control of the page.
    memHelp->setTabChangesFocus(true);
    {
        QPalette helpPalette = memHelp->palette();
        helpPalette.setColor(QPalette::Base, kPaleYellow);
        helpPalette.setColor(QPalette::Text, kDarkText);
        memHelp->setPalette(helpPalette);
    }
    // Written here for the stored layout and again by FormCreate, so that a start-up that stops
    // on a missing data file leaves the box as it was stored.
    memHelp->setPlainText(vemo::ui::HelpText());

    curSazba = new TCurrencyEdit(de);
    curSazba->setObjectName(QStringLiteral("curSazba"));
    curSazba->setGeometry(388, 294, 129, 21);
    curSazba->setFixedSize(129, 21);

    speNapravy = new TSpinEdit(de);
    speNapravy->setObjectName(QStringLiteral("speNapravy"));
    speNapravy->setGeometry(90, 324, 121, 21);
    speNapravy->SetRange(vemo::kFewestAxles, vemo::kMostAxles);
    speNapravy->SetValue(3);

    QWidget* au = tbsAU;
    Label9 = MakeLabel(au, "Label9", {10, 10, 44, 13}, QStringLiteral("Dálnice:"), LS::Transparent,
                       true);
    Label10 = MakeLabel(au, "Label10", {230, 12, 60, 13}, QStringLiteral("Opis trasy:"),
                        LS::Transparent, true);
    Label11 =
        MakeLabel(au, "Label11", {11, 42, 38, 13}, QStringLiteral("Úseky:"), LS::Transparent, true);
    Label12 = MakeLabel(au, "Label12", {10, 371, 101, 13}, QStringLiteral("Kategorie vozidla:"),
                        LS::Opaque, true);
    Label13 = MakeLabel(au, "Label13", {298, 372, 104, 13}, QStringLiteral("Celkem Vemo Maut:"),
                        LS::Cyan, true);
    lblAUMaut = MakeLabel(au, "lblAUMaut", {402, 372, 115, 13}, {}, LS::Cyan, false,
                          vemo::ui::NewTotalLabel(QStringLiteral("Celkem Vemo Maut"), au));
    // The caption may come out a few pixels wider than stored; the total's box must not hide it.
    lblAUMaut->stackUnder(Label13);
    lblAUUsek = MakeLabel(au, "lblAUUsek", {11, 346, 3, 13}, {}, LS::Opaque, true);
    lblAUKategorie = MakeLabel(au, "lblAUKategorie", {10, 416, 3, 13}, {}, LS::Opaque, true);
    // The total follows the category, so the note says so.
    Label14 = MakeLabel(au, "Label14", {152, 394, 313, 13},
                        QStringLiteral("Při změně kategorie se mýtné trasy přepočítá."), LS::Opaque,
                        true);

    cboAUDalnice = MakeSelector(au, "cboAUDalnice", {62, 6, 157, 21}, false, 20);
    lbxAUCis = MakeList(au, "lbxAUCis", {10, 58, 209, 277});
    lbxAUTrasa = MakeList(au, "lbxAUTrasa", {297, 8, 220, 326});
    btnAUSelect = MakeButton(au, "btnAUSelect", {224, 59, 69, 25}, QStringLiteral(">>"));
    btnAUUnselect = MakeButton(au, "btnAUUnselect", {224, 90, 69, 25}, QStringLiteral("<<"));
    btnAUCreateData =
        MakeButton(au, "btnAUCreateData", {221, 218, 75, 25}, QStringLiteral("Data"), true);
    std::vector<std::string_view> austrianCategories;
    for (int category = 0; category < vemo::kAustrianCategoryCount; ++category) {
        austrianCategories.push_back(*vemo::AustrianCategoryName(category));
    }
    cboAUKategorie =
        MakeCategorySelector(au, "cboAUKategorie", {14, 390, 129, 21}, austrianCategories);

    ChainTabOrder({pgcMain->tabBar(), cboDalnice, lbxTrasa, btnSelect, btnUnselect, btnCreateData,
                   lbxCis, cboKategorie, cboHmotnost, memHelp, curSazba, speNapravy, cboAUDalnice,
                   lbxAUCis, lbxAUTrasa, btnAUSelect, btnAUUnselect, btnAUCreateData,
                   cboAUKategorie});

    pgcMain->setCurrentWidget(tbsDE);

    // Where a wider face stands in for Tahoma, the font is narrowed so that no caption runs into
    // the control beside it. Only the cyan total caption may reach into the cyan box it heads.
    {
        auto room = [](QLabel* caption, QWidget* beside) {
            return vemo::ui::CaptionRoom{caption->text(), beside->x() - caption->x() - kCaptionGap};
        };
        window->setFont(vemo::ui::FitCaptionFont(
            window->font(),
            {room(Label1, cboDalnice), room(Label2, lbxTrasa), room(Label8, speNapravy),
             room(Label15, cboHmotnost), room(Label4, curSazba), room(Label3, lblKm),
             room(Label9, cboAUDalnice), room(Label10, lbxAUTrasa)}));
        // The edit control's tab stops: every 32 dialog units of the box's font.
        const QFontMetrics metrics(memHelp->font());
        const QString letters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const int baseUnit = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        memHelp->setTabStopDistance(8 * baseUnit);
    }

    new AnchoredPlaces(window);
}

void Ui::frmVemo::releaseLayouts() {
    for (QWidget* page : {tbsDE, tbsAU}) {
        if (auto* layout = dynamic_cast<StoredLayout*>(page->layout())) {
            layout->Release();
        }
    }
}
