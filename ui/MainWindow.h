#pragma once
// The calculator's one window. Each tab's state is kept by its controller (GermanTab,
// AustrianTab); the window's handlers are thin and forward to them. Every handler is private
// and runs only from its control's event, through the error report.

#include "data/documents/QuoteDocument.h"
#include "data/rules/TollData.h"
#include "ui/AustrianTab.h"
#include "ui/ErrorReport.h"
#include "ui/FileChooser.h"
#include "ui/GermanTab.h"
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Window (MainWindow.cpp)
    void FormCreate();
    void FormClose();

    // "Německo", forwarded to german_
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

    // "Rakousko", forwarded to austrian_
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
    // The whole route with the totals of its tab as the tab shows them.
    void CopyRoute(const QListWidget* route);

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
    // The tabs' controllers, made with the controls.
    std::unique_ptr<vemo::ui::GermanTab> german_;
    std::unique_ptr<vemo::ui::AustrianTab> austrian_;
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
