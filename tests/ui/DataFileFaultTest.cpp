// Data files that are not plain finished files at start-up, and "Data" buttons pressed on a
// full disk: the window reports the error and no data file loses a byte.
#include "tests/support/NonRegularFiles.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"
#include "ui/ErrorReport.h"

#include <QPushButton>
#include <QTabBar>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

class NonRegularDataFileTest : public UiTest, public testing::WithParamInterface<SpecialCase> {};

TEST_P(NonRegularDataFileTest, StartupReportsItAndTheWindowOpens) {
    GetParam().make(Path("data.sdf").toStdString());
    WriteDataFile("data2.sdf", {"Autobahn;x;Von;Bis;A;B;C", "A1;;Wien;Linz;10;20;30"});
    Watchdog watchdog;
    auto frm = CreateWindow();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Nelze vytvořit soubor data.sdf");
    EXPECT_TRUE(frm.get()->isVisible());
    EXPECT_EQ(frm->cboDalnice->count(), 0);
    EXPECT_EQ(frm->cboAUDalnice->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NonRegularDataFileTest,
                         testing::Values(kFifo, kLinkToDevZero, kLinkToDevUrandom, kFolder),
                         testrows::ByName());

struct FullDiskCase {
    const char* name;
    bool austrian;
    int lines; // of the source; its data file is over 16 KiB from some 250 lines on
};

void PrintTo(const FullDiskCase& c, std::ostream* os) {
    *os << c.name;
}

class FullDiskDataButtonTest : public UiTest, public testing::WithParamInterface<FullDiskCase> {
protected:
    void TearDown() override {
        UiTest::TearDown();
        disk_.reset();
    }

    // Mounts the small disk as the working folder; false (with the test skipped) where it
    // cannot be mounted.
    bool MountDisk() {
        const fs::path where = Path("disk").toStdString();
        fs::create_directory(where);
        disk_ = std::make_unique<testsupport::SmallDisk>(where);
        if (!disk_->Problem().empty())
            return false;
        return QDir::setCurrent(Path("disk"));
    }

    std::unique_ptr<testsupport::SmallDisk> disk_;
};

// State: both data files and the source on a disk that is then filled. Action: the tab's "Data"
// button. Expected: "Stream write error" in the report, both data files byte for byte as before,
// no temporary file, and the window goes on.
TEST_P(FullDiskDataButtonTest, ReportsTheWriteErrorAndKeepsTheDataFile) {
    const FullDiskCase& param = GetParam();
    if (!MountDisk())
        GTEST_SKIP() << "no tmpfs here (" << disk_->Problem() << ")";
    WriteDataFile("disk/data.sdf", {"BAB;Nr;Typ;Od;km;Typ;Do;Delka", "1;0;AS;Alt;;AK;Alt2;1"});
    WriteDataFile("disk/data2.sdf", {"Autobahn;x;Von;Bis;A;B;C", "A1;;Alt;Alt2;1;2;3"});
    std::string source;
    for (int i = 0; i < param.lines; ++i)
        source += param.austrian ? "A1\t\tWien " + std::to_string(i) + "\tLinz\t10\t20\t30\r\n"
                                 : "1;0;AS;Start " + std::to_string(i) + ";;AK;Ende;12,5\r\n";
    const std::string sourceName = param.austrian ? "au_maut.csv" : "maut_55a.csv";
    WriteFile("disk/" + sourceName, source);
    const std::string german = ReadFile("disk/data.sdf");
    const std::string austrian = ReadFile("disk/data2.sdf");

    auto frm = CreateWindow({"QZX"});
    ASSERT_TRUE(reports.empty());
    testsupport::SmallDisk::Fill(Path("disk").toStdString(), 0);
    ASSERT_FALSE(HasFatalFailure());

    if (param.austrian) {
        QTabBar* tabs = frm->pgcMain->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        ASSERT_EQ(frm->pgcMain->currentIndex(), 1);
    }
    Click(param.austrian ? frm->btnAUCreateData : frm->btnCreateData);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(vemo::ui::ErrorReportText(reports[0]), "Stream write error.");
    EXPECT_EQ(ReadFile("disk/data.sdf"), german);
    EXPECT_EQ(ReadFile("disk/data2.sdf"), austrian);
    QStringList names = QDir(Path("disk")).entryList(QDir::Files | QDir::Hidden);
    QStringList expected{QString::fromStdString(sourceName), "data.sdf", "data2.sdf", "filler"};
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(frm.get()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Buttons, FullDiskDataButtonTest,
                         testing::Values(FullDiskCase{"GermanSmall", false, 20},
                                         FullDiskCase{"GermanLarge", false, 600},
                                         FullDiskCase{"AustrianSmall", true, 20},
                                         FullDiskCase{"AustrianLarge", true, 600}),
                         testrows::ByName());

} // namespace
