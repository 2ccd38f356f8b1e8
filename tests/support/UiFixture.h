#pragma once
// The window under test: one QApplication for the whole run, a fresh temporary working
// directory per test, and input through real mouse and key events.

#include "ui/CurrencyEdit.h"
#include "ui/ListBox.h"
#include "ui/MainWindow.h"
#include "ui/SpinEdit.h"

#include "tests/support/QtEnvironment.h"
#include "tests/support/TestFiles.h"
#include "text/BaseXCodec.h"
#include "text/Cp1250.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The window a test opened: its controls by name through -> and *, as the handlers see them,
// the window itself through get().
class OpenWindow {
public:
    OpenWindow() = default;
    explicit OpenWindow(std::unique_ptr<TfrmVemo> window) : window_(std::move(window)) {}

    TfrmVemo* get() const { return window_.get(); }
    const Ui::frmVemo* operator->() const { return &window_->Controls(); }
    const Ui::frmVemo& operator*() const { return window_->Controls(); }
    explicit operator bool() const { return window_ != nullptr; }
    void reset() { window_.reset(); }

private:
    std::unique_ptr<TfrmVemo> window_;
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { cwd_.emplace(dir_.Path()); }
    void TearDown() override {
        // Windows go before the folder they may still write into.
        QApplication::closeAllWindows();
        cwd_.reset();
    }

    QString Path(const std::string& name) const {
        // The name is UTF-8; a std::filesystem path would read it in the ANSI code page on Windows.
        return QDir(QString::fromStdU16String(dir_.Path().u16string()))
            .filePath(QString::fromStdString(name));
    }

    void WriteFile(const std::string& name, const std::string& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
                  static_cast<qint64>(bytes.size()));
    }
    // The file name (UTF-8) in the test's folder.
    std::string ReadFile(const std::string& name) const {
        return testfiles::ReadFile(dir_.Path() / testfiles::PathOf(name));
    }

    // Each line Base64-encoded and ended with CR LF, as the maintainer conversion writes it.
    void WriteDataFile(const std::string& name, const std::vector<std::string>& decodedLines) {
        std::string content;
        for (const std::string& line : decodedLines) {
            content += vemo::Base64Encode(line) + "\r\n";
        }
        WriteFile(name, content);
    }

    // The tariff file written from source lines in UTF-8.
    void WriteTariffFile(const std::vector<std::string>& lines) {
        std::vector<std::string> cp1250;
        for (const std::string& line : lines)
            cp1250.push_back(vemo::Utf8ToCp1250(line));
        WriteDataFile("sazby.sdf", cp1250);
    }

    TfrmVemo::Options RecordingOptions(QStringList args, QLocale locale) {
        TfrmVemo::Options options;
        options.arguments = std::move(args);
        options.readLocale = [locale] { return vemo::ui::UiLocaleFor(locale); };
        options.reportError = [this](QWidget*, const QString& message) {
            reports.push_back(message);
        };
        // Read at every call, so that a test can let the day change under a running window.
        options.today = [this] { return today.isValid() ? today : QDate::currentDate(); };
        // The file dialog answers with the next of chosenFiles, or cancels.
        options.chooseFile = [this](QWidget*, const vemo::ui::FileRequest& request) {
            fileRequests.push_back(request);
            return chosenFiles.empty() ? QString() : chosenFiles.takeFirst();
        };
        return options;
    }

    // Builds the window (FormCreate included), shows it and waits until it can take input.
    OpenWindow CreateWindow(QStringList args = {},
                            QLocale locale = QLocale(QLocale::Czech, QLocale::CzechRepublic)) {
        return ShowWindow(std::make_unique<TfrmVemo>(RecordingOptions(std::move(args), locale)));
    }

    OpenWindow ShowWindow(std::unique_ptr<TfrmVemo> window) {
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // Keys go to the active window, so one that never activates would fail later tests
        // for the wrong reason.
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), 1000))
            << "the window did not become active";
        return OpenWindow(std::move(window));
    }

    void Click(QWidget* widget, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, modifiers, widget->rect().center());
    }

    void ClickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect rect = list->visualItemRect(list->item(row));
        ASSERT_FALSE(rect.isEmpty()) << "row " << row << " not on screen";
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    // A click on the first row, Ctrl+clicks on the others: exactly these rows end up selected.
    void SelectRows(QListWidget* list, std::initializer_list<int> rows) {
        bool first = true;
        for (const int row : rows) {
            ClickRow(list, row, first ? Qt::NoModifier : Qt::ControlModifier);
            first = false;
        }
    }

    // Opens the selector's list with the keyboard, walks to the entry and takes it with Enter,
    // as a user does; the selector then reports one pick.
    void PickSelectorEntry(QComboBox* selector, int index) {
        ASSERT_GE(index, 0);
        ASSERT_LT(index, selector->count());
        selector->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(selector, Qt::Key_F4);
        QAbstractItemView* view = selector->view();
        ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, 2000))
            << "the list of " << selector->objectName().toStdString() << " did not open";
        QTest::keyClick(view, Qt::Key_Home);
        for (int i = 0; i < index; ++i) {
            QTest::keyClick(view, Qt::Key_Down);
        }
        QTest::keyClick(view, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, 2000))
            << "the list of " << selector->objectName().toStdString() << " did not close";
    }

    // The event the application sends when the pointer rests on the entry.
    static void RestPointerOn(QListWidget* list, int row) {
        const QPoint pos = list->visualItemRect(list->item(row)).center();
        QHelpEvent help(QEvent::ToolTip, pos, list->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(list->viewport(), &help);
    }
    // The tooltip's text as the user reads it; empty when none shows.
    static QString ShownTip() {
        if (!QToolTip::isVisible()) {
            return {};
        }
        QTextDocument document;
        document.setHtml(QToolTip::text());
        return document.toPlainText();
    }

    // Key events that carry their text, so that characters beyond Latin-1 arrive as typed.
    void TypeText(QWidget* widget, const QString& text) {
        if (QWidget* proxy = widget->focusProxy()) {
            widget = proxy;
        }
        widget->setFocus(Qt::OtherFocusReason);
        for (const QChar c : text) {
            const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

    std::vector<QString> reports;
    QStringList chosenFiles;
    std::vector<vemo::ui::FileRequest> fileRequests;
    // The day the window takes as today, read whenever it asks; the system's date while it is
    // not set.
    QDate today;

private:
    // A folder named as a Czech user's are, so that every file the window reads or writes
    // goes through a name beyond ASCII.
    testfiles::ScratchDir dir_{"Mýtné 2027"};
    std::optional<testfiles::WorkingDir> cwd_;
};
