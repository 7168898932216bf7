/* The application shell: entry, launcher window, menu commands and error reporting. */
#ifndef VELANDRIMOUR_SHELL_H
#define VELANDRIMOUR_SHELL_H

#include "platform/platform.h"
#include "config/config.h"

#ifdef __cplusplus
extern "C" {
#endif

#define WINDOW_CLASS_NAME L"VELANDRIMOUR"
#define WINDOW_TITLE L"Velandrimour"
/* Taken off the window's bottom coordinate when a menu bar exists. */
#define MENU_BAR_ALLOWANCE 26

#if defined(__GNUC__)
#define NORETURN __attribute__((noreturn))
#else
#define NORETURN __declspec(noreturn)
#endif

extern HINSTANCE AppInstance;
extern HWND MenuBarWindow;
extern HWND ButtonWindows[ENTRY_SLOTS];
extern SHACTIVATEINFO ActivateInfo;

/* Room for the longest message any report can make: the missing-file report with a
 * ConfigPath of 497 characters and the Pocket Word offer is 592 characters. */
#define REPORT_CAPACITY 600

/* Shows text1, text2 and text3 joined under the caption and ends the program with status 1. */
NORETURN void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3);

/* As ReportFatal, offering first to open the configuration file in Pocket Word. */
NORETURN void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3);

/* Returns FALSE when the program is to end at once (hand-off or failed creation). */
BOOL InitInstance(HINSTANCE instance, int showCommand);
ATOM RegisterWindowClass(HINSTANCE instance, LPCWSTR className);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CreateEntryButtons(HWND window, HINSTANCE instance);
void StartEntryCommand(HWND window, int slot);
void OpenSubmenu(HWND window, int slot);
void CloseLauncher(HWND window);

/* Carries out the "Файл" menu's commands other than "Выход". */
void RunMenuCommand(HWND window, UINT identifier);
void ShowResourceDialog(HWND window, UINT templateId, DLGPROC dialogProc);

#ifdef __cplusplus
}
#endif

#endif /* VELANDRIMOUR_SHELL_H */
