// The options page frame by frame: its widgets filled from "Data\Options.dat",
// the settings acting every frame, the selectors' entries and previews, and
// the file stored byte for byte when the page closes and around a display
// mode switch.
#include "PageRig.h"

#include "gui/CheckBox.h"
#include "gui/PictureSelector.h"
#include "gui/Slider.h"
#include "media/Display.h"
#include "media/SoundSystem.h"
#include "platform/AudioMixer.h"
#include "screens/OptionsScreen.h"

#include "../platform/TestBitmaps.h"

using namespace page_test;
using testing_support::Rgb;

namespace {

constexpr int kMenuOptions = 2, kMenuHelp = 3;
const std::vector<std::string> kBackdrops = {"Emerald Felt.bmp", "Midnight Sky.bmp", "Slate Stone.bmp"};
const std::vector<std::string> kTileSets = {"Ivory", "Red Lacquer"};
constexpr Rgb kTopLeft{200, 40, 40}, kBottomRight{40, 40, 200};

struct OptionsRig : CPageRig {
    explicit OptionsRig(const Bytes& options, bool withPictures = true)
    {
        Write("Data/Options.dat", options);
        if (!withPictures) {
            return;
        }
        // Backdrops of two colours, top-left and bottom-right halves.
        std::vector<Rgb> pixels;
        for (int32_t i = 0; i < 800 * 600; ++i) {
            pixels.push_back(i % 800 * 600 + i / 800 * 800 < 800 * 600 ? kTopLeft : kBottomRight);
        }
        for (const std::string& name : kBackdrops) {
            Write("Graphics/Backdrops/" + name, testing_support::MakeBmp(800, 600, pixels));
        }
        harness.runFolder.MakeFolder("Graphics/Backdrops/Old");
        // A backdrop's picture for a larger display scale is no backdrop.
        Write("Graphics/Backdrops/Emerald Felt@2x.png", std::string("drawn for scale 2"));
        for (const std::string& name : kTileSets) {
            Write("Graphics/Tile Sets/" + name + "/Bamboo 1.bmp",
                testing_support::MakeBmp(64, 64, std::vector<Rgb>(64 * 64, kTopLeft)));
        }
        Write("Graphics/Tile Sets/notes.txt", std::string("not a tile set"));
    }
    COptionsScreen* Open() { return CPageRig::Open<COptionsScreen>(kMenuOptions); }
};

std::vector<std::string> NamesOf(const CPictureSelector& selector)
{
    std::vector<std::string> names;
    for (const SPictureEntry& entry : selector.Entries()) {
        names.push_back(entry.name);
    }
    return names;
}

} // namespace

TEST(OptionsScreenTest, OpeningAndClosingStoresWhatWasReadInTheWidgetsTerms)
{
    OptionsRig rig(EncodeOptions({0, 0, 5, 1, "Slate Stone.bmp", "Red Lacquer"}));
    COptionsScreen* page = rig.Open();
    ASSERT_NE(page, nullptr);
    // Pushed in front in the listing's order; folders, and files among the
    // tile sets, are no entries.
    EXPECT_EQ(NamesOf(*page->backdropSelector),
        (std::vector<std::string>{"Slate Stone.bmp", "Midnight Sky.bmp", "Emerald Felt.bmp"}));
    EXPECT_EQ(NamesOf(*page->tileSetSelector), (std::vector<std::string>{"Red Lacquer", "Ivory"}));
    EXPECT_EQ(page->backdropSelector->GetCurrentName(), "Slate Stone.bmp");
    EXPECT_EQ(page->tileSetSelector->GetCurrentName(), "Red Lacquer");
    EXPECT_TRUE(page->musicBox->checked && page->fullScreenBox->checked);
    EXPECT_EQ(musicFlag, 1);
    // Music off, then Options again: the new page shows what the old one
    // stored on its way out.
    rig.ClickOnPage(116, 266);
    rig.ClickMenu(kMenuOptions);
    EXPECT_FALSE(rig.OpenPage<COptionsScreen>()->musicBox->checked);
    rig.ClickMenu(kMenuHelp);
    EXPECT_EQ(rig.Read("Data\\Options.dat"), EncodeOptions({1, 1, 0, 1, "Slate Stone.bmp", "Red Lacquer"}));
}

// A stored name that is gone leaves each selector at the entry added last.
TEST(OptionsScreenTest, NamesThatAreGoneGiveTheLastAddedAndEmptyFoldersKeepTheStoredNames)
{
    {
        OptionsRig rig(EncodeOptions({20, 100, 0, 1, "Gone.bmp", "Gone"}));
        COptionsScreen* page = rig.Open();
        EXPECT_EQ(page->backdropSelector->GetCurrentName(), "Slate Stone.bmp");
        EXPECT_EQ(page->backdropSelector->Entries().size(), std::size(kBackdrops));
        EXPECT_EQ(page->tileSetSelector->GetCurrentName(), "Red Lacquer");
        rig.ClickMenu(kMenuHelp);
        EXPECT_EQ(rig.Read("Data\\Options.dat"), EncodeOptions({20, 100, 0, 1, "Slate Stone.bmp", "Red Lacquer"}));
    }
    OptionsRig rig(EncodeOptions({20, 100, 0, 1, "Gone.bmp", "Gone"}), false);
    COptionsScreen* page = rig.Open();
    EXPECT_EQ(page->backdropSelector->GetCurrentName(), std::nullopt);
    rig.ClickMenu(kMenuHelp);
    EXPECT_EQ(rig.Read("Data\\Options.dat"), EncodeOptions({20, 100, 0, 1, "Gone.bmp", "Gone"}));
}

// The backdrop's (0, 0)-(799, 599) scaled into (0, 0)-(99, 99) of the
// preview; the tile's (0, 0)-(44, 60) into (10, 0)-(50, 60).
TEST(OptionsScreenTest, PreviewsAreScaledIntoTheirPictures)
{
    OptionsRig rig(EncodeOptions({20, 100, 0, 1, "", ""}));
    COptionsScreen* page = rig.Open();
    platform::CSurface& backdrop = *page->backdropSelector->Entries().front().picture->surface;
    auto is = [](platform::CSurface& s, int32_t x, int32_t y, const Rgb& c) {
        return s.GetPixel(x, y) == platform::PackRgb(s.Format(), c.red, c.green, c.blue);
    };
    EXPECT_TRUE(is(backdrop, 0, 0, kTopLeft) && is(backdrop, 40, 40, kTopLeft));
    EXPECT_TRUE(is(backdrop, 60, 60, kBottomRight) && is(backdrop, 98, 98, kBottomRight));
    EXPECT_FALSE(is(backdrop, 99, 99, kBottomRight)) << "the last row and column are the preview's own";
    platform::CSurface& tile = *page->tileSetSelector->Entries().front().picture->surface;
    EXPECT_TRUE(is(tile, 10, 0, kTopLeft) && is(tile, 49, 59, kTopLeft));
    EXPECT_FALSE(is(tile, 9, 30, kTopLeft) || is(tile, 50, 30, kTopLeft) || is(tile, 30, 60, kTopLeft));
}

// The values act in the frame they are set in. (Where the player drags the
// sliders, and that their values are stored, is the end-to-end suite's.)
TEST(OptionsScreenTest, SlidersAndMusicActEveryFrame)
{
    OptionsRig rig(EncodeOptions({20, 100, 0, 1, "Emerald Felt.bmp", "Ivory"}));
    COptionsScreen* page = rig.Open();
    EXPECT_FLOAT_EQ(rig.framework.Mouse()->sensitivity, 1.0f);
    page->sensitivitySlider->SetValue(100);
    page->volumeSlider->SetValue(50);
    rig.ClickOnPage(116, 266); // Play Music
    EXPECT_FLOAT_EQ(rig.framework.Mouse()->sensitivity, 5.0f);
    ASSERT_NE(rig.framework.Sounds()->Mixer(), nullptr);
    EXPECT_EQ(rig.framework.Sounds()->Mixer()->MasterVolume(), CSoundSystem::VolumeFromLevel(50));
    EXPECT_EQ(musicFlag, 1);
}

// The box switches at the end of the frame, once, with the page stored
// before and read back after, still open. F5's switch does not go through
// the box: the page shows the new mode and keeps it. (The box's way back is
// the end-to-end suite's.)
TEST(OptionsScreenTest, FullScreenSwitchesAtTheEndOfTheFrameWithThePageOpen)
{
    OptionsRig rig(EncodeOptions({35, 80, 0, 1, "Midnight Sky.bmp", "Ivory"}));
    COptionsScreen* page = rig.Open();
    const int modeSets = rig.framework.modeSetCount;
    rig.ClickOnPage(316, 266);
    rig.Frames(30, 316, 10, false);
    EXPECT_TRUE(rig.framework.Display()->IsWindowed());
    EXPECT_EQ(rig.framework.modeSetCount, modeSets + 1);
    EXPECT_EQ(rig.Read("Data\\Options.dat"), EncodeOptions({35, 80, 0, 0, "Midnight Sky.bmp", "Ivory"}));
    ASSERT_EQ(rig.OpenPage<COptionsScreen>(), page);
    EXPECT_EQ(page->sensitivitySlider->GetValue(), 35);
    EXPECT_EQ(page->display, rig.framework.Display());

    for (const bool windowed : {false, true}) {
        windowed ? rig.framework.SetWindowedMode(800, 600) : rig.framework.SetFullScreenMode(800, 600, 32);
        EXPECT_EQ(page->fullScreenBox->checked, !windowed);
        rig.Frames(5, 316, 10, false);
        EXPECT_EQ(rig.framework.Display()->IsWindowed(), windowed);
    }
}
