// The one way the GUI tells the user that something failed: a modal box with
// the program's caption that the user dismisses.
#pragma once

#include "platform/win32.h"

void showGuiError(LPCWSTR text);
