// Asks for the record holder's name after a game with a record result ("OK"
// or "Cancel"); the same prompt serves all three game types.
#pragma once

#include "screens/NameDialog.h"

class CRecordNameDialog : public CNameDialog {
public:
    static constexpr const char* kDefaultName = "Player";
    explicit CRecordNameDialog(CDXFramework* owningFramework);
};
