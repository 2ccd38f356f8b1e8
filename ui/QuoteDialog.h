#pragma once
// The quote dialog "Nabídka": the quote of both tabs as the customer's page, the rate in koruny
// per euro and the customer typed beside it, and the commands that save it as PDF and copy it as
// text; for an opened route, its saved totals beside today's, copied on their own. It shows what
// the window held when it opened and changes nothing in the window.

#include "data/documents/QuoteDocument.h"
#include "ui/ErrorReport.h"
#include "ui/FileChooser.h"
#include "ui/QuoteText.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace Ui {

// The dialog's controls by name.
struct frmNabidka {
    QLineEdit* edtZakaznik = nullptr;
    QLineEdit* edtKurz = nullptr;
    QLineEdit* edtZdrojKurzu = nullptr;
    QLabel* lblKurz = nullptr; // what is wrong with the rate, while something is
    QTextBrowser* memNabidka = nullptr;
    QTextBrowser* memPorovnani = nullptr; // only with a saved route
    QPushButton* btnPdf = nullptr;
    QPushButton* btnKopirovat = nullptr;
    QPushButton* btnKopirovatPorovnani = nullptr; // only with a saved route
    QPushButton* btnZavrit = nullptr;
};

} // namespace Ui

class TfrmNabidka : public QDialog {
    Q_OBJECT
public:
    struct Inputs {
        vemo::GermanQuoteInput german;
        vemo::AustrianQuoteInput austrian;
        std::optional<vemo::SavedQuote> saved;
        vemo::ui::QuoteHead head; // everything but the customer and the rate's source
        vemo::ui::QuoteNumbers numbers;
        QString rate; // the rate and its source as typed last in this run
        QString rateSource;
        vemo::ui::ErrorReporter reportError;
        vemo::ui::FileChooser chooseFile;
    };

    explicit TfrmNabidka(Inputs inputs, QWidget* parent = nullptr);

    const Ui::frmNabidka& Controls() const { return ui; }
    QString RateText() const;
    QString RateSourceText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The quote again after every change of the customer or the rate.
    void Refresh();
    void btnPdfClick();
    void btnKopirovatClick();
    void btnKopirovatPorovnaniClick();
    // The page's head with what the dialog's boxes hold; throws when the rate is bad.
    vemo::ui::QuoteHead Head() const;
    void RequireRate() const;
    void Guard(void (TfrmNabidka::*handler)());

    Ui::frmNabidka ui;
    Inputs inputs_;
    // The quote as the boxes make it, computed once for the page, the PDF and the copies.
    vemo::QuoteDocument quote_;
};
