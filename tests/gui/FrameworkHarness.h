// A framework on fakes for frame-by-frame tests: the fake clock, the fake
// video backend, a fake desktop with scriptable mouse and keyboard, and a
// temporary run folder as the current directory.
#pragma once

#include "gui/DXFramework.h"
#include "media/Mouse.h"
#include "platform/Clock.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeVideoBackend.h"
#include "platform/Files.h"
#include "support/TempDir.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_support {

class CFrameworkHarness {
public:
    CFrameworkHarness()
        : currentDir(runFolder.Path())
    {
        runFolder.MakeFolder("Data");
        runFolder.MakeFolder("Saves");
    }

    // Copies folders of the built run folder (pictures, sounds, fonts) into
    // the temporary one; false when the data has not been built.
    bool CopyRunData(const std::string& relative)
    {
        const char* built = std::getenv("VELMORA_RUN_DIR");
        const std::filesystem::path from = std::filesystem::path(built ? built : "") / relative;
        if (built == nullptr || !std::filesystem::exists(from)) {
            return false;
        }
        const std::filesystem::path to = std::filesystem::path(runFolder.Path()) / relative;
        std::filesystem::create_directories(to.parent_path());
        std::filesystem::copy(
            from, to, std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        return true;
    }

    void SetKey(uint8_t code, bool down) { desktopState.keyboard->SetKey(code, down); }
    void SetLeftButton(bool down) { desktopState.mouse->SetButton(0, down); }
    // The system pointer, in screen coordinates (windowed mode reads it).
    void PointAt(int32_t x, int32_t y)
    {
        desktopState.cursorX = x;
        desktopState.cursorY = y;
    }
    // One frame with the pointer at picture (x, y) and the left button as
    // given, then the clock moves on by ms; the frame's result.
    int32_t Frame(CDXFramework& framework, int32_t x, int32_t y, bool down, uint32_t ms = 20)
    {
        PointAt(x, y);
        framework.Mouse()->x = x;
        framework.Mouse()->y = y;
        SetLeftButton(down);
        const int32_t result = framework.RunFrame();
        clock->Advance(ms);
        return result;
    }

    platform::CScopedFakeClock clock{50000};
    platform::CScopedFakeVideo video;
    platform::FakeDesktopState desktopState;
    platform::CFakeDesktop desktop{desktopState};
    CTempDir runFolder;

private:
    CScopedCurrentDir currentDir;
};

} // namespace testing_support
