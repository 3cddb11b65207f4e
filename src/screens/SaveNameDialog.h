// Asks for the name a game in progress is saved under ("Save Game" or
// "Cancel"). An empty name is handed over as it is; the owner decides.
#pragma once

#include "screens/NameDialog.h"

class CSaveNameDialog : public CNameDialog {
public:
    static constexpr const char* kDefaultName = "Save File";
    explicit CSaveNameDialog(CDXFramework* owningFramework);
};
