// The screen id, the next-screen request and the cursor of a state screen.
#include "gui/StateScreen.h"

CStateScreen::CStateScreen(CDXFramework* owningFramework)
    : CScreen(owningFramework)
{
}

CStateScreen::~CStateScreen() = default;

void CStateScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    KeepDevices(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
}

void CStateScreen::ReleaseResources() { ForgetDevices(); }

int32_t CStateScreen::SetId(int32_t newId) { return id = newId; }

int32_t CStateScreen::GetId() const { return id; }

int32_t CStateScreen::SetNextId(int32_t newNextId) { return nextId = newNextId; }

int32_t CStateScreen::GetNextId() const { return nextId; }

bool CStateScreen::IsSameScreen(const CStateScreen& other) const { return other.GetId() == id; }
