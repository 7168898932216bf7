// The application shell: entry, launcher window, menu commands and error reporting.
#ifndef VELANDRIMOUR_SHELL_H
#define VELANDRIMOUR_SHELL_H

#include "platform/platform.h"
#include "config/config.h"
#include "app/instance.h"
#include "base/report.h"
#include "ui/resource.h"

const WCHAR WindowClassName[] = L"VELANDRIMOUR";
const WCHAR WindowTitle[] = L"Velandrimour";
// Shown over the empty window when a start without a file finds no "[]" section.
const WCHAR NoQuickLaunchCaption[] = L"Сообщение";
const WCHAR NoQuickLaunchNotice[] =
    L"Программа запущена без параметров, но в файле velandrimour.ini нет раздела \"[]\".";
// Taken off the window's bottom coordinate when a menu bar exists.
const int MenuBarAllowance = 26;

extern HWND MenuBarWindow;
extern HWND ButtonWindows[EntrySlots];
extern SHACTIVATEINFO ActivateInfo;

// One entry button per slot, their identifiers contiguous: the slot is the offset.
STATIC_ASSERT(IDC_ENTRY_LAST - IDC_ENTRY_FIRST + 1 == EntrySlots, "one button identifier per slot");
STATIC_ASSERT(IDC_ENTRY_FIRST == 9000, "a second start without a file sends 9000");
// The device's records, wherever the build is 32-bit like the device.
STATIC_ASSERT(sizeof(void *) != 4 || sizeof(SHACTIVATEINFO) == 12, "the device's activation record");
STATIC_ASSERT(sizeof(void *) != 4 || sizeof(SHMENUBARINFO) == 36, "the device's menu-bar description");

// Returns false when the program is to end at once (hand-off or failed creation).
bool InitInstance(HINSTANCE instance, int showCommand);
ATOM RegisterWindowClass(HINSTANCE instance, LPCWSTR className);
HWND CreateMainWindow(HINSTANCE instance, LPCWSTR className, DWORD style);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CreateEntryButtons(HWND window, HINSTANCE instance);
void StartEntryCommand(HWND window, int slot);
void OpenSubmenu(HWND window, int slot);
void CloseLauncher(HWND window);

// Carries out the "Файл" menu's commands other than "Выход"; false for any other identifier.
bool RunMenuCommand(HWND window, UINT identifier);
void ShowResourceDialog(HWND window, UINT templateId, DLGPROC dialogProc);

#endif // VELANDRIMOUR_SHELL_H
