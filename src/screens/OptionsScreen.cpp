// The options page: its widgets filled from "Data\Options.dat", the settings
// applied every frame and the file written back from the widgets.
#include "screens/OptionsScreen.h"

#include "gui/CheckBox.h"
#include "gui/DXFramework.h"
#include "gui/PictureSelector.h"
#include "gui/Slider.h"
#include "media/Display.h"
#include "media/FrameRecord.h"
#include "media/FontTable.h"
#include "media/Mouse.h"
#include "media/SoundSystem.h"
#include "platform/Files.h"
#include "screens/MenuPages.h"
#include "screens/SettingsFiles.h"
#include "screens/SharedValues.h"

#include <array>

namespace {

constexpr const char* kBackdropFolder = "Graphics\\Backdrops";
constexpr const char* kTileSetFolder = "Graphics\\Tile Sets";

struct SLabel {
    const char* text;
    int32_t left, top, right, bottom;
    int32_t alignment;
};
constexpr std::array<SLabel, 6> kLabels = {{
    {"Mouse Sensitivity (Full Screen Only)", 0, 65, 550, 100, media::kAlignCentre},
    {"Sound Volume", 0, 165, 550, 200, media::kAlignCentre},
    {"Play Music", 140, 250, 550, 300, media::kAlignLeft},
    {"Full Screen", 340, 250, 550, 350, media::kAlignLeft},
    {"In-Game Backdrop", 90, 310, 550, 350, media::kAlignLeft},
    {"Tile Set", 375, 310, 550, 350, media::kAlignLeft},
}};

std::unique_ptr<CSlider> MakeSlider(CDisplay& display, int32_t top, int32_t value)
{
    auto slider = std::make_unique<CSlider>(175, top, 375, top + 25,
        display.CreateSprite("Graphics\\Gui\\Wood Slider Bar.bmp", 200, 25),
        display.CreateSprite("Graphics\\Gui\\Wood Slider Button.bmp", 25, 25));
    slider->SetValue(value);
    return slider;
}

std::unique_ptr<CCheckBox> MakeCheckBox(CDisplay& display, CSoundSystem* sounds, int32_t left, bool checked)
{
    auto box = std::make_unique<CCheckBox>(left, 250, left + 32, 282,
        display.CreateSprite("Graphics\\Gui\\Wood Check Box Up.bmp", 32, 32),
        display.CreateSprite("Graphics\\Gui\\Wood Check Box Down.bmp", 32, 32),
        menu_page::LoadSound("Sounds\\Wood Check.wav", sounds));
    box->checked = checked;
    return box;
}

std::unique_ptr<CPictureSelector> MakeSelector(
    CDisplay& display, CSoundSystem* sounds, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    return std::make_unique<CPictureSelector>(x1, y1, x2, y2,
        display.CreateSprite("Graphics\\Gui\\Wood Triangle Left.bmp", 50, 50),
        display.CreateSprite("Graphics\\Gui\\Wood Triangle Right.bmp", 50, 50),
        menu_page::LoadSound("Sounds\\Rotation.wav", sounds), menu_page::LoadSound("Sounds\\Rotation.wav", sounds));
}

} // namespace

COptionsScreen::COptionsScreen(CDXFramework* owningFramework)
    : CScreen(owningFramework)
{
}

COptionsScreen::~COptionsScreen() { COptionsScreen::Deactivate(); }

bool COptionsScreen::Activate()
{
    menu_page::Place(*this);
    LoadResources(display, sounds, mouse, keyboard, fonts);
    return true;
}

bool COptionsScreen::Deactivate()
{
    ReleaseResources();
    return true;
}

bool COptionsScreen::HandleInput()
{
    ContainerInput();
    return true;
}

void COptionsScreen::LoadResources(
    CDisplay* newDisplay, CSoundSystem* newSounds, CMouse* newMouse, CKeyboard* newKeyboard, CFontTable* newFonts)
{
    KeepDevices(newDisplay, newSounds, newMouse, newKeyboard, newFonts);
    if (!display) {
        return;
    }
    background = menu_page::LoadBackground(*display);
    const SOptions options = ReadOptionsFile();
    musicFlag = options.playMusic;
    storedBackdrop = options.backdrop;
    storedTileSet = options.tileSet;

    sensitivitySlider = AddSlider(MakeSlider(*display, 100, options.mouseSensitivity));
    volumeSlider = AddSlider(MakeSlider(*display, 200, options.soundVolume));
    musicBox = AddCheckBox(MakeCheckBox(*display, sounds, 100, options.playMusic != 0));
    // The box shows the mode the display is in. Set from the file alone, it
    // would undo an F5 switch to full screen (which does not rewrite the
    // file) as soon as the page opened, or right after the switch while the
    // page is open.
    fullScreenBox = AddCheckBox(MakeCheckBox(*display, sounds, 300, !display->IsWindowed()));
    AddBackdropSelector();
    AddTileSetSelector();
}

// Each backdrop scaled into a 100 x 100 preview, pushed in front in the
// order of the listing.
void COptionsScreen::AddBackdropSelector()
{
    backdropSelector = AddPictureSelector(MakeSelector(*display, sounds, 65, 340, 265, 440));
    std::vector<std::string> found = platform::ListFiles(kBackdropFolder);
    std::erase_if(found, IsScaledPictureName);
    for (const std::string& name : found) {
        SpritePtr backdrop = display->CreateSprite(std::string(kBackdropFolder) + "\\" + name, 800, 600);
        SpritePtr preview = display->CreateSprite("Graphics\\Gui\\Backdrop Preview.bmp", 100, 100);
        BlitSprite(backdrop.get(), preview.get(), 0, 0, 799, 599, 0, 0, 99, 99);
        backdropSelector->AddEntry(std::move(preview), nullptr, name);
        ReleaseSprite(backdrop);
    }
    // A stored name that is not found leaves the entry added last current.
    backdropSelector->SelectByName(storedBackdrop);
}

// "Bamboo 1.bmp" of each tile set folder drawn into a 64 x 64 preview. The
// listing holds folders only, and never "." or "..".
void COptionsScreen::AddTileSetSelector()
{
    tileSetSelector = AddPictureSelector(MakeSelector(*display, sounds, 330, 365, 480, 415));
    for (const std::string& name : platform::ListFolders(kTileSetFolder)) {
        SpritePtr tile = display->CreateSprite(std::string(kTileSetFolder) + "\\" + name + "\\Bamboo 1.bmp", 64, 64);
        SpritePtr preview = display->CreateSprite("Graphics\\Gui\\Tile Preview.bmp", 64, 64);
        BlitSprite(tile.get(), preview.get(), 0, 0, 44, 60, 10, 0, 50, 60);
        tileSetSelector->AddEntry(std::move(preview), nullptr, name);
        ReleaseSprite(tile);
    }
    tileSetSelector->SelectByName(storedTileSet);
}

void COptionsScreen::ReleaseResources()
{
    // Released twice in a row (a mode switch, then the page's deletion)
    // stores only once, from the widgets that were there.
    if (sensitivitySlider) {
        SOptions options;
        options.mouseSensitivity = sensitivitySlider->GetValue();
        options.soundVolume = volumeSlider->GetValue();
        options.playMusic = musicBox->checked ? 1 : 0;
        options.fullScreen = fullScreenBox->checked ? 1 : 0;
        options.backdrop = backdropSelector->GetCurrentName().value_or(storedBackdrop);
        options.tileSet = tileSetSelector->GetCurrentName().value_or(storedTileSet);
        WriteOptionsFile(options);
    }
    ReleaseSprite(background);
    sensitivitySlider = nullptr;
    volumeSlider = nullptr;
    musicBox = nullptr;
    fullScreenBox = nullptr;
    backdropSelector = nullptr;
    tileSetSelector = nullptr;
    DeleteWidgets();
    ForgetDevices();
}

bool COptionsScreen::Update()
{
    if (!shown || !display) {
        return true;
    }
    menu_page::DrawBackground(*this, background.get());
    ContainerDraw();
    if (fonts) {
        for (const SLabel& label : kLabels) {
            fonts->DrawText(*display, label.text, kFontTimesRoman16, left + label.left, top + label.top,
                left + label.right, top + label.bottom, label.alignment, 0);
        }
    }
    ApplySettings();
    return true;
}

// The settings take effect at once; a change of display mode is asked of
// the framework, which makes it at the end of the frame.
void COptionsScreen::ApplySettings()
{
    if (!sensitivitySlider) {
        return;
    }
    if (mouse) {
        mouse->sensitivity = CMouse::SensitivityFromOption(sensitivitySlider->GetValue());
    }
    if (sounds) {
        sounds->SetVolume(volumeSlider->GetValue());
    }
    musicFlag = musicBox->checked ? 1 : 0;
    if (!framework) {
        return;
    }
    if (display->IsWindowed() && fullScreenBox->checked) {
        framework->requestFullScreen = true;
    } else if (!display->IsWindowed() && !fullScreenBox->checked) {
        framework->requestWindowed = true;
    }
}
