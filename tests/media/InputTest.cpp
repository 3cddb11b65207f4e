// Device creation: which device each object gets, acquired, and released
// again when the objects go at a change of display mode.
#include "media/Input.h"
#include "media/Keyboard.h"
#include "media/Mouse.h"
#include "platform/InputFake.h"

#include <gtest/gtest.h>

TEST(InputTest, CreatesAcquiresAndReleasesTheDevicesPerDisplayMode)
{
    const platform::MouseAccess accesses[] = {platform::MouseAccess::Exclusive, platform::MouseAccess::Shared};
    for (platform::MouseAccess access : accesses) {
        auto system = std::make_unique<platform::CFakeInputSystem>();
        auto mouseControl = system->mouse;
        auto keyboardControl = system->keyboard;
        {
            CInput input;
            ASSERT_TRUE(input.Create(nullptr, std::move(system)));
            CMouse mouse;
            CKeyboard keyboard;
            ASSERT_TRUE(input.CreateMouse(&mouse, nullptr, access));
            mouse.SetBounds(800, 600);
            ASSERT_TRUE(input.CreateKeyboard(&keyboard));
            EXPECT_EQ(mouseControl->access, access);
            EXPECT_TRUE(mouseControl->acquired);
            EXPECT_TRUE(keyboardControl->acquired);

            mouseControl->Move(30, 40);
            keyboardControl->SetKey(DIK_F5, true);
            mouse.Poll();
            keyboard.Poll();
            EXPECT_EQ(mouse.x, 30);
            EXPECT_EQ(mouse.y, 40);
            EXPECT_TRUE(keyboard.IsKeyDown(DIK_F5));
        }
        EXPECT_TRUE(mouseControl->released);
        EXPECT_TRUE(keyboardControl->released);
        EXPECT_FALSE(mouseControl->acquired);
        EXPECT_FALSE(keyboardControl->acquired);
    }
}

TEST(InputTest, NothingIsCreatedWithoutAnInputSystemOrATarget)
{
    CInput uncreated;
    CMouse mouse;
    CKeyboard keyboard;
    EXPECT_FALSE(uncreated.CreateMouse(&mouse, nullptr, platform::MouseAccess::Shared));
    EXPECT_FALSE(uncreated.CreateKeyboard(&keyboard));

    CInput input;
    input.Create(nullptr, std::make_unique<platform::CFakeInputSystem>());
    EXPECT_FALSE(input.CreateMouse(nullptr, nullptr, platform::MouseAccess::Shared));
    EXPECT_FALSE(input.CreateKeyboard(nullptr));
}

TEST(InputTest, AFocusThatArrivesAfterCreationIsPickedUpByThePolls)
{
    auto system = std::make_unique<platform::CFakeInputSystem>();
    auto mouseControl = system->mouse;
    mouseControl->foreground = false;
    CInput input;
    input.Create(nullptr, std::move(system));
    CMouse mouse;
    input.CreateMouse(&mouse, nullptr, platform::MouseAccess::Exclusive);
    EXPECT_FALSE(mouseControl->acquired);
    mouseControl->foreground = true;
    mouseControl->SetButton(1, true);
    mouse.Poll();
    EXPECT_TRUE(mouse.IsButtonDown(1));
}
