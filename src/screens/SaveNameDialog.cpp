// The save-name dialog's texts and geometry.
#include "screens/SaveNameDialog.h"

#include "media/TextLayout.h"

namespace {

const SNameDialogLook kSaveLook
    = {CSaveNameDialog::kDefaultName, "Please enter a name to save your game:", media::kAlignCentre, 150, 95, 350, 135,
        160, 105, 340, 125, "Save Game", false};

} // namespace

CSaveNameDialog::CSaveNameDialog(CDXFramework* owningFramework)
    : CNameDialog(owningFramework, kSaveLook)
{
}
