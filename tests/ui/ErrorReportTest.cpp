// The error report's text and the guard that keeps exceptions out of Qt's event loop.
#include "ui/ErrorReport.h"
#include "data/store/Errors.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

namespace {

TEST(ErrorReportTextTest, FullStopOnlyAfterCharactersAboveTheFullStop) {
    struct Case {
        QString message;
        QString shown;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"Nelze vytvořit soubor data.sdf", "Nelze vytvořit soubor data.sdf."},
        {"Proč?", "Proč?."},
        {"Hotovo.", "Hotovo."},
        {"Pozor!", "Pozor!"},
        {"(závorka)", "(závorka)"},
        {"mezera ", "mezera "},
        {"čárka,", "čárka,"},
        {"pomlčka-", "pomlčka-"},
        {"chyba 42", "chyba 42."},
        {"dvojtečka:", "dvojtečka:."},
        {"lomítko/", "lomítko/."},
        {"ž", "ž."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vemo::ui::ErrorReportText(c.message), c.shown) << c.message.toStdString();
    }
}

struct Report {
    QWidget* parent;
    QString message;
};

std::vector<Report> Guarded(const std::function<void()>& handler) {
    std::vector<Report> reports;
    vemo::ui::RunGuarded(
        nullptr,
        [&](QWidget* parent, const QString& m) {
            reports.push_back({parent, m});
        },
        handler);
    return reports;
}

TEST(RunGuardedTest, ReportsWhatEscapesAndNothingElse) {
    // State: a handler that finishes. Expected: no report.
    bool ran = false;
    EXPECT_TRUE(Guarded([&] { ran = true; }).empty());
    EXPECT_TRUE(ran);

    struct Case {
        const char* what;
        std::function<void()> handler;
        QString message;
    };
    const std::vector<Case> cases = {
        // The data layer's messages are Windows-1250 bytes.
        {"file error", [] { throw vemo::FileError("data.sdf"); },
         QString::fromUtf8("Nelze vytvořit soubor data.sdf")},
        // A file name reads as the user typed it, not through the code page.
        {"file name as typed", [] { throw vemo::FileError("žluťoučký.sdf"); },
         QString::fromUtf8("Nelze vytvořit soubor žluťoučký.sdf")},
        {"Windows-1250 message", [] { throw vemo::Error("P\xF8\xEDli\x9A \x80"); },
         QString::fromUtf8("Příliš €")},
        {"standard exception", [] { throw std::runtime_error("Stream write error"); },
         QStringLiteral("Stream write error")},
        {"out of memory", [] { throw std::bad_alloc(); }, QStringLiteral("Out of memory")},
        {"anything else", [] { throw 42; }, QStringLiteral("Unexpected error")},
    };
    for (const Case& c : cases) {
        const auto reports = Guarded(c.handler);
        ASSERT_EQ(reports.size(), 1u) << c.what;
        EXPECT_EQ(reports[0].message, c.message) << c.what;
    }
}

TEST(RunGuardedTest, StepsBeforeTheErrorStayDone) {
    int steps = 0;
    const auto reports = Guarded([&] {
        ++steps;
        throw vemo::WriteError();
        ++steps;
    });
    EXPECT_EQ(steps, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, QStringLiteral("Stream write error"));
}

TEST(RunGuardedTest, AFailingReporterDoesNotEscapeEither) {
    EXPECT_NO_THROW(vemo::ui::RunGuarded(
        nullptr, [](QWidget*, const QString&) { throw std::runtime_error("report failed"); },
        [] { throw std::runtime_error("handler failed"); }));
}

} // namespace
