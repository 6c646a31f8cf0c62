#include "gui/error_message.h"

void showGuiError(LPCWSTR text) { MessageBoxW(nullptr, text, L"Velmora", MB_OK); }
