// The two name-entry dialogs on the fake framework: their rectangles, the
// result protocol, an empty name handed over as it is, both buttons in one
// frame, and the typed text surviving a display switch.
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

TEST_F(NameDialogTest, BothDialogsLieInFrontWithTheirWidgets)
{
    auto save = Open<CSaveNameDialog>();
    EXPECT_EQ(save->layer, 0);
    EXPECT_EQ(save->left, 150);
    EXPECT_EQ(save->top, 175);
    EXPECT_EQ(save->right, 650);
    EXPECT_EQ(save->bottom, 425);
    EXPECT_EQ(save->name, "Save File");
    EXPECT_EQ(save->result, 0);
    ASSERT_NE(save->inputBox, nullptr);
    EXPECT_TRUE(save->inputBox->focused);
    EXPECT_TRUE(save->inputBox->text.empty());
    EXPECT_TRUE(save->inputBox->Contains(151, 96));
    EXPECT_FALSE(save->inputBox->Contains(151, 135));
    EXPECT_EQ(save->confirmButton->Caption(), "Save Game");
    EXPECT_TRUE(save->confirmButton->Contains(151, 191));
    EXPECT_TRUE(save->cancelButton->Contains(464, 234));
    EXPECT_FALSE(save->cancelButton->Contains(465, 234));

    auto record = Open<CRecordNameDialog>();
    EXPECT_EQ(record->name, "Player");
    EXPECT_EQ(record->confirmButton->Caption(), "OK");
    EXPECT_TRUE(record->inputBox->Contains(151, 111));
    EXPECT_FALSE(record->inputBox->Contains(151, 110));
}

TEST_F(NameDialogTest, ConfirmHandsOverTheBoxEvenEmptyAndCancelKeepsTheDefault)
{
    auto save = Open<CSaveNameDialog>();
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

// Enter (either key) confirms what was typed and Escape cancels, each as a
// click on its button would: pushed at once, reported 250 ms later.
TEST_F(NameDialogTest, EnterConfirmsAndEscapeCancels)
{
    for (const uint8_t enter : {DIK_RETURN, DIK_NUMPADENTER}) {
        auto save = Open<CSaveNameDialog>();
        Type(DIK_Q);
        harness.SetKey(enter, true);
        Frame(5, 5, false, 100);
        EXPECT_TRUE(save->confirmButton->pressed);
        EXPECT_EQ(save->result, 0);
        harness.SetKey(enter, false);
        Frame(5, 5, false, 200);
        Frame(5, 5, false);
        EXPECT_EQ(save->result, 1);
        EXPECT_EQ(save->name, "q");
        framework.DetachScreen(save.get());
    }

    auto record = Open<CRecordNameDialog>();
    Type(DIK_K);
    harness.SetKey(DIK_ESCAPE, true);
    Frame(5, 5, false, 300);
    harness.SetKey(DIK_ESCAPE, false);
    Frame(5, 5, false);
    EXPECT_EQ(record->result, 2);
    EXPECT_EQ(record->name, "Player");
    framework.DetachScreen(record.get());
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
