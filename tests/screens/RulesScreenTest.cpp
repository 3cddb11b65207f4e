// The rules page frame by frame: the text as read from "Data\Rules.txt", the
// scroll position as the first line drawn, and our own rules text readable to
// its last line within the fixed scroll range.
#include "PageRig.h"

#include "gui/TextArea.h"
#include "media/BitmapFont.h"
#include "media/Display.h"
#include "media/FontTable.h"
#include "media/TextLayout.h"
#include "screens/RulesScreen.h"

#include "../platform/TestBitmaps.h"

using namespace page_test;

namespace {

constexpr int kMenuHelp = 3;
// The down arrow of the scroll bar, page (515..540, 440..465).
constexpr int32_t kDownX = 527, kDownY = 452;

struct RulesRig : CPageRig {
    CRulesScreen* Open() { return CPageRig::Open<CRulesScreen>(kMenuHelp); }
    // The back buffer's rows top..top + 24 of the text column.
    std::vector<uint32_t> TextRow(int32_t top)
    {
        platform::CSurface& back = *framework.Display()->BackBuffer()->surface;
        std::vector<uint32_t> pixels;
        for (int32_t y = top; y < top + 24; ++y) {
            for (int32_t x = 15; x < 475; ++x) {
                pixels.push_back(back.GetPixel(x, y));
            }
        }
        return pixels;
    }
};

} // namespace

// Pairs joined before the cut; a missing file reads as no text.
TEST(RulesScreenTest, TheTextIsReadAsATextModeReadSeesIt)
{
    CPageRig rig;
    std::string pairs;
    for (int i = 0; i < 3000; ++i) {
        pairs += "\r\n";
    }
    // Name, file contents (none: no file), text read.
    const std::tuple<const char*, std::optional<std::string>, std::string> cases[] = {
        {"pairs", "one\r\ntwo\r\n\r\nthree", "one\ntwo\n\nthree"},
        {"lone CR", "a\rb\n", "a\rb\n"},
        {"zero", std::string("up to\0 here", 11), "up to"},
        {"long", std::string(5000, 'x'), std::string(4095, 'x')},
        {"many pairs", pairs, std::string(3000, '\n')},
        {"missing", std::nullopt, ""},
    };
    for (const auto& [name, contents, expected] : cases) {
        std::filesystem::remove(rig.harness.runFolder.File("Data/Rules.txt"));
        if (contents) {
            rig.Write("Data/Rules.txt", *contents);
        }
        EXPECT_EQ(CRulesScreen::ReadRulesText(), expected) << name;
    }
}

// On a plain background the second line drawn at position 0 is the first one
// at position 1; reopening starts at the top with the file read again.
TEST(RulesScreenTest, TheScrollPositionIsTheFirstLineDrawn)
{
    RulesRig rig;
    rig.Write("Graphics/Gui/Dialog Background.bmp",
        testing_support::MakeBmp(550, 475, std::vector<testing_support::Rgb>(550 * 475, {30, 60, 90})));
    rig.Write("Data/Rules.txt", std::string("First line\r\nSecond line\r\nThird line\r\n"));
    CRulesScreen* page = rig.Open();
    ASSERT_NE(page, nullptr);
    rig.Frames(1, 700, 10, false);
    const std::vector<uint32_t> second = rig.TextRow(125 + 15 + 24);
    const std::vector<uint32_t> third = rig.TextRow(125 + 15 + 48);
    EXPECT_NE(second, third);
    rig.Frames(1, kDownX, 125 + kDownY, true);
    rig.Frames(1, kDownX, 125 + kDownY, false);
    EXPECT_EQ(page->scrollBar->Position(), 1);
    EXPECT_EQ(rig.TextRow(125 + 15), second);
    EXPECT_EQ(rig.TextRow(125 + 15 + 24), third);

    // A display switch keeps the text and starts at the top.
    rig.framework.SetWindowedMode(800, 600);
    ASSERT_EQ(rig.OpenPage<CRulesScreen>(), page);
    EXPECT_EQ(page->scrollBar->Position(), 0);
    EXPECT_EQ(page->Text(), "First line\nSecond line\nThird line\n");

    rig.Write("Data/Rules.txt", std::string("New rules"));
    rig.ClickMenu(kMenuHelp);
    CRulesScreen* reopened = rig.OpenPage<CRulesScreen>();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->scrollBar->Position(), 0);
    EXPECT_EQ(reopened->Text(), "New rules");
}

// The game's own layout of the game's own text: scrolled to the end of the
// range, the text's last character is still placed on the page.
TEST(RulesScreenTest, OurRulesAreReadableToTheirLastLineWithinTheScrollRange)
{
    RulesRig rig;
    CRulesScreen* page = rig.Open();
    ASSERT_NE(page, nullptr);
    const std::string& text = page->Text();
    ASSERT_GT(text.size(), 100u);
    const media::SFontMetrics& metrics = rig.framework.Fonts()->Font(kFontTimesRoman16)->Metrics();
    const media::STextBox box{
        CRulesScreen::kTextLeft, CRulesScreen::kTextTop, CRulesScreen::kTextRight, CRulesScreen::kTextBottom};
    media::STextBox endless = box;
    endless.bottom = 1000000;
    const int32_t end = CRulesScreen::kLargestScrollPosition;
    const auto shown = media::LayOutText(text, metrics, box, media::kAlignLeft, end);
    ASSERT_FALSE(shown.empty()) << "so short that the end of the range shows nothing";
    EXPECT_EQ(shown.size(), media::LayOutText(text, metrics, endless, media::kAlignLeft, end).size())
        << "lines cut off below the text box";
    // The last line lies on the page, above the scroll bar's lower end.
    EXPECT_LE(shown.back().y + metrics.lineHeight, 465);
}
