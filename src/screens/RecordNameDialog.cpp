// The record-name dialog's texts and geometry.
#include "screens/RecordNameDialog.h"

#include "media/TextLayout.h"

namespace {

const SNameDialogLook kRecordLook = {CRecordNameDialog::kDefaultName,
    "Congratulations, you achieved the best time! Please enter your name below:", media::kAlignLeft, 150, 110, 350, 150,
    160, 120, 340, 140, "OK", true};

} // namespace

CRecordNameDialog::CRecordNameDialog(CDXFramework* owningFramework)
    : CNameDialog(owningFramework, kRecordLook)
{
}
