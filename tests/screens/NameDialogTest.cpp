// The two name-entry dialogs on the fake framework: the result protocol, an empty name handed over as it is, both
// buttons in one frame, and the typed text surviving a display switch.
#include "gui/DXFramework.h"
#include "gui/FrameworkHarness.h"
#include "gui/InputBox.h"
#include "gui/TextButton.h"
#include "media/Mouse.h"
#include "platform/InputKeyCodes.h"
#include "screens/RecordNameDialog.h"
#include "screens/SaveNameDialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

using testing_support::CFrameworkHarness;

namespace {

class NameDialogTest : public testing::Test {
protected:
    NameDialogTest()
    {
        harness.CopyRunData("Graphics");
        harness.CopyRunData("Sounds");
        harness.CopyRunData("Data");
        framework.SetFullScreenMode(800, 600, 32);
    }

    template <typename Dialog> std::unique_ptr<Dialog> Open()
    {
        auto dialog = std::make_unique<Dialog>(&framework);
        framework.AttachScreen(dialog.get());
        dialog->Activate();
        return dialog;
    }

    void Frame(int32_t x, int32_t y, bool down, uint32_t ms = 20)
    {
        framework.Mouse()->x = x;
        framework.Mouse()->y = y;
        harness.SetLeftButton(down);
        framework.RunFrame();
        harness.clock->Advance(ms);
    }
    void ClickAndWait(int32_t x, int32_t y)
    {
        Frame(x, y, true);
        Frame(x, y, false, 130);
        Frame(x, y, false, 130);
        Frame(x, y, false, 130);
    }
    void Type(uint8_t key)
    {
        harness.SetKey(key, true);
        Frame(5, 5, false, 210);
        harness.SetKey(key, false);
    }

    CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
};

// The clicks at "Save Game"/"OK" (375, 387) and "Cancel" (540, 387) find the
// buttons where they belong.
TEST_F(NameDialogTest, ConfirmHandsOverTheBoxEvenEmptyAndCancelKeepsTheDefault)
{
    auto save = Open<CSaveNameDialog>();
    EXPECT_EQ(save->name, "Save File");
    EXPECT_TRUE(save->inputBox->focused);
    ClickAndWait(375, 387);
    EXPECT_EQ(save->result, 1);
    EXPECT_EQ(save->name, "");
    framework.DetachScreen(save.get());

    auto record = Open<CRecordNameDialog>();
    Type(DIK_K);
    ClickAndWait(540, 387);
    EXPECT_EQ(record->result, 2);
    EXPECT_EQ(record->name, "Player");
    framework.DetachScreen(record.get());

    record = Open<CRecordNameDialog>();
    Type(DIK_K);
    Type(DIK_7);
    ClickAndWait(375, 387);
    EXPECT_EQ(record->result, 1);
    EXPECT_EQ(record->name, "k7");
    framework.DetachScreen(record.get());
}

// Enter confirms what was typed and Escape cancels (the keys' timing is the
// dialog frame's, tested with the message dialog).
TEST_F(NameDialogTest, EnterConfirmsAndEscapeCancels)
{
    for (const auto& [key, result, name] : {std::tuple{DIK_RETURN, 1, "q"}, {DIK_ESCAPE, 2, "Player"}}) {
        auto record = Open<CRecordNameDialog>();
        Type(DIK_Q);
        harness.SetKey(key, true);
        Frame(5, 5, false, 300);
        harness.SetKey(key, false);
        Frame(5, 5, false);
        EXPECT_EQ(record->result, result);
        EXPECT_EQ(record->name, name);
        framework.DetachScreen(record.get());
    }
}

TEST_F(NameDialogTest, BothClicksInOneFrameReadAsCancelForTheSaveOnly)
{
    for (const bool save : {true, false}) {
        std::unique_ptr<CNameDialog> dialog
            = save ? std::unique_ptr<CNameDialog>(Open<CSaveNameDialog>()) : Open<CRecordNameDialog>();
        Frame(5, 5, false);
        dialog->confirmButton->Press(nullptr);
        dialog->cancelButton->Press(nullptr);
        Frame(5, 5, false, 300);
        Frame(5, 5, false);
        EXPECT_EQ(dialog->result, save ? 2 : 1) << (save ? "save" : "record");
        framework.DetachScreen(dialog.get());
    }
}

TEST_F(NameDialogTest, TheTypedNameSurvivesADisplaySwitch)
{
    auto save = Open<CSaveNameDialog>();
    Type(DIK_A);
    Type(DIK_B);
    framework.SetWindowedMode(800, 600);
    ASSERT_NE(save->inputBox, nullptr);
    EXPECT_EQ(save->inputBox->text, "ab");
    EXPECT_TRUE(save->inputBox->focused);
    framework.DetachScreen(save.get());
}

} // namespace
