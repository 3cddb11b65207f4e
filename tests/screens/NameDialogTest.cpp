// The two name-entry dialogs on the fake framework: the result protocol, an
// empty name handed over as it is, the typed text surviving a display switch,
// and both buttons in one frame.
#include "gui/FrameworkHarness.h"
#include "gui/InputBox.h"
#include "gui/TextButton.h"
#include "platform/InputKeyCodes.h"
#include "screens/RecordNameDialog.h"
#include "screens/SaveNameDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class NameDialogTest : public testing::Test {
protected:
    NameDialogTest()
    {
        harness.CopyRunData("Graphics");
        harness.CopyRunData("Sounds");
        framework.SetFullScreenMode(800, 600, 32);
    }

    std::unique_ptr<CNameDialog> Open(bool save)
    {
        std::unique_ptr<CNameDialog> dialog = save ? std::unique_ptr<CNameDialog>(new CSaveNameDialog(&framework))
                                                   : std::make_unique<CRecordNameDialog>(&framework);
        framework.AttachScreen(dialog.get());
        dialog->Activate();
        return dialog;
    }
    // A key down for one frame; the next one is waited for as long as given.
    void Key(uint8_t key, uint32_t ms)
    {
        harness.SetKey(key, true);
        harness.Frame(framework, 5, 5, false, ms);
        harness.SetKey(key, false);
    }

    testing_support::CFrameworkHarness harness;
    CDXFramework framework{&harness.desktop};
};

// The confirming button at (375, 387) and "Cancel" at (540, 387) on the
// screen; Enter and Escape push them (their timing is the dialog frame's,
// tested with the message dialog). A display switch while typing (a 0 among
// the keys) keeps the text typed and the focus. Both buttons pushed in one
// frame read as Cancel for the save dialog only.
TEST_F(NameDialogTest, TheResultAndTheNameAsTheButtonsAndKeysGiveThem)
{
    struct Case {
        bool save;
        std::vector<uint8_t> typed; // 0: a display switch
        int32_t clickX; // 0: the key instead; -1: both buttons at once
        uint8_t key;
        int32_t result;
        const char* name;
    };
    const Case cases[] = {
        {true, {}, 375, 0, 1, ""},
        {false, {DIK_K}, 540, 0, 2, "Player"},
        {false, {DIK_K, 0, DIK_7}, 375, 0, 1, "k7"},
        {false, {DIK_Q}, 0, DIK_RETURN, 1, "q"},
        {true, {DIK_Q}, 0, DIK_ESCAPE, 2, "Save File"},
        {true, {}, -1, 0, 2, ""}, // the name copied, then Cancel seen too
        {false, {}, -1, 0, 1, ""},
    };
    for (const Case& c : cases) {
        auto dialog = Open(c.save);
        EXPECT_TRUE(dialog->inputBox->focused);
        for (const uint8_t key : c.typed) {
            key == 0 ? (void)framework.SetWindowedMode(800, 600) : Key(key, 210); // the box's repeat block
        }
        if (c.clickX > 0) {
            harness.Frame(framework, c.clickX, 387, true);
        } else if (c.clickX < 0) {
            dialog->confirmButton->Press(nullptr);
            dialog->cancelButton->Press(nullptr);
        } else {
            Key(c.key, 20);
        }
        for (int i = 0; i < 3; ++i) {
            harness.Frame(framework, std::max(c.clickX, 0), 387, false, 130); // the click's report
        }
        EXPECT_EQ(dialog->result, c.result) << c.name;
        EXPECT_EQ(dialog->name, c.name);
        framework.DetachScreen(dialog.get());
    }
}

} // namespace
