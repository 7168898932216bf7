// The screens' sheet in a pane of its own that scrolls both ways, by the scroll bars, the wheel
// and the keyboard.
#pragma once

#include <windows.h>

#include "check/screens/sheet.h"

namespace check {

HWND CreateSheetView(HWND parent, int id);
// Shows the picture of that many screens, or, with none, the message in its place.
void ShowSheet(HWND view, const Picture &picture, const std::wstring &message, size_t screens = 0);

}  // namespace check
