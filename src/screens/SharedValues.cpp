// The program-wide values between screens.
#include "screens/SharedValues.h"

std::string pendingLoadPath;
int32_t musicFlag = 0;
std::function<bool(const std::string& path)> savedGameCheck;
