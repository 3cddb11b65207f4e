// The translation from SDL scancodes (physical key positions, like the
// DirectInput codes) to the game's key codes.
#include "platform/InputKeyCodes.h"

#include <SDL.h>

#include <array>
#include <utility>

namespace platform {
namespace {

constexpr KeyMapping kKeyTable[] = {
    {SDL_SCANCODE_ESCAPE, DIK_ESCAPE},
    {SDL_SCANCODE_1, DIK_1},
    {SDL_SCANCODE_2, DIK_2},
    {SDL_SCANCODE_3, DIK_3},
    {SDL_SCANCODE_4, DIK_4},
    {SDL_SCANCODE_5, DIK_5},
    {SDL_SCANCODE_6, DIK_6},
    {SDL_SCANCODE_7, DIK_7},
    {SDL_SCANCODE_8, DIK_8},
    {SDL_SCANCODE_9, DIK_9},
    {SDL_SCANCODE_0, DIK_0},
    {SDL_SCANCODE_MINUS, DIK_MINUS},
    {SDL_SCANCODE_EQUALS, DIK_EQUALS},
    {SDL_SCANCODE_BACKSPACE, DIK_BACK},
    {SDL_SCANCODE_TAB, DIK_TAB},
    {SDL_SCANCODE_Q, DIK_Q},
    {SDL_SCANCODE_W, DIK_W},
    {SDL_SCANCODE_E, DIK_E},
    {SDL_SCANCODE_R, DIK_R},
    {SDL_SCANCODE_T, DIK_T},
    {SDL_SCANCODE_Y, DIK_Y},
    {SDL_SCANCODE_U, DIK_U},
    {SDL_SCANCODE_I, DIK_I},
    {SDL_SCANCODE_O, DIK_O},
    {SDL_SCANCODE_P, DIK_P},
    {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET},
    {SDL_SCANCODE_RETURN, DIK_RETURN},
    {SDL_SCANCODE_LCTRL, DIK_LCONTROL},
    {SDL_SCANCODE_A, DIK_A},
    {SDL_SCANCODE_S, DIK_S},
    {SDL_SCANCODE_D, DIK_D},
    {SDL_SCANCODE_F, DIK_F},
    {SDL_SCANCODE_G, DIK_G},
    {SDL_SCANCODE_H, DIK_H},
    {SDL_SCANCODE_J, DIK_J},
    {SDL_SCANCODE_K, DIK_K},
    {SDL_SCANCODE_L, DIK_L},
    {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE},
    {SDL_SCANCODE_GRAVE, DIK_GRAVE},
    {SDL_SCANCODE_LSHIFT, DIK_LSHIFT},
    {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH},
    // ISO keyboards report the key beside Return as "non-US hash"; it is the
    // same physical key as the US backslash and has the same scan code there.
    {SDL_SCANCODE_NONUSHASH, DIK_BACKSLASH},
    {SDL_SCANCODE_Z, DIK_Z},
    {SDL_SCANCODE_X, DIK_X},
    {SDL_SCANCODE_C, DIK_C},
    {SDL_SCANCODE_V, DIK_V},
    {SDL_SCANCODE_B, DIK_B},
    {SDL_SCANCODE_N, DIK_N},
    {SDL_SCANCODE_M, DIK_M},
    {SDL_SCANCODE_COMMA, DIK_COMMA},
    {SDL_SCANCODE_PERIOD, DIK_PERIOD},
    {SDL_SCANCODE_SLASH, DIK_SLASH},
    {SDL_SCANCODE_RSHIFT, DIK_RSHIFT},
    {SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY},
    {SDL_SCANCODE_LALT, DIK_LMENU},
    {SDL_SCANCODE_SPACE, DIK_SPACE},
    {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL},
    {SDL_SCANCODE_F1, DIK_F1},
    {SDL_SCANCODE_F2, DIK_F2},
    {SDL_SCANCODE_F3, DIK_F3},
    {SDL_SCANCODE_F4, DIK_F4},
    {SDL_SCANCODE_F5, DIK_F5},
    {SDL_SCANCODE_F6, DIK_F6},
    {SDL_SCANCODE_F7, DIK_F7},
    {SDL_SCANCODE_F8, DIK_F8},
    {SDL_SCANCODE_F9, DIK_F9},
    {SDL_SCANCODE_F10, DIK_F10},
    {SDL_SCANCODE_NUMLOCKCLEAR, DIK_NUMLOCK},
    {SDL_SCANCODE_SCROLLLOCK, DIK_SCROLL},
    {SDL_SCANCODE_KP_7, DIK_NUMPAD7},
    {SDL_SCANCODE_KP_8, DIK_NUMPAD8},
    {SDL_SCANCODE_KP_9, DIK_NUMPAD9},
    {SDL_SCANCODE_KP_MINUS, DIK_SUBTRACT},
    {SDL_SCANCODE_KP_4, DIK_NUMPAD4},
    {SDL_SCANCODE_KP_5, DIK_NUMPAD5},
    {SDL_SCANCODE_KP_6, DIK_NUMPAD6},
    {SDL_SCANCODE_KP_PLUS, DIK_ADD},
    {SDL_SCANCODE_KP_1, DIK_NUMPAD1},
    {SDL_SCANCODE_KP_2, DIK_NUMPAD2},
    {SDL_SCANCODE_KP_3, DIK_NUMPAD3},
    {SDL_SCANCODE_KP_0, DIK_NUMPAD0},
    {SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL},
    {SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102},
    {SDL_SCANCODE_F11, DIK_F11},
    {SDL_SCANCODE_F12, DIK_F12},
    {SDL_SCANCODE_F13, DIK_F13},
    {SDL_SCANCODE_F14, DIK_F14},
    {SDL_SCANCODE_F15, DIK_F15},
    {SDL_SCANCODE_INTERNATIONAL2, DIK_KANA},
    {SDL_SCANCODE_INTERNATIONAL1, DIK_ABNT_C1},
    {SDL_SCANCODE_INTERNATIONAL4, DIK_CONVERT},
    {SDL_SCANCODE_INTERNATIONAL5, DIK_NOCONVERT},
    {SDL_SCANCODE_INTERNATIONAL3, DIK_YEN},
    {SDL_SCANCODE_KP_COMMA, DIK_ABNT_C2},
    {SDL_SCANCODE_KP_EQUALS, DIK_NUMPADEQUALS},
    {SDL_SCANCODE_AUDIOPREV, DIK_PREVTRACK},
    {SDL_SCANCODE_AUDIONEXT, DIK_NEXTTRACK},
    {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER},
    {SDL_SCANCODE_RCTRL, DIK_RCONTROL},
    // SDL names the mute key twice: the keyboard page and the consumer page.
    {SDL_SCANCODE_MUTE, DIK_MUTE},
    {SDL_SCANCODE_AUDIOMUTE, DIK_MUTE},
    {SDL_SCANCODE_CALCULATOR, DIK_CALCULATOR},
    {SDL_SCANCODE_AUDIOPLAY, DIK_PLAYPAUSE},
    {SDL_SCANCODE_AUDIOSTOP, DIK_MEDIASTOP},
    {SDL_SCANCODE_VOLUMEDOWN, DIK_VOLUMEDOWN},
    {SDL_SCANCODE_VOLUMEUP, DIK_VOLUMEUP},
    {SDL_SCANCODE_AC_HOME, DIK_WEBHOME},
    {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE},
    {SDL_SCANCODE_PRINTSCREEN, DIK_SYSRQ},
    {SDL_SCANCODE_RALT, DIK_RMENU},
    {SDL_SCANCODE_PAUSE, DIK_PAUSE},
    {SDL_SCANCODE_HOME, DIK_HOME},
    {SDL_SCANCODE_UP, DIK_UP},
    {SDL_SCANCODE_PAGEUP, DIK_PRIOR},
    {SDL_SCANCODE_LEFT, DIK_LEFT},
    {SDL_SCANCODE_RIGHT, DIK_RIGHT},
    {SDL_SCANCODE_END, DIK_END},
    {SDL_SCANCODE_DOWN, DIK_DOWN},
    {SDL_SCANCODE_PAGEDOWN, DIK_NEXT},
    {SDL_SCANCODE_INSERT, DIK_INSERT},
    {SDL_SCANCODE_DELETE, DIK_DELETE},
    {SDL_SCANCODE_LGUI, DIK_LWIN},
    {SDL_SCANCODE_RGUI, DIK_RWIN},
    {SDL_SCANCODE_APPLICATION, DIK_APPS},
    {SDL_SCANCODE_POWER, DIK_POWER},
    {SDL_SCANCODE_SLEEP, DIK_SLEEP},
    {SDL_SCANCODE_AC_SEARCH, DIK_WEBSEARCH},
    {SDL_SCANCODE_AC_BOOKMARKS, DIK_WEBFAVORITES},
    {SDL_SCANCODE_AC_REFRESH, DIK_WEBREFRESH},
    {SDL_SCANCODE_AC_STOP, DIK_WEBSTOP},
    {SDL_SCANCODE_AC_FORWARD, DIK_WEBFORWARD},
    {SDL_SCANCODE_AC_BACK, DIK_WEBBACK},
    {SDL_SCANCODE_COMPUTER, DIK_MYCOMPUTER},
    {SDL_SCANCODE_MAIL, DIK_MAIL},
    {SDL_SCANCODE_MEDIASELECT, DIK_MEDIASELECT},
};

// The table turned round for lookups by scancode.
constexpr std::array<uint8_t, SDL_NUM_SCANCODES> BuildLookup()
{
    std::array<uint8_t, SDL_NUM_SCANCODES> lookup{};
    for (const KeyMapping& mapping : kKeyTable) {
        lookup[static_cast<size_t>(mapping.sdlScancode)] = mapping.keyCode;
    }
    return lookup;
}

constexpr std::array<uint8_t, SDL_NUM_SCANCODES> kLookup = BuildLookup();

static_assert(SDL_NUM_SCANCODES == std::tuple_size_v<LayoutLookup>);

// What each US key types without Shift, by key code; 0 for keys that type
// nothing.
constexpr std::array<char, 256> BuildUsCharacters()
{
    std::array<char, 256> characters{};
    constexpr std::pair<char, uint8_t> kKeys[] = {{'a', DIK_A}, {'b', DIK_B}, {'c', DIK_C}, {'d', DIK_D},
        {'e', DIK_E}, {'f', DIK_F}, {'g', DIK_G}, {'h', DIK_H}, {'i', DIK_I}, {'j', DIK_J}, {'k', DIK_K},
        {'l', DIK_L}, {'m', DIK_M}, {'n', DIK_N}, {'o', DIK_O}, {'p', DIK_P}, {'q', DIK_Q}, {'r', DIK_R},
        {'s', DIK_S}, {'t', DIK_T}, {'u', DIK_U}, {'v', DIK_V}, {'w', DIK_W}, {'x', DIK_X}, {'y', DIK_Y},
        {'z', DIK_Z}, {'0', DIK_0}, {'1', DIK_1}, {'2', DIK_2}, {'3', DIK_3}, {'4', DIK_4}, {'5', DIK_5},
        {'6', DIK_6}, {'7', DIK_7}, {'8', DIK_8}, {'9', DIK_9}, {'-', DIK_MINUS}, {'=', DIK_EQUALS},
        {'[', DIK_LBRACKET}, {']', DIK_RBRACKET}, {';', DIK_SEMICOLON}, {'\'', DIK_APOSTROPHE}, {'`', DIK_GRAVE},
        {'\\', DIK_BACKSLASH}, {',', DIK_COMMA}, {'.', DIK_PERIOD}, {'/', DIK_SLASH}, {' ', DIK_SPACE}};
    for (const auto& [typed, code] : kKeys) {
        characters[code] = typed;
    }
    return characters;
}

constexpr std::array<char, 256> kUsCharacters = BuildUsCharacters();

// The code of the US key that types a character without Shift, 0 for none.
constexpr std::array<uint8_t, 128> BuildUsKeys()
{
    std::array<uint8_t, 128> keys{};
    for (size_t code = 0; code < kUsCharacters.size(); ++code) {
        if (kUsCharacters[code] != 0) {
            keys[static_cast<size_t>(kUsCharacters[code])] = static_cast<uint8_t>(code);
        }
    }
    return keys;
}

constexpr std::array<uint8_t, 128> kUsKeys = BuildUsKeys();

uint8_t UsKeyOfCharacter(int32_t character)
{
    return character > 0 && character < 128 ? kUsKeys[static_cast<size_t>(character)] : 0;
}

bool IsLetterCode(uint8_t code) { return kUsCharacters[code] >= 'a' && kUsCharacters[code] <= 'z'; }

// Keys that type a character the layout decides: the US letter and
// punctuation positions and the extra key of European keyboards, not the
// digits, space or the keypad.
bool IsLayoutKey(uint8_t code)
{
    const char typed = kUsCharacters[code];
    return code == DIK_OEM_102 || (typed != 0 && typed != ' ' && (typed < '0' || typed > '9'));
}

} // namespace

std::span<const KeyMapping> KeyTable() { return kKeyTable; }

LayoutLookup BuildLayoutLookup(const std::function<int32_t(int sdlScancode)>& characterOf)
{
    LayoutLookup lookup = kLookup;
    for (const KeyMapping& mapping : kKeyTable) {
        const int32_t character = characterOf(mapping.sdlScancode);
        const auto index = static_cast<size_t>(mapping.sdlScancode);
        if (!IsLayoutKey(mapping.keyCode)) {
            continue;
        }
        if (character >= 'a' && character <= 'z') {
            lookup[index] = UsKeyOfCharacter(character);
        } else if (IsLetterCode(mapping.keyCode)) {
            const uint8_t moved = UsKeyOfCharacter(character);
            if (moved != 0) {
                lookup[index] = moved;
            }
        }
    }
    return lookup;
}

uint8_t KeyCodeFromScancode(int sdlScancode)
{
    if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES) {
        return 0;
    }
    return kLookup[static_cast<size_t>(sdlScancode)];
}

} // namespace platform
