// Data files that are not plain finished files at start-up: the window reports the error and
// opens.
#include "tests/support/NonRegularFiles.h"
#include "tests/support/Tables.h"
#include "tests/support/UiFixture.h"

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

} // namespace
