// The menu bar and the three dialogs.
#ifndef VELANDRIMOUR_DIALOGS_H
#define VELANDRIMOUR_DIALOGS_H

#include "platform/platform.h"
#include "ui/resource.h"

// Returns the menu bar's window, or NULL when the platform could not make it.
HWND CreateMenuBar(HWND parent);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AssociateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The longest extension the manual registration dialog passes on.
const int TypedExtensionMaxLength = 40;

// What the Help dialog shows.
extern const WCHAR HelpText[];

#endif // VELANDRIMOUR_DIALOGS_H
