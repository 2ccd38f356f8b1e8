// The stored layout of both pages as one table: what the window is built from and what
// assistive tools are told about it.
#include "ui/MainWindowControls.h"

#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/SpinEdit.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QTabWidget>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vemo::ui {

namespace {

// How the controls follow a window larger than the stored one. The pages split their growth in
// width between the section list and the route list; what stands between them, or below where
// they meet (the split), moves by half. The lists take all the growth in height, so everything
// below them moves down.
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

constexpr char kHelpLines[] = "AD:\tdálniční trojúhelník\n"
                              "AK:\tdálniční křižovatka\n"
                              "AS:\tdálniční výjezd/přivaděč\n"
                              "AN:\tpřipojení\n"
                              "BS:\tmísto pomoci-AS\n"
                              "BG:\tspolková hranice\n"
                              "TR:\tčerpací stanice/odpočívadlo";

// Both pages name their like controls alike.
constexpr const char* kMotorway = "Dálnice";
constexpr const char* kMotorwayHelp = "Vyberte dálnici; její úseky se objeví v seznamu Úseky.";
constexpr const char* kSections = "Úseky";
constexpr const char* kSectionsHelp = "Úseky vybrané dálnice. Vybrané úseky přidá do trasy "
                                      "tlačítko Přidat do trasy; Ctrl+C je zkopíruje.";
constexpr const char* kRoute = "Opis trasy";
constexpr const char* kRouteHelp = "Úseky trasy v pořadí přidání. Ctrl+C zkopíruje celou trasu "
                                   "i se součty, nebo jen vybrané úseky.";
constexpr const char* kAdd = "Přidat do trasy";
constexpr const char* kAddHelp = "Přidá vybrané úseky na konec trasy.";
constexpr const char* kRemove = "Odebrat z trasy";
constexpr const char* kRemoveHelp = "Odebere z trasy vybrané úseky.";
constexpr const char* kTotalToll = "Celkem Vemo Maut";

using Kind = ControlKind;

// A row's name and the member of Ui::frmVemo it fills, written once.
#define VEMO_CONTROL(m) .name = #m, .member = &Ui::frmVemo::m

constexpr StoredControl kControls[] = {
    {VEMO_CONTROL(pgcMain), .kind = Kind::PageControl, .box = {QPoint(0, 0), kStoredClientSize},
     .anchors = kFill},
    {VEMO_CONTROL(tbsDE), .kind = Kind::Page, .page = Page::German, .caption = "Německo",
     .image = ":/images/flag_de.png"},
    {VEMO_CONTROL(tbsAU), .kind = Kind::Page, .page = Page::Austrian, .caption = "Rakousko",
     .image = ":/images/flag_at.png"},

    // "Německo"
    {VEMO_CONTROL(Label1), .kind = Kind::Label, .page = Page::German, .box = {10, 10, 44, 13},
     .anchors = kStay, .caption = "Dálnice:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Label2), .kind = Kind::Label, .page = Page::German, .box = {230, 12, 60, 13},
     .anchors = kBetweenLists, .caption = "Opis trasy:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Label5), .kind = Kind::Label, .page = Page::German, .box = {11, 42, 38, 13},
     .anchors = kStay, .caption = "Úseky:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Label7), .kind = Kind::Label, .page = Page::German, .box = {6, 269, 107, 13},
     .anchors = kBelowLeft, .caption = "Parametry vozidla:", .style = kFitsText},
    // The caption heads the box like a group title; the frame's top edge must not cross it.
    {VEMO_CONTROL(Bevel1), .kind = Kind::Frame, .page = Page::German, .box = {2, 271, 287, 80},
     .anchors = kVehicleFrame, .style = kRaised | kUnderPrevious},
    {VEMO_CONTROL(lblKategorie), .kind = Kind::Label, .page = Page::German, .box = {8, 310, 3, 13},
     .anchors = kBelowLeft, .style = kFitsText},
    {VEMO_CONTROL(Label8), .kind = Kind::Label, .page = Page::German, .box = {8, 332, 78, 13},
     .anchors = kBelowLeft, .caption = "Počet náprav:", .style = kFitsText},
    {VEMO_CONTROL(Label3), .kind = Kind::Label, .page = Page::German, .box = {298, 274, 66, 13},
     .anchors = kBelowSplit, .caption = "Celkem km:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(lblKm), .kind = Kind::Total, .page = Page::German, .box = {423, 274, 90, 13},
     .anchors = kBottomRight, .caption = "0 km", .style = kTransparent | kCaptionBeside,
     .accessibleName = "Celkem km", .label = "Label3"},
    {VEMO_CONTROL(lblMaut), .kind = Kind::Total, .page = Page::German, .box = {400, 326, 117, 13},
     .anchors = kRouteFrame, .style = kCyan, .accessibleName = kTotalToll, .label = "Label6"},
    {VEMO_CONTROL(Label4), .kind = Kind::Label, .page = Page::German, .box = {298, 295, 74, 13},
     .anchors = kBelowSplit, .caption = "Sazba za km:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Bevel2), .kind = Kind::Frame, .page = Page::German, .box = {292, 271, 235, 79},
     .anchors = kRouteFrame},
    {VEMO_CONTROL(lblUsek), .kind = Kind::Label, .page = Page::German, .box = {6, 250, 3, 13},
     .anchors = kBelowLeft, .style = kTransparent | kFitsText},
    // The cyan caption may reach into the cyan box it heads.
    {VEMO_CONTROL(Label6), .kind = Kind::Label, .page = Page::German, .box = {296, 326, 104, 13},
     .anchors = kBelowSplit, .caption = "Celkem Vemo Maut:", .style = kCyan | kFitsText},
    // Below the toll, in the last line of its frame: the toll as the operator bills it.
    {VEMO_CONTROL(lblMautVyuctovani), .kind = Kind::Label, .page = Page::German,
     .box = {296, 338, 221, 12}, .anchors = kRouteFrame, .style = kTransparent,
     .accessibleName = "Mýtné dle vyúčtování",
     .description = "Mýtné, jak je účtuje provozovatel: každý úsek zvlášť, zaokrouhlený na centy."},
    // Beside the category, where the frame has room: the weight class of the vehicle.
    {VEMO_CONTROL(Label15), .kind = Kind::Label, .page = Page::German, .box = {143, 290, 52, 13},
     .anchors = kBelowLeft, .caption = "Hmotnost:", .style = kFitsText},
    {VEMO_CONTROL(cboDalnice), .kind = Kind::Selector, .page = Page::German,
     .box = {62, 6, 157, 21}, .anchors = kStay, .style = kCaptionBeside, .visibleItems = 20,
     .accessibleName = kMotorway, .description = kMotorwayHelp, .label = "Label1"},
    {VEMO_CONTROL(lbxTrasa), .kind = Kind::List, .page = Page::German, .box = {297, 8, 220, 237},
     .anchors = kRouteList, .style = kCaptionBeside, .accessibleName = kRoute,
     .description = kRouteHelp, .label = "Label2"},
    {VEMO_CONTROL(btnSelect), .kind = Kind::Button, .page = Page::German, .box = {224, 59, 69, 25},
     .anchors = kBetweenLists, .caption = ">>", .accessibleName = kAdd, .description = kAddHelp},
    {VEMO_CONTROL(btnUnselect), .kind = Kind::Button, .page = Page::German,
     .box = {224, 90, 69, 25}, .anchors = kBetweenLists, .caption = "<<", .accessibleName = kRemove,
     .description = kRemoveHelp},
    {VEMO_CONTROL(btnCreateData), .kind = Kind::Button, .page = Page::German,
     .box = {221, 218, 75, 25}, .anchors = kBetweenLists, .caption = "Data", .style = kHidden,
     .accessibleName = "Data", .description = "Převede maut_55a.csv na data.sdf."},
    {VEMO_CONTROL(lbxCis), .kind = Kind::List, .page = Page::German, .box = {10, 58, 209, 185},
     .anchors = kSectionList, .accessibleName = kSections, .description = kSectionsHelp,
     .label = "Label5"},
    // The stored text stays in the box when a data file is missing, because the start-up load
    // then ends FormCreate before the category defaults empty it. The tariff in force completes
    // the description.
    {VEMO_CONTROL(cboKategorie), .kind = Kind::CategorySelector, .page = Page::German,
     .box = {8, 286, 129, 21}, .anchors = kBelowLeft, .caption = "cboKategorie", .visibleItems = 8,
     .accessibleName = "Kategorie",
     .description = "Emisní kategorie vozidla; spolu s počtem náprav určuje sazbu za km.",
     .label = "Label7"},
    // Where the tariff has a single weight class there is nothing to choose.
    {VEMO_CONTROL(cboHmotnost), .kind = Kind::Selector, .page = Page::German,
     .box = {199, 286, 84, 21}, .anchors = kBelowLeft, .style = kDisabled | kCaptionBeside,
     .visibleItems = 8, .accessibleName = "Hmotnost",
     .description = "Hmotnostní třída vozidla; spolu s kategorií a počtem náprav určuje sazbu "
                    "za km.",
     .label = "Label15"},
    // Written here for the stored layout and again by FormCreate, so that a start-up that stops
    // on a missing data file leaves the box as it was stored.
    {VEMO_CONTROL(memHelp), .kind = Kind::HelpBox, .page = Page::German, .box = {0, 354, 525, 99},
     .anchors = kHelpBox, .caption = kHelpLines, .accessibleName = "Vysvětlivky zkratek",
     .description = "Význam zkratek v názvech úseků."},
    // The tariff in force completes the description.
    {VEMO_CONTROL(curSazba), .kind = Kind::RateBox, .page = Page::German,
     .box = {388, 294, 129, 21}, .anchors = kBottomRight, .style = kCaptionBeside,
     .accessibleName = "Sazba za km",
     .description = "Sazba v eurech za kilometr podle kategorie a počtu náprav; jen pro čtení.",
     .label = "Label4"},
    // The range and the axle counts that change the rate complete the description.
    {VEMO_CONTROL(speNapravy), .kind = Kind::AxleBox, .page = Page::German,
     .box = {90, 324, 121, 21}, .anchors = kBelowLeft, .caption = "3", .style = kCaptionBeside,
     .accessibleName = "Počet náprav", .description = "Počet náprav vozidla", .label = "Label8"},

    // "Rakousko"
    {VEMO_CONTROL(Label9), .kind = Kind::Label, .page = Page::Austrian, .box = {10, 10, 44, 13},
     .anchors = kStay, .caption = "Dálnice:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Label10), .kind = Kind::Label, .page = Page::Austrian, .box = {230, 12, 60, 13},
     .anchors = kBetweenLists, .caption = "Opis trasy:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Label11), .kind = Kind::Label, .page = Page::Austrian, .box = {11, 42, 38, 13},
     .anchors = kStay, .caption = "Úseky:", .style = kTransparent | kFitsText},
    {VEMO_CONTROL(Label12), .kind = Kind::Label, .page = Page::Austrian, .box = {10, 371, 101, 13},
     .anchors = kBelowLeft, .caption = "Kategorie vozidla:", .style = kFitsText},
    {VEMO_CONTROL(Label13), .kind = Kind::Label, .page = Page::Austrian, .box = {298, 372, 104, 13},
     .anchors = kBelowSplit, .caption = "Celkem Vemo Maut:", .style = kCyan | kFitsText},
    // The caption may come out a few pixels wider than stored; the total's box must not hide it.
    {VEMO_CONTROL(lblAUMaut), .kind = Kind::Total, .page = Page::Austrian,
     .box = {402, 372, 115, 13}, .anchors = kRouteFrame, .style = kCyan | kUnderPrevious,
     .accessibleName = kTotalToll, .label = "Label13"},
    {VEMO_CONTROL(lblAUUsek), .kind = Kind::Label, .page = Page::Austrian, .box = {11, 346, 3, 13},
     .anchors = kBelowLeft, .style = kFitsText},
    {VEMO_CONTROL(lblAUKategorie), .kind = Kind::Label, .page = Page::Austrian,
     .box = {10, 416, 3, 13}, .anchors = kBelowLeft, .style = kFitsText},
    // The total follows the category, so the note says so.
    {VEMO_CONTROL(Label14), .kind = Kind::Label, .page = Page::Austrian, .box = {152, 394, 313, 13},
     .anchors = kBelowLeft, .caption = "Při změně kategorie se mýtné trasy přepočítá.",
     .style = kFitsText},
    {VEMO_CONTROL(cboAUDalnice), .kind = Kind::Selector, .page = Page::Austrian,
     .box = {62, 6, 157, 21}, .anchors = kStay, .style = kCaptionBeside, .visibleItems = 20,
     .accessibleName = kMotorway, .description = kMotorwayHelp, .label = "Label9"},
    {VEMO_CONTROL(lbxAUCis), .kind = Kind::List, .page = Page::Austrian, .box = {10, 58, 209, 277},
     .anchors = kSectionList, .accessibleName = kSections, .description = kSectionsHelp,
     .label = "Label11"},
    {VEMO_CONTROL(lbxAUTrasa), .kind = Kind::List, .page = Page::Austrian,
     .box = {297, 8, 220, 326}, .anchors = kRouteList, .style = kCaptionBeside,
     .accessibleName = kRoute, .description = kRouteHelp, .label = "Label10"},
    {VEMO_CONTROL(btnAUSelect), .kind = Kind::Button, .page = Page::Austrian,
     .box = {224, 59, 69, 25}, .anchors = kBetweenLists, .caption = ">>", .accessibleName = kAdd,
     .description = kAddHelp},
    {VEMO_CONTROL(btnAUUnselect), .kind = Kind::Button, .page = Page::Austrian,
     .box = {224, 90, 69, 25}, .anchors = kBetweenLists, .caption = "<<", .accessibleName = kRemove,
     .description = kRemoveHelp},
    {VEMO_CONTROL(btnAUCreateData), .kind = Kind::Button, .page = Page::Austrian,
     .box = {221, 218, 75, 25}, .anchors = kBetweenLists, .caption = "Data", .style = kHidden,
     .accessibleName = "Data", .description = "Převede au_maut.csv na data2.sdf."},
    {VEMO_CONTROL(cboAUKategorie), .kind = Kind::CategorySelector, .page = Page::Austrian,
     .box = {14, 390, 129, 21}, .anchors = kBelowLeft, .visibleItems = 8,
     .accessibleName = "Kategorie vozidla",
     .description = "Kategorie podle počtu náprav. Při změně kategorie se mýtné trasy "
                    "přepočítá.",
     .label = "Label12"},
};

#undef VEMO_CONTROL

} // namespace

std::span<const StoredControl> StoredControls() {
    return kControls;
}

const StoredControl& StoredControlNamed(std::string_view name) {
    const auto* row = std::find_if(std::begin(kControls), std::end(kControls),
                                   [name](const StoredControl& c) { return c.name == name; });
    if (row == std::end(kControls)) {
        throw std::logic_error("no stored control " + std::string(name));
    }
    return *row;
}

const StoredControl& StoredControlOf(const QWidget* control) {
    return StoredControlNamed(control->objectName().toStdString());
}

QWidget* ControlOf(const Ui::frmVemo& ui, const StoredControl& stored) {
    return std::visit([&ui](auto member) -> QWidget* { return ui.*member; }, stored.member);
}

QString HelpText() {
    return QString::fromUtf8(kHelpLines);
}

} // namespace vemo::ui
