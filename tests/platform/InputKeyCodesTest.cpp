// The SDL scancode to key code table: every key the game reads, and no two
// keys sharing a code by accident.
#include "platform/InputKeyCodes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

using platform::KeyCodeFromScancode;
using platform::KeyTable;

TEST(InputKeyCodesTest, EveryKeyTheGameReadsHasItsScanCode)
{
    // SDL scancodes as measured on this platform, and the published key codes.
    const std::pair<int, int> cases[] = {
        {4, 0x1E}, {5, 0x30}, {6, 0x2E}, {7, 0x20}, {8, 0x12}, {9, 0x21}, {10, 0x22}, {11, 0x23}, // A..H
        {12, 0x17}, {13, 0x24}, {14, 0x25}, {15, 0x26}, {16, 0x32}, {17, 0x31}, {18, 0x18}, // I..O
        {19, 0x19}, {20, 0x10}, {21, 0x13}, {22, 0x1F}, {23, 0x14}, {24, 0x16}, {25, 0x2F}, // P..V
        {26, 0x11}, {27, 0x2D}, {28, 0x15}, {29, 0x2C}, // W..Z
        {30, 0x02}, {31, 0x03}, {32, 0x04}, {33, 0x05}, {34, 0x06}, {35, 0x07}, {36, 0x08}, // 1..7
        {37, 0x09}, {38, 0x0A}, {39, 0x0B}, // 8, 9, 0
        {89, 0x4F}, {90, 0x50}, {91, 0x51}, {92, 0x4B}, {93, 0x4C}, {94, 0x4D}, {95, 0x47}, // keypad 1..7
        {96, 0x48}, {97, 0x49}, {98, 0x52}, // keypad 8, 9, 0
        {44, 0x39}, {42, 0x0E}, {225, 0x2A}, {229, 0x36}, // space, back, shifts
        {58, 0x3B}, {59, 0x3C}, {62, 0x3F}, {69, 0x58}, // F1, F2, F5, F12
        {41, 0x01}, {57, 0x3A}, {40, 0x1C}, {88, 0x9C}, // Esc, Caps, Enters
    };
    for (const auto& [scancode, code] : cases) {
        EXPECT_EQ(KeyCodeFromScancode(scancode), code) << "SDL scancode " << scancode;
    }
}

TEST(InputKeyCodesTest, NoTwoKeysShareACodeUnlessTheyAreTheSamePhysicalKey)
{
    // SDL's two names for one key: ISO hash / US backslash, and the mute key
    // of the keyboard page and of the consumer page.
    const std::set<std::set<int>> intended = {{49, 50}, {127, 262}};
    std::map<int, std::set<int>> scancodesByCode;
    for (const platform::KeyMapping& mapping : KeyTable()) {
        scancodesByCode[mapping.keyCode].insert(mapping.sdlScancode);
    }
    for (const auto& [code, scancodes] : scancodesByCode) {
        if (scancodes.size() > 1) {
            EXPECT_TRUE(intended.contains(scancodes)) << "key code " << code << " is shared";
        }
    }
}

TEST(InputKeyCodesTest, TableRowsAreUniqueInRangeAndAgreeWithTheLookup)
{
    std::set<int> seen;
    for (const platform::KeyMapping& mapping : KeyTable()) {
        EXPECT_TRUE(seen.insert(mapping.sdlScancode).second) << "scancode " << mapping.sdlScancode << " listed twice";
        EXPECT_NE(mapping.keyCode, 0) << "scancode " << mapping.sdlScancode;
        EXPECT_EQ(KeyCodeFromScancode(mapping.sdlScancode), mapping.keyCode);
    }
    // The standard table has about a hundred keys SDL knows.
    EXPECT_GE(seen.size(), 100u);
}

TEST(InputKeyCodesTest, UnknownAndOutOfRangeScancodesHaveNoCode)
{
    for (int scancode : {-1, 0, 1, 3, 511, 512, 100000}) {
        EXPECT_EQ(KeyCodeFromScancode(scancode), 0) << scancode;
    }
}
