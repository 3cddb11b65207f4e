// A long-lived screen the framework switches between by its id (1 main menu,
// 2 Traditional, 3 Vesk Style, 4 Zandor): it can ask for the next screen and
// owns the cursor the framework draws while it is current.
#pragma once

#include "gui/Screen.h"
#include "media/Sprite.h"

#include <cstdint>

inline constexpr int32_t kNoScreenId = 0;
inline constexpr int32_t kMainMenuScreenId = 1;
inline constexpr int32_t kTraditionalScreenId = 2;
inline constexpr int32_t kVeskStyleScreenId = 3;
inline constexpr int32_t kZandorScreenId = 4;

class CStateScreen : public CScreen {
public:
    explicit CStateScreen(CDXFramework* owningFramework = nullptr);
    ~CStateScreen() override;

    // Keeps the device objects.
    void LoadResources(CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard,
        CFontTable* newFonts) override;
    // Forgets them.
    void ReleaseResources() override;

    virtual int32_t SetId(int32_t newId);
    virtual int32_t GetId() const;
    virtual int32_t SetNextId(int32_t newNextId);
    // Polled by the framework once a frame; 0 asks for nothing.
    virtual int32_t GetNextId() const;
    virtual bool IsSameScreen(const CStateScreen& other) const;

    // The window was minimised or hidden, or lost the focus in full screen,
    // while this screen was current: a game pauses.
    virtual void OnWindowAway() { }

    CSprite* Cursor() const { return cursor.get(); }

protected:
    int32_t id = kNoScreenId;
    int32_t nextId = kNoScreenId;
    SpritePtr cursor;
};
