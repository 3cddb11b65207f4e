// Frames composed at display scales 2 to 4 against the 1x frame: with every
// picture of the run folder enlarged s times by Nearest, each frame the player
// sees at scale s is its 1x frame enlarged s times, pixel for pixel. That holds
// only if every drawing step (keyed copies, parts, stretched copies, blends,
// fills, text, the board, the cursor) maps its coordinates exactly, and if
// only the changed parts of a frame were drawn again, that they were found.
#include "GameRig.h"

#include "Image.h"
#include "media/Display.h"
#include "platform/Files.h"

#include <filesystem>

namespace {

using game_test::CGameRig;
using platform::CSurface;

// Writes "Name@<scale>x.png" beside every "Name.bmp" below `folder`: the
// bitmap enlarged by Nearest.
void EnlargeEveryPicture(const std::filesystem::path& folder, int32_t scale)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".bmp") {
            continue;
        }
        const auto small
            = assets::DecodeBmp(platform::ReadWholeFile(entry.path().string()).value_or(platform::Bytes{}));
        ASSERT_TRUE(small) << entry.path();
        assets::CImage large(small->Width() * scale, small->Height() * scale);
        for (int32_t y = 0; y < large.Height(); ++y) {
            for (int32_t x = 0; x < large.Width(); ++x) {
                large.At(x, y) = small->At(x / scale, y / scale);
            }
        }
        ASSERT_TRUE(assets::WritePng(assets::ScaledPath(entry.path().string(), scale), large));
    }
}

// Every pixel of `large` is the pixel of `small` under it.
testing::AssertionResult IsEnlarged(CSurface& small, CSurface& large, int32_t scale)
{
    if (large.Width() != small.Width() * scale || large.Height() != small.Height() * scale) {
        return testing::AssertionFailure() << "shown " << large.Width() << " x " << large.Height();
    }
    platform::CSurfaceLock one = small.Lock();
    platform::CSurfaceLock many = large.Lock();
    for (int32_t y = 0; y < large.Height(); ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(one.Pixels() + (y / scale) * one.Pitch());
        const auto* to = reinterpret_cast<const uint32_t*>(many.Pixels() + y * many.Pitch());
        for (int32_t x = 0; x < large.Width(); ++x) {
            if ((from[x / scale] & 0xFFFFFF) != (to[x] & 0xFFFFFF)) {
                return testing::AssertionFailure() << "the first pixel that differs is at " << x << ", " << y;
            }
        }
    }
    return testing::AssertionSuccess();
}

class ScaledFramesTest : public testing::TestWithParam<int32_t> { };

TEST_P(ScaledFramesTest, EveryScreenIsItsOneXFrameEnlarged)
{
    const int32_t scale = GetParam();
    CGameRig rig;
    ASSERT_TRUE(rig.available);
    ASSERT_TRUE(rig.CopyBuiltLayouts());
    EnlargeEveryPicture(rig.harness.runFolder.File("Graphics"), scale);
    platform::FakeVideoState& video = rig.harness.video.state;
    video.largestScale = scale;
    video.screenWidth = 800 * scale;
    video.screenHeight = 600 * scale;
    CDisplay& display = *rig.framework.Display();
    auto expectShown = [&](const char* what) {
        ASSERT_EQ(display.Scale(), scale) << what;
        ASSERT_TRUE(display.ShowsEveryPictureAtScale()) << what;
        ASSERT_TRUE(video.shown) << what;
        EXPECT_TRUE(IsEnlarged(*display.BackBuffer()->surface, *video.shown, scale)) << what;
    };

    rig.framework.SwitchToScreen(kMainMenuScreenId);
    rig.Frames(2, 300, 300);
    expectShown("the main menu, the cursor over it");
    const std::pair<int32_t, const char*> pages[]
        = {{139, "the load page"}, {255, "the options page"}, {371, "the rules page"}, {23, "the game selection page"}};
    for (const auto& [top, what] : pages) {
        rig.ClickAndWait(675, top + 45);
        rig.Frames(2, 200, 400);
        expectShown(what);
    }
    rig.Frame(110, 460, false); // the pointer on the layout list
    expectShown("a changed pointer position only");

    rig.Start(kTraditionalScreenId);
    rig.Frames(3);
    expectShown("a new game");
    rig.ClickTile(0);
    rig.Frames(2);
    expectShown("a selected tile");
    rig.ClickButton(CGameScreen::kHint);
    expectShown("hint marks");
    rig.ClickButton(CGameScreen::kSave);
    rig.Type("ab 1");
    rig.Frames(2);
    expectShown("the save dialog");

    rig.Start(kZandorScreenId);
    rig.Frames(3);
    expectShown("the Zandor panel");
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledFramesTest, testing::Values(2, 3, 4));

} // namespace
