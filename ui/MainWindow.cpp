#include "ui/MainWindow.h"

#include "data/rules/LocaleCollation.h"
#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/SpinEdit.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QWindow>

namespace {

// A list box reports every change of the selection the user makes and also every click on an
// entry that leaves the selection as it was (clicking the one selected entry again); Qt's
// selection signal alone would miss the latter.
class ListClickWatcher : public QObject {
public:
    ListClickWatcher(QListWidget* list, std::function<void()> fire)
        : QObject(list), fire_(std::move(fire)) {
        list->viewport()->installEventFilter(this);
        connect(list, &QListWidget::itemSelectionChanged, this, [this] {
            ++changes_;
            fire_();
        });
        connect(list, &QAbstractItemView::clicked, this, [this] {
            if (changes_ == changesAtPress_) {
                fire_();
            }
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            changesAtPress_ = changes_;
        }
        return false;
    }

private:
    std::function<void()> fire_;
    unsigned changes_ = 0;
    unsigned changesAtPress_ = 0;
};

} // namespace

TfrmVemo::TfrmVemo(Options options, QWidget* parent)
    : QWidget(parent), options_(std::move(options)) {
    ui.setupUi(this);
    german_ = std::make_unique<vemo::ui::GermanTab>(
        ui, locale_, [this] { return options_.today(); }, [this] { DescribeTariff(); });
    austrian_ = std::make_unique<vemo::ui::AustrianTab>(ui, locale_);
    DescribeControls();
    MarkFocus();
    ConnectHandlers();
    ConnectCopyCommands();
    ConnectQuoteCommands();
    ApplyLocale();
    Guard(&TfrmVemo::FormCreate);
}

TfrmVemo::~TfrmVemo() {
    UnmarkFocus();
    // The layouts let go of their labels before Qt deletes the children: each deleted label
    // makes its page's layout fit the tracked labels again, some of which are already half gone.
    ui.releaseLayouts();
}

void TfrmVemo::ConnectHandlers() {
    // Every handler reaches the user's action through the error report.
    auto on = [this](auto* sender, auto signal, void (TfrmVemo::*handler)()) {
        connect(sender, signal, this, [this, handler] { Guard(handler); });
    };
    auto onClick = [this](TListBox* list, void (TfrmVemo::*handler)()) {
        new ListClickWatcher(list, [this, handler] { Guard(handler); });
    };

    // What both tabs share: the motorway, the lists and the route buttons. Delete in a route
    // list removes the selected entries as "<<" does; a double-click adds a section as ">>" does
    // and removes a route entry as "<<" does, its first click having made the entry the
    // selection.
    struct RouteHandlers {
        vemo::ui::RouteTabControls tab;
        void (TfrmVemo::*motorwayChange)();
        void (TfrmVemo::*selectClick)();
        void (TfrmVemo::*unselectClick)();
        void (TfrmVemo::*sectionsClick)();
        void (TfrmVemo::*routeClick)();
    };
    const RouteHandlers tabs[] = {
        {vemo::ui::GermanRouteControls(ui), &TfrmVemo::cboDalniceChange, &TfrmVemo::btnSelectClick,
         &TfrmVemo::btnUnselectClick, &TfrmVemo::lbxCisClick, &TfrmVemo::lbxTrasaClick},
        {vemo::ui::AustrianRouteControls(ui), &TfrmVemo::cboAUDalniceChange,
         &TfrmVemo::btnAUSelectClick, &TfrmVemo::btnAUUnselectClick, &TfrmVemo::lbxAUCisClick,
         &TfrmVemo::lbxAUTrasaClick},
    };
    for (const RouteHandlers& h : tabs) {
        on(h.tab.motorway, &QComboBox::activated, h.motorwayChange);
        onClick(h.tab.sections, h.sectionsClick);
        onClick(h.tab.route, h.routeClick);
        on(h.tab.add, &QPushButton::clicked, h.selectClick);
        on(h.tab.remove, &QPushButton::clicked, h.unselectClick);
        on(h.tab.route, &TListBox::DeleteRequested, h.unselectClick);
        on(h.tab.route, &TListBox::EntryDoubleClicked, h.unselectClick);
        on(h.tab.sections, &TListBox::EntryDoubleClicked, h.selectClick);
    }

    on(ui.btnCreateData, &QPushButton::clicked, &TfrmVemo::btnCreateDataClick);
    on(ui.cboKategorie, &QComboBox::activated, &TfrmVemo::cboKategorieChange);
    on(ui.cboKategorie->lineEdit(), &QLineEdit::textEdited, &TfrmVemo::cboKategorieChange);
    on(ui.cboHmotnost, &QComboBox::activated, &TfrmVemo::cboHmotnostChange);
    on(ui.curSazba, &TCurrencyEdit::Changed, &TfrmVemo::curSazbaChange);
    on(ui.speNapravy, &TSpinEdit::Changed, &TfrmVemo::speNapravyChange);

    on(ui.btnAUCreateData, &QPushButton::clicked, &TfrmVemo::btnAUCreateDataClick);
    on(ui.cboAUKategorie, &QComboBox::activated, &TfrmVemo::cboAUKategorieChange);
    on(ui.cboAUKategorie->lineEdit(), &QLineEdit::textEdited, &TfrmVemo::cboAUKategorieChange);
}

// The handlers of both tabs: each forwards to its tab.

void TfrmVemo::cboDalniceChange() {
    german_->ChooseMotorway(lists_->germanTable);
}

void TfrmVemo::btnSelectClick() {
    german_->AddSelected();
}

void TfrmVemo::btnUnselectClick() {
    german_->RemoveSelected();
}

void TfrmVemo::lbxCisClick() {
    german_->ShowFocusedSection();
}

void TfrmVemo::lbxTrasaClick() {
    german_->ShowFocusedRouteEntry();
}

void TfrmVemo::cboKategorieChange() {
    german_->ChooseCategory();
}

void TfrmVemo::cboHmotnostChange() {
    german_->ChooseWeightClass();
}

void TfrmVemo::speNapravyChange() {
    german_->ChooseAxles();
}

void TfrmVemo::curSazbaChange() {
    german_->ShowToll();
}

void TfrmVemo::btnCreateDataClick() {
    if (lists_)
        german_->ConvertData(lists_->germanTable);
}

void TfrmVemo::cboAUDalniceChange() {
    austrian_->ChooseMotorway(lists_->austrianTable);
}

void TfrmVemo::btnAUSelectClick() {
    austrian_->AddSelected();
}

void TfrmVemo::btnAUUnselectClick() {
    austrian_->RemoveSelected();
}

void TfrmVemo::lbxAUCisClick() {
    austrian_->ShowFocusedSection();
}

void TfrmVemo::lbxAUTrasaClick() {
    austrian_->ShowFocusedRouteEntry();
}

void TfrmVemo::cboAUKategorieChange() {
    austrian_->ChooseCategory();
}

void TfrmVemo::btnAUCreateDataClick() {
    if (lists_)
        austrian_->ConvertData(lists_->austrianTable);
}

void TfrmVemo::Guard(void (TfrmVemo::*handler)()) {
    Run([this, handler] { (this->*handler)(); });
}

void TfrmVemo::Run(const std::function<void()>& command) {
    vemo::ui::RunGuarded(this, options_.reportError, [this, &command] {
        // Before any figure is computed: a quote made after midnight carries the new day's
        // tariff with its date.
        german_->FollowTheDay();
        command();
    });
}

void TfrmVemo::ApplyLocale() {
    locale_ = options_.readLocale ? options_.readLocale() : vemo::ui::ReadPlatformLocale();
    ui.curSazba->SetSeparators(locale_.decimalSeparator, locale_.groupSeparator);
}

void TfrmVemo::FormCreate() {
    if (options_.arguments.size() == 1 && options_.arguments.front() == QLatin1String("QZX")) {
        ui.btnCreateData->setVisible(true);
        ui.btnAUCreateData->setVisible(true);
    }

    lists_ = std::make_unique<vemo::TollLists>(vemo::LocaleCollation(locale_.locale));
    vemo::StartupSink sink;
    sink.fillGerman = [this](const vemo::SortedUniqueList& index) {
        vemo::ui::SelectorFill(ui.cboDalnice, index.Items());
    };
    sink.fillAustrian = [this](const vemo::SortedUniqueList& index) {
        vemo::ui::SelectorFill(ui.cboAUDalnice, index.Items());
    };
    vemo::StartupLoad(*lists_, sink);
    // A tariff file that cannot be used is reported here, and the start-up goes on without
    // German categories.
    vemo::ui::RunGuarded(this, options_.reportError, [this] { german_->LoadTariff(); });

    ui.memHelp->setPlainText(vemo::ui::HelpText());
    ui.memHelp->setReadOnly(true);
    // Read-only still lets the user select and copy, with the mouse and the keyboard.
    ui.memHelp->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    german_->ClearCategory();
    austrian_->StartCategory();
}

void TfrmVemo::FormClose() {
    if (!lists_) {
        return;
    }
    // Freed in the order they were made.
    lists_->germanTable.Clear();
    lists_->germanIndex.Clear();
    lists_->austrianTable.Clear();
    lists_->austrianIndex.Clear();
    lists_.reset();
}

void TfrmVemo::closeEvent(QCloseEvent* event) {
    Guard(&TfrmVemo::FormClose);
    event->accept();
    // The program ends with its window, whatever other top-level window may still be open.
    QCoreApplication::quit();
}

void TfrmVemo::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LocaleChange && ui.curSazba) {
        ApplyLocale();
    }
}

void TfrmVemo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) {
        return;
    }
    placed_ = true;
    // The window system tells the frame only once the window is on the screen; until then a
    // caption bar and thin borders stand in for it.
    QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        frame = QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
                         border);
    }
    vemo::ui::KeepOnScreen(this, frame);
}
