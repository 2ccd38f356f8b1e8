#pragma once
// The stored layout of the calculator's window: every control by its name in the layout (each
// is also its objectName), built from the control table (ui/MainWindowControls.h) with its
// stored place, caption, colours and start state, and moved and grown with the window beyond
// its stored size by its anchors, as desktop forms do. The window holds one of these, as Qt's
// generated UI code does.

#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class TCurrencyEdit;
class TListBox;
class TSpinEdit;

namespace Ui {

struct frmVemo {
    // Builds every control on window, which becomes the window "frmVemo"; no handler is
    // connected yet.
    void setupUi(QWidget* window);
    // The layouts let go of their labels; called before the controls are deleted.
    void releaseLayouts();

    QTabWidget* pgcMain = nullptr;
    QWidget* tbsDE = nullptr; // "Německo"
    QWidget* tbsAU = nullptr; // "Rakousko"

    // "Německo"
    QLabel* Label1 = nullptr;  // "Dálnice:"
    QLabel* Label2 = nullptr;  // "Opis trasy:"
    QLabel* Label3 = nullptr;  // "Celkem km:"
    QLabel* Label4 = nullptr;  // "Sazba za km:"
    QLabel* Label5 = nullptr;  // "Úseky:"
    QLabel* Label6 = nullptr;  // "Celkem Vemo Maut:"
    QLabel* Label7 = nullptr;  // "Parametry vozidla:"
    QLabel* Label8 = nullptr;  // "Počet náprav:"
    QLabel* Label15 = nullptr; // "Hmotnost:"
    QFrame* Bevel1 = nullptr;  // the vehicle's parameters
    QFrame* Bevel2 = nullptr;  // the totals
    QLabel* lblKategorie = nullptr;
    QLabel* lblKm = nullptr;
    QLabel* lblMaut = nullptr;
    QLabel* lblMautVyuctovani = nullptr; // the toll as billed, section by section
    QLabel* lblUsek = nullptr;
    QComboBox* cboDalnice = nullptr;
    TListBox* lbxTrasa = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnUnselect = nullptr;
    QPushButton* btnCreateData = nullptr;
    TListBox* lbxCis = nullptr;
    QComboBox* cboKategorie = nullptr;
    QComboBox* cboHmotnost = nullptr; // the weight class, where the tariff has several
    QPlainTextEdit* memHelp = nullptr;
    TCurrencyEdit* curSazba = nullptr;
    TSpinEdit* speNapravy = nullptr;

    // "Rakousko"
    QLabel* Label9 = nullptr;  // "Dálnice:"
    QLabel* Label10 = nullptr; // "Opis trasy:"
    QLabel* Label11 = nullptr; // "Úseky:"
    QLabel* Label12 = nullptr; // "Kategorie vozidla:"
    QLabel* Label13 = nullptr; // "Celkem Vemo Maut:"
    QLabel* Label14 = nullptr; // "Při změně kategorie se mýtné trasy přepočítá."
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
};

} // namespace Ui

namespace vemo::ui {

// The seven lines of the help box, as stored with the layout (in the control table).
QString HelpText();

} // namespace vemo::ui
