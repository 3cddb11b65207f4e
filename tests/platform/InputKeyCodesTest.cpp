// The SDL scancode to key code table: every key the game reads, and no two
// keys sharing a code by accident.
#include "platform/InputKeyCodes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <utility>

using platform::KeyCodeFromScancode;

TEST(InputKeyCodesTest, EveryKeyTheGameReadsHasItsScanCode)
{
    // SDL scancodes as measured on this platform, and the published key codes.
    // clang-format off
    const std::pair<int, int> cases[] = {
        // A to Z
        {4, 0x1E}, {5, 0x30}, {6, 0x2E}, {7, 0x20}, {8, 0x12}, {9, 0x21}, {10, 0x22}, {11, 0x23}, {12, 0x17},
        {13, 0x24}, {14, 0x25}, {15, 0x26}, {16, 0x32}, {17, 0x31}, {18, 0x18}, {19, 0x19}, {20, 0x10}, {21, 0x13},
        {22, 0x1F}, {23, 0x14}, {24, 0x16}, {25, 0x2F}, {26, 0x11}, {27, 0x2D}, {28, 0x15}, {29, 0x2C},
        // 1 to 9 and 0, keypad 1 to 9 and 0
        {30, 0x02}, {31, 0x03}, {32, 0x04}, {33, 0x05}, {34, 0x06}, {35, 0x07}, {36, 0x08}, {37, 0x09}, {38, 0x0A},
        {39, 0x0B}, {89, 0x4F}, {90, 0x50}, {91, 0x51}, {92, 0x4B}, {93, 0x4C}, {94, 0x4D}, {95, 0x47}, {96, 0x48},
        {97, 0x49}, {98, 0x52},
        // space, backspace, both shifts, F1, F2, F5, F12, Esc, Caps Lock, both Enters
        {44, 0x39}, {42, 0x0E}, {225, 0x2A}, {229, 0x36}, {58, 0x3B}, {59, 0x3C}, {62, 0x3F}, {69, 0x58}, {41, 0x01},
        {57, 0x3A}, {40, 0x1C}, {88, 0x9C},
        // unknown or out of range
        {-1, 0}, {0, 0}, {1, 0}, {3, 0}, {511, 0}, {512, 0}, {100000, 0},
    };
    // clang-format on
    for (const auto& [scancode, code] : cases) {
        EXPECT_EQ(KeyCodeFromScancode(scancode), code) << "SDL scancode " << scancode;
    }
}

TEST(InputKeyCodesTest, EveryRowIsUniqueAndNoTwoKeysShareACodeByAccident)
{
    // SDL's two names for one key: ISO hash / US backslash, and the mute key
    // of the keyboard page and of the consumer page.
    const std::set<std::set<int>> intended = {{49, 50}, {127, 262}};
    std::map<int, std::set<int>> scancodesByCode;
    for (const platform::KeyMapping& mapping : platform::KeyTable()) {
        EXPECT_TRUE(scancodesByCode[mapping.keyCode].insert(mapping.sdlScancode).second) << mapping.sdlScancode;
        EXPECT_NE(mapping.keyCode, 0) << "scancode " << mapping.sdlScancode;
        EXPECT_EQ(KeyCodeFromScancode(mapping.sdlScancode), mapping.keyCode) << "scancode " << mapping.sdlScancode;
    }
    for (const auto& [code, scancodes] : scancodesByCode) {
        if (scancodes.size() > 1) {
            EXPECT_TRUE(intended.contains(scancodes)) << "key code " << code << " is shared";
        }
    }
}

// Layout tables as SDL reports them: the character each key types, by SDL
// scancode (A = 4 ... Z = 29, 1 = 30 ... 0 = 39, punctuation 45 to 56).
namespace {

int32_t UsCharacter(int scancode)
{
    if (scancode >= 4 && scancode <= 29) {
        return 'a' + (scancode - 4);
    }
    if (scancode >= 30 && scancode <= 38) {
        return '1' + (scancode - 30);
    }
    const std::map<int, int32_t> others = {{39, '0'}, {44, ' '}, {45, '-'}, {46, '='}, {47, '['}, {48, ']'}, {49, '\\'},
        {51, ';'}, {52, '\''}, {53, '`'}, {54, ','}, {55, '.'}, {56, '/'}, {58, 0x4000003A}};
    const auto found = others.find(scancode);
    return found == others.end() ? 0 : found->second;
}

platform::LayoutLookup Layout(std::map<int, int32_t> changes)
{
    return platform::BuildLayoutLookup([&changes](int scancode) {
        const auto found = changes.find(scancode);
        return found == changes.end() ? UsCharacter(scancode) : found->second;
    });
}

} // namespace

TEST(InputKeyCodesTest, LettersFollowTheLayoutTheOtherKeysTheirPosition)
{
    const platform::LayoutLookup us = Layout({});
    for (const platform::KeyMapping& mapping : platform::KeyTable()) {
        EXPECT_EQ(us[mapping.sdlScancode], mapping.keyCode) << "US keyboard, scancode " << mapping.sdlScancode;
    }

    // French: A and Q, Z and W change places, M sits right of L, the digit row
    // types symbols without Shift; the key printed with a comma types no letter,
    // and punctuation moves only off a letter position. German: Y and Z change
    // places; umlauts keep their positions.
    const platform::LayoutLookup french = Layout({{4, 'q'}, {20, 'a'}, {26, 'z'}, {29, 'w'}, {51, 'm'}, {16, ','},
        {54, ';'}, {55, ':'}, {30, '&'}, {31, 0xE9}, {39, 0xE0}});
    const platform::LayoutLookup german = Layout({{28, 'z'}, {29, 'y'}, {45, 0xDF}, {51, 0xF6}});
    const std::tuple<const platform::LayoutLookup&, int, uint8_t> keys[] = {{french, 20, DIK_A}, {french, 4, DIK_Q},
        {french, 26, DIK_Z}, {french, 29, DIK_W}, {french, 51, DIK_M}, {french, 16, DIK_COMMA}, {french, 54, DIK_COMMA},
        {french, 55, DIK_PERIOD}, {french, 30, DIK_1}, {french, 31, DIK_2}, {french, 39, DIK_0},
        {french, 44, DIK_SPACE}, {french, 58, DIK_F1}, {french, 225, DIK_LSHIFT}, {german, 28, DIK_Z},
        {german, 29, DIK_Y}, {german, 45, DIK_MINUS}, {german, 51, DIK_SEMICOLON}};
    for (const auto& [layout, scancode, code] : keys) {
        EXPECT_EQ(layout[scancode], code) << (&layout == &french ? "French" : "German") << ", scancode " << scancode;
    }

    // A layout without Latin letters keeps every position (its keyboards
    // carry the Latin letters too), and a digit key never becomes a letter.
    std::map<int, int32_t> cyrillic;
    for (int scancode = 4; scancode <= 29; ++scancode) {
        cyrillic[scancode] = 0x430 + scancode;
    }
    cyrillic[30] = 'q';
    const platform::LayoutLookup russian = Layout(cyrillic);
    for (const platform::KeyMapping& mapping : platform::KeyTable()) {
        EXPECT_EQ(russian[mapping.sdlScancode], mapping.keyCode) << "scancode " << mapping.sdlScancode;
    }
}
