#pragma once
// The quote dialog "Nabídka": the quote of both tabs as a page, the rate in koruny per euro and
// the customer typed beside it, and the commands that save it as PDF and copy it as text. It
// shows what the window held when it opened and changes nothing in the window.

#include "text/TextRoutines.h"
#include "ui/ErrorReport.h"
#include "ui/FileChooser.h"
#include "ui/QuoteText.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

class TfrmNabidka : public QDialog {
    Q_OBJECT
public:
    struct Inputs {
        vemo::ui::QuoteSheet sheet; // the window's part: everything but customer and rate
        vemo::LocaleSettings numbers;
        QString rate; // the rate and its source as typed last in this run
        QString rateSource;
        vemo::ui::ErrorReporter reportError;
        vemo::ui::FileChooser chooseFile;
    };

    explicit TfrmNabidka(Inputs inputs, QWidget* parent = nullptr);

    QString RateText() const;
    QString RateSourceText() const;

    QLineEdit* edtZakaznik;
    QLineEdit* edtKurz;
    QLineEdit* edtZdrojKurzu;
    QLabel* lblKurz; // what is wrong with the rate, while something is
    QTextBrowser* memNabidka;
    QPushButton* btnPdf;
    QPushButton* btnKopirovat;
    QPushButton* btnZavrit;

private:
    // The page again after every change of the customer or the rate.
    void Refresh();
    void btnPdfClick();
    void btnKopirovatClick();
    // The sheet with what the dialog's boxes hold; throws when withRate and the rate is bad.
    vemo::ui::QuoteSheet Sheet(bool withRate) const;
    void Guard(void (TfrmNabidka::*handler)());

    Inputs inputs_;
};
