// Narrowing the window's font until every caption fits its room, with a made-up text width so
// that each case knows exactly which form must come out.
#include "ui/CaptionFont.h"
#include "tests/support/QtEnvironment.h"
#include "tests/support/Tables.h"

#include <QFontInfo>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// Ten pixels a character at 11 px and 100 %, scaling with pixel size and stretch. An engine that
// cannot narrow a face ignores the stretch.
vemo::ui::TextWidth MadeUpWidth(bool stretchWorks) {
    return [stretchWorks](const QFont& font, const QString& text) {
        const int stretch = stretchWorks && font.stretch() > 0 ? font.stretch() : 100;
        return static_cast<int>(text.size()) * 10 * font.pixelSize() * stretch / (11 * 100);
    };
}

QFont ElevenPixelsBold() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

struct Case {
    const char* name;
    std::vector<vemo::ui::CaptionRoom> rooms;
    bool stretchWorks;
    int pixelSize;
    int stretch; // 0: left as it was
};

// Test listings name the case instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class CaptionFontTest : public testing::TestWithParam<Case> {};

TEST_P(CaptionFontTest, PicksTheFirstFormThatFits) {
    const Case& c = GetParam();
    const QFont fitted =
        vemo::ui::FitCaptionFont(ElevenPixelsBold(), c.rooms, MadeUpWidth(c.stretchWorks));
    EXPECT_EQ(fitted.pixelSize(), c.pixelSize);
    EXPECT_EQ(fitted.stretch(), c.stretch);
    EXPECT_TRUE(fitted.bold());
    EXPECT_EQ(fitted.family(), QStringLiteral("Tahoma"));
}

const QString kTen = QStringLiteral("0123456789"); // 100 px at 11 px and 100 %

INSTANTIATE_TEST_SUITE_P(
    Rooms, CaptionFontTest,
    testing::Values(
        Case{"NoCaptions", {}, true, 11, 0},
        Case{"EveryCaptionFitsAsItIs", {{kTen, 100}, {QStringLiteral("ab"), 20}}, true, 11, 0},
        Case{"OneCaptionOnePixelShort", {{kTen, 99}, {QStringLiteral("ab"), 90}}, true, 11, 99},
        Case{"TheNarrowestRoomDecides", {{kTen, 95}, {kTen, 86}}, true, 11, 86},
        Case{"StretchAloneCannotReach", {{kTen, 79}}, true, 10, 87},
        Case{"EngineIgnoresStretch", {{kTen, 90}}, false, 10, 100},
        Case{"NothingFitsGivesTheNarrowest", {{kTen, 10}}, true, 9, 80}),
    testrows::ByName());

// A font given in points has no pixel size; it is narrowed, never turned into pixel sizes.
TEST(CaptionFontPoints, AFontInPointsKeepsItsSize) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    const vemo::ui::TextWidth width = [](const QFont& f, const QString& text) {
        const int stretch = f.stretch() > 0 ? f.stretch() : 100;
        return static_cast<int>(text.size()) * stretch / 10;
    };
    const QFont fitted = vemo::ui::FitCaptionFont(font, {{kTen, 90}}, width);
    EXPECT_EQ(fitted.pointSize(), 8);
    EXPECT_EQ(fitted.pixelSize(), -1);
    EXPECT_EQ(fitted.stretch(), 90);
}

// With the fonts of this machine: a narrowed form really is narrower.
TEST(CaptionFontMetrics, TheNarrowedFontMeasuresNarrower) {
    const QString caption = QString::fromUtf8("Počet náprav:");
    const QFont font = ElevenPixelsBold();
    const int full = vemo::ui::FontTextWidth(font, caption);
    const QFont fitted = vemo::ui::FitCaptionFont(font, {{caption, full - 6}});
    EXPECT_LE(vemo::ui::FontTextWidth(fitted, caption), full - 6)
        << QFontInfo(fitted).family().toStdString();
}

} // namespace
