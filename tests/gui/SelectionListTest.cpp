// The game selection page's list ((50, 220)-(250, 370), rows (60, 230)-(240,
// 360) of 25 pixels: five visible) on a page at (0, 125), frame by frame on a
// fake clock, read back from the drawn rows and scroll bar.
#include "gui/SelectionList.h"

#include "WidgetRig.h"

using namespace widget_test;

namespace {

constexpr Rgb kBox{60, 40, 20}, kThumb{200, 180, 40};
constexpr int32_t kBarX = 262, kUpY = 232, kDownY = 358;

struct ListRig : CWidgetRig {
    CSound* scroll = nullptr;
    CSound* select = nullptr;
    CSelectionList list;

    // Entries "a", "b", ... front first.
    explicit ListRig(int entryCount)
        : list(50, 220, 250, 370, 60, 230, 240, 360, 25, Solid(25, 100, {90, 90, 40}), Solid(25, 25, kThumb),
            Solid(200, 150, kBox), Solid(25, 25, {20, 200, 20}), Solid(25, 25, {20, 20, 200}),
            Solid(25, 25, {120, 250, 120}), Solid(25, 25, {120, 120, 250}), Sound(&scroll), Sound(&select))
    {
        for (int i = entryCount - 1; i >= 0; --i) {
            list.AddEntry(std::string(1, static_cast<char>('a' + i)));
        }
    }

    void Draw()
    {
        Clear();
        list.Draw(display.get(), fonts.get(), 0, 125);
    }

    // The rows as drawn: a letter per row (font 2), the selected one in
    // brackets (font 3, wider), "." for an empty row.
    std::string Rows()
    {
        Draw();
        std::string rows;
        for (int32_t y = 355; y < 480; y += 25) {
            const uint32_t raw = Pixel(60, y);
            int32_t width = 0;
            while (Pixel(60 + width, y) == raw) {
                ++width;
            }
            const char letter = static_cast<char>(raw >> 16); // the red of GlyphColour is the code
            const bool glyph = raw == Raw(GlyphColour(static_cast<unsigned char>(letter))) && Pixel(60, y - 1) != raw;
            rows += !glyph                   ? "."
                : width == FixtureAdvance(3) ? "[" + std::string(1, letter) + "]"
                                             : std::string(1, letter);
        }
        return rows;
    }

    int32_t ThumbTop()
    {
        Draw();
        return BoundsOf(kThumb).top - 125 - 245;
    }
};

} // namespace

// 20 entries: 0.25 x 19.23 pixels of thumb travel per row.
TEST(SelectionListTest, SelectByNameScrollsTheSelectionIntoTheLastVisibleRow)
{
    const std::tuple<const char*, const char*, int32_t> cases[]
        = {{"t", "pqrs[t]", 72}, {"c", "ab[c]de", 0}, {"e", "abcd[e]", 0}, {"f", "bcde[f]", 4}, {"none", "[a]bcde", 0}};
    for (const auto& [name, rows, thumbTop] : cases) {
        ListRig rig(20);
        rig.list.SelectByName(name);
        EXPECT_EQ(rig.Rows(), rows) << name;
        EXPECT_EQ(rig.ThumbTop(), thumbTop) << name;
    }
}

TEST(SelectionListTest, RowPressesSelectInsideTheBandsAndOnTheEdgeColumnsButNotOnBoundaries)
{
    // Screen-relative press, the entry selected ("": none).
    const std::tuple<int32_t, int32_t, const char*> cases[] = {{60, 240, "a"}, {240, 240, "a"}, {59, 240, ""},
        {241, 240, ""}, {150, 230, ""}, {150, 255, ""}, {150, 256, "b"}, {150, 300, "c"}, {150, 310, ""}};
    for (const auto& [x, y, entry] : cases) {
        ListRig rig(3);
        rig.list.HandleMouse(&rig.sounds, x, y, false);
        rig.list.HandleMouse(&rig.sounds, x, y, true);
        EXPECT_EQ(rig.list.GetSelectedText().value_or(""), entry) << x << ", " << y;
        EXPECT_EQ(rig.TakePlayed(rig.select), *entry != '\0') << x << ", " << y;
    }
    ListRig rig(3);
    EXPECT_EQ(rig.list.GetSelectedText(), std::nullopt);
    EXPECT_EQ(rig.Rows(), "[a]bc..") << "the first entry is selected once drawn";
    std::vector<uint32_t> selections;
    for (uint32_t t = 0; t <= 500; ++t, rig.clock->Advance(1)) {
        rig.list.HandleMouse(&rig.sounds, 150, 270, true);
        selections.insert(selections.end(), rig.TakePlayed(rig.select) ? 1 : 0, t);
    }
    EXPECT_EQ(selections, (std::vector<uint32_t>{0, 201, 402}));
    EXPECT_EQ(rig.Rows(), "a[b]c..");
}

TEST(SelectionListTest, AnEmptyListDrawsATenPixelThumbAndIgnoresEveryPress)
{
    ListRig rig(0);
    for (const int32_t y : {240, kUpY, kDownY, 250}) {
        rig.list.HandleMouse(&rig.sounds, y == 240 ? 150 : kBarX, y, true);
    }
    rig.Draw();
    EXPECT_EQ(rig.BoundsOf(kBox), (SBounds{50, 345, 250, 495}));
    EXPECT_EQ(rig.BoundsOf(kThumb), (SBounds{250, 370, 275, 381}));
    EXPECT_EQ(rig.list.GetSelectedText(), std::nullopt);
    EXPECT_FALSE(rig.TakePlayed(rig.scroll) || rig.TakePlayed(rig.select));
}

// Short list: the thumb fills the bar (101 high, its last row under the down
// arrow). Long list: the thumb is 25 pixels; the pointer carries its lower
// end, 5 pixels per row; outside the band the drag holds; a press on the bar
// away from the thumb does nothing; an arrow steps one row. (The arrows'
// repeat, shared with the text area, is tested there.)
TEST(SelectionListTest, DraggingTheThumbScrollsWithinTheList)
{
    ListRig small(3);
    small.Draw();
    EXPECT_EQ(small.BoundsOf(kThumb), (SBounds{250, 370, 275, 470}));
    for (const int32_t y : {kDownY, 300, 340, 344}) {
        small.list.HandleMouse(&small.sounds, kBarX, y, true);
    }
    EXPECT_EQ(small.Rows(), "[a]bc..");
    EXPECT_FALSE(small.TakePlayed(small.scroll));
    ListRig rig(20);
    EXPECT_EQ(rig.ThumbTop(), 0);
    // Pointer (screen-relative), button, rows shown afterwards, thumb top.
    const std::tuple<int32_t, int32_t, bool, const char*, int32_t> steps[] = {
        {kBarX, 255, true, "[a]bcde", 0}, // grab (245 < y < 270)
        {kBarX, 300, true, "ghijk", 30}, // 55 pixels into the bar: 11 rows, less 5
        {10, 344, true, "pqrst", 75}, // the drag ignores x
        {kBarX, 400, true, "pqrst", 75}, // below the band
        {kBarX, 300, false, "pqrst", 75},
        {kBarX, 300, true, "pqrst", 75}, // above the thumb: no grab
        {kBarX, 250, true, "pqrst", 75},
        {kBarX, kUpY, true, "opqrs", 70},
    };
    for (const auto& [x, y, down, rows, thumbTop] : steps) {
        rig.list.HandleMouse(&rig.sounds, x, y, down);
        EXPECT_EQ(rig.Rows(), rows) << y;
        EXPECT_EQ(rig.ThumbTop(), thumbTop) << y;
    }
}
