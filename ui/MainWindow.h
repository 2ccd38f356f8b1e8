#pragma once
// The calculator's one window. The state of both calculations lives in the controls and in the
// four lists; handlers read controls, call the data layer and write controls. Every handler is
// private and runs only from its control's event, through the error report.

#include "data/QuoteDocument.h"
#include "data/Tariff.h"
#include "data/TollData.h"
#include "ui/ErrorReport.h"
#include "ui/FileChooser.h"
#include "ui/MainWindowLayout.h"
#include "ui/PlatformLocale.h"
#include "ui/RouteClipboard.h"

#include <QDate>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QFocusFrame;
class QListWidget;
class QMenu;

class TfrmVemo : public QWidget {
    Q_OBJECT
public:
    struct Options {
        // Command-line arguments after the program name (the maintainer word).
        QStringList arguments;
        std::function<vemo::ui::UiLocale()> readLocale = vemo::ui::ReadPlatformLocale;
        vemo::ui::ErrorReporter reportError = vemo::ui::ShowErrorReport;
        // The day that decides which tariff is in force.
        std::function<QDate()> today = QDate::currentDate;
        // Where a route or a quote is saved to and a route opened from.
        vemo::ui::FileChooser chooseFile = vemo::ui::AskForFile;
    };

    // Builds the stored layout, then runs FormCreate while the window is still hidden.
    explicit TfrmVemo(Options options, QWidget* parent = nullptr);
    ~TfrmVemo() override;

    // The controls by their names in the stored layout.
    const Ui::frmVemo& Controls() const { return ui; }
    const vemo::TollLists* Lists() const { return lists_.get(); }
    const vemo::ui::UiLocale& Locale() const { return locale_; }
    // The German tariff in force; nothing when the tariff file could not be used.
    const std::optional<vemo::GermanTariff>& Tariff() const { return tariff_; }
    // The German toll as billed, section by section; nothing before the tab shows a toll.
    std::optional<vemo::Cents> GermanBilled() const { return germanBilled_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Window (MainWindow.cpp)
    void FormCreate();
    void FormClose();

    // "Německo" (GermanTab.cpp)
    void cboDalniceChange();
    void btnSelectClick();
    void btnUnselectClick();
    void lbxCisClick();
    void lbxTrasaClick();
    void cboKategorieChange();
    void cboHmotnostChange();
    void speNapravyChange();
    void curSazbaChange();
    void btnCreateDataClick();
    // The tariffs of the tariff file, or the built-in one without a file, and the one in force
    // today; a file that cannot be used leaves no category and is reported.
    void LoadTariff();
    // The categories and weight classes, the rate box's decimals and the tariff's name on the tab.
    void ShowTariff();
    // When the day has changed since the tariff in force was chosen, the tariff of the new day
    // takes its place, keeping the category and the weight class chosen by name.
    void FollowTariffOfTheDay();
    // Sets the rate of category in the chosen weight class for the axle count, and keeps what it
    // was taken for; nothing for an index outside the tariff.
    void PriceVehicle(int category);
    // The weight class chosen: the selector's, or the only one.
    int WeightClassIndex() const;
    // The category, weight class and axles the rate was taken for, as the quote, the clipboard
    // and a saved route name them.
    QString PricedCategory() const;
    QString PricedWeightClass() const;
    int PricedAxles() const;
    // The rate the rate box holds, exactly as the tariff writes it.
    vemo::Decimal GermanRate() const;

    // "Rakousko" (AustrianTab.cpp)
    void cboAUDalniceChange();
    void btnAUSelectClick();
    void btnAUUnselectClick();
    void lbxAUCisClick();
    void lbxAUTrasaClick();
    void cboAUKategorieChange();
    void btnAUCreateDataClick();

    void ConnectHandlers();
    // Reads the user's regional settings and hands the separators to the rate box.
    void ApplyLocale();
    // Runs a handler, or any command of the window, through the error report, after the tariff
    // has followed the day.
    void Guard(void (TfrmVemo::*handler)());
    void Run(const std::function<void()>& command);

    // Names and descriptions for assistive tools, captions tied to their controls
    // (MainWindowAccessibility.cpp).
    void DescribeControls();
    // The tariff's name in the descriptions and tooltips of the rate and the category, the
    // weight class in the rate's, and the axle counts that change the rate in the axles'.
    void DescribeTariff();
    // A frame marks the control with the focus; the tab bar has it first.
    void MarkFocus();
    void UnmarkFocus();
    QWidget* FocusedControl(QWidget* focus) const;

    // Ctrl+C and the context menus of the four lists (MainWindowClipboard.cpp).
    void ConnectCopyCommands();
    // The whole route with the totals of its tab.
    void CopyRoute(const QListWidget* route);
    // The totals of a route's tab as the tab shows them, each with its caption.
    std::vector<vemo::ui::ShownTotal> ShownTotals(const QListWidget* route) const;
    // The Austrian toll as billed: the listed route's amounts in the tab's category, each to
    // the cent.
    vemo::Cents AustrianBilled() const;

    // The quote and the saved routes: the route lists' context menus, Ctrl+P, Ctrl+S and Ctrl+O
    // (MainWindowQuote.cpp).
    void ConnectQuoteCommands();
    void AddQuoteCommands(QMenu& menu);
    void actNabidkaExecute();
    void actUlozitTrasuExecute();
    void actOtevritTrasuExecute();

    Ui::frmVemo ui;
    Options options_;
    vemo::ui::UiLocale locale_;
    std::unique_ptr<vemo::TollLists> lists_;
    // The tariffs the day chooses from: the file's, or the built-in one; empty when the file
    // cannot be used.
    std::vector<vemo::GermanTariff> tariffs_;
    // The day the tariff in force was chosen for; nothing before the start-up has read them.
    std::optional<vemo::CalendarDate> tariffDay_;
    // The stored layout's categories are the built-in tariff's, until the start-up reads the file.
    std::optional<vemo::GermanTariff> tariff_ = vemo::BuiltInTariff();
    // What the German rate was taken for; nothing while no category has set it.
    std::optional<vemo::GermanVehicle> priced_;
    // The German toll as billed, written with lblMaut.
    std::optional<vemo::Cents> germanBilled_;
    // The Austrian category whose amounts the tab's total and axle text show.
    int austrianCategory_ = -1;
    bool placed_ = false; // whether the first show has put the window on the screen
    QPointer<QFocusFrame> focusFrame_;
    QMetaObject::Connection focusWatch_;

    QAction* actNabidka_ = nullptr;
    QAction* actUlozitTrasu_ = nullptr;
    QAction* actOtevritTrasu_ = nullptr;
    // The route last opened from a file, as it was opened: its quote shows the saved totals
    // while both route lists still hold these entries.
    struct OpenedRoute {
        vemo::SavedQuote saved;
        QStringList german;
        QStringList austrian;
    };
    std::optional<OpenedRoute> openedRoute_;
    // The quote's rate and its source as typed last, for the next quote of this run.
    QString quoteRate_;
    QString quoteRateSource_;
};
