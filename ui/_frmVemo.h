#pragma once
// The calculator's one window. The state of both calculations lives in the controls and in the
// four lists; handlers read controls, call the data layer and write controls.

#include "CurrencyEdit.h"
#include "ErrorReport.h"
#include "ListBox.h"
#include "PlatformLocale.h"
#include "SpinEdit.h"
#include "TollData.h"

#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QFocusFrame;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

class TfrmVemo : public QWidget {
    Q_OBJECT
public:
    struct Options {
        // Command-line arguments after the program name (the maintainer word).
        QStringList arguments;
        std::function<vemo::ui::UiLocale()> readLocale = vemo::ui::ReadPlatformLocale;
        vemo::ui::ErrorReporter reportError = vemo::ui::ShowErrorReport;
    };

    // Builds the stored layout, then runs FormCreate while the window is still hidden.
    explicit TfrmVemo(Options options, QWidget* parent = nullptr);
    ~TfrmVemo() override;

    // Window
    void FormCreate();
    void FormClose();

    // "Německo"
    void cboDalniceChange();
    void btnSelectClick();
    void btnUnselectClick();
    void lbxCisClick();
    void lbxTrasaClick();
    void cboKategorieChange();
    void speNapravyChange();
    void curSazbaChange();
    void btnCreateDataClick();

    // "Rakousko"
    void cboAUDalniceChange();
    void btnAUSelectClick();
    void btnAUUnselectClick();
    void lbxAUCisClick();
    void lbxAUTrasaClick();
    void cboAUKategorieChange();
    void btnAUCreateDataClick();

    const vemo::TollLists* Lists() const { return lists_.get(); }
    const vemo::ui::UiLocale& Locale() const { return locale_; }

    // Controls, by their names in the stored layout (each is also its objectName).
    QTabWidget* pgcMain = nullptr;
    QWidget* tbsDE = nullptr;
    QWidget* tbsAU = nullptr;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel2 = nullptr;
    QLabel* lblKategorie = nullptr;
    QLabel* lblKm = nullptr;
    QLabel* lblMaut = nullptr;
    QLabel* lblUsek = nullptr;
    QComboBox* cboDalnice = nullptr;
    TListBox* lbxTrasa = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnUnselect = nullptr;
    QPushButton* btnCreateData = nullptr;
    TListBox* lbxCis = nullptr;
    QComboBox* cboKategorie = nullptr;
    QPlainTextEdit* memHelp = nullptr;
    TCurrencyEdit* curSazba = nullptr;
    TSpinEdit* speNapravy = nullptr;

    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* lblAUMaut = nullptr;
    QLabel* lblAUUsek = nullptr;
    QLabel* lblAUKategorie = nullptr;
    QComboBox* cboAUDalnice = nullptr;
    TListBox* lbxAUCis = nullptr;
    TListBox* lbxAUTrasa = nullptr;
    QPushButton* btnAUSelect = nullptr;
    QPushButton* btnAUUnselect = nullptr;
    QPushButton* btnAUCreateData = nullptr;
    QComboBox* cboAUKategorie = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildLayout();
    void ConnectHandlers();
    // Reads the user's regional settings and hands the separators to the rate box.
    void ApplyLocale();
    // Runs a handler through the error report.
    void Guard(void (TfrmVemo::*handler)());

    // Names and descriptions for assistive tools, captions tied to their controls.
    void DescribeControls();
    // A frame marks the control with the focus; the tab bar has it first.
    void MarkFocus();
    void UnmarkFocus();
    QWidget* FocusedControl(QWidget* focus) const;
    // Ctrl+C and the context menus of the four lists.
    void ConnectCopyCommands();
    // The whole route with the totals of its tab.
    void CopyRoute(const QListWidget* route);

    Options options_;
    vemo::ui::UiLocale locale_;
    std::unique_ptr<vemo::TollLists> lists_;
    QPointer<QFocusFrame> focusFrame_;
    QMetaObject::Connection focusWatch_;
};
