// The device's own services. On the device (_WIN32_WCE) these are the SDK's headers and
// nothing more; on desktop Windows this header declares stand-ins, implemented beside it,
// for what COREDLL and AYGSHELL offer there and the desktop lacks.
#ifndef VELANDRIMOUR_PLATFORM_H
#define VELANDRIMOUR_PLATFORM_H

#include <windows.h>

#ifdef _WIN32_WCE
#include <aygshell.h>
#else

// The shell library's records and calls, as the device declares them, stood in for beside
// this header. SHCreateMenuBar makes a window along the bottom of the parent whose buttons
// open the pop-ups of the template's menu and send the chosen command to the parent, and
// fills info->hwndMB; destroying that window removes the bar. The activation,
// setting-change and input-panel calls succeed: there is no input panel on the desktop.
#include "platform/device/aygshell.h"

// The device reads its bytes in its own ANSI code page: 1251 on the Russian devices the program
// is made for. The desktop's is the PC's, whatever language Windows runs in; a conversion asked
// of CP_ACP gets the device's instead, so that a file reads here as it reads there.
const UINT DeviceAnsiCodePage = 1251;
int WINAPI DeviceMultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
    int wideCount);
#define MultiByteToWideChar DeviceMultiByteToWideChar

// The device starts a program by image name: a bare name is sought in the launcher's own
// directory and then by the system's search, ".exe" is implied, and the new process's
// command line is exactly the one given. The desktop's CreateProcessW does none of that.
BOOL WINAPI DeviceCreateProcessW(LPCWSTR imageName, LPWSTR commandLine,
    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
    LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation);
#define CreateProcessW DeviceCreateProcessW

// The device's start-up hands WinMain the command line exactly as its starter gave it; the
// desktop's C run time drops the blanks and tabs that lead it. The program's WinMain is
// reached through the stand-in's entry instead, which hands it DeviceCommandLine of the
// process's own command line.
int WINAPI DeviceWinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);
#define WinMain DeviceWinMain
// What follows the program's name (quoted, or ending at a blank or tab) and the one blank
// that separates them, when there is one; nothing else is removed.
LPWSTR DeviceCommandLine(LPWSTR processCommandLine);

// On the device a handle with its lowest bit set brings the window forward together with
// the windows it owns, and activates the last active of them; the desktop takes that form
// for no window at all.
BOOL WINAPI DeviceSetForegroundWindow(HWND window);
#define SetForegroundWindow DeviceSetForegroundWindow

// The device's screen that a desktop window stands in for: 240 by 320 pixels in portrait,
// the task bar along the top, a menu bar along the bottom.
const int DeviceScreenWidth = 240;
const int DeviceScreenHeight = 320;
const int DeviceTaskBarHeight = 26;
const int DeviceMenuBarHeight = 26;

// The window rectangle, at the origin, whose client area is the device's screen below its
// task bar, for a window of these styles.
RECT DeviceScreenFrame(DWORD style, DWORD exStyle);
// The class of the window SHCreateMenuBar makes.
const WCHAR DeviceMenuBarClass[] = L"menu_worker";
// Started, by image name too, for "PWord" where the desktop has no program of that name.
const WCHAR PocketWordImage[] = L"PWord";
const WCHAR PocketWordStandIn[] = L"notepad";

// The device's screen: a top-level window created at the default position and size gets
// the device's work area, not the desktop's default: a client area as wide as the
// device's screen and as tall as the screen below its task bar, placed below a task bar
// of the device's height, so that taking the task bar's height off the window's bottom
// coordinate leaves the window as it stands.
HWND WINAPI DeviceCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName,
    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
    HINSTANCE instance, LPVOID parameter);
#define CreateWindowExW DeviceCreateWindowExW

// The device has no registry security: keys are opened and created with access mask 0
// and can then be read and written. The desktop grants nothing for mask 0, so these
// give mask 0 the rights the device implies and pass any other mask through.
LONG WINAPI DeviceRegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD options, DWORD access, PHKEY result);
LONG WINAPI DeviceRegCreateKeyExW(HKEY parent, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
    DWORD options, DWORD access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
#define RegOpenKeyExW DeviceRegOpenKeyExW
#define RegCreateKeyExW DeviceRegCreateKeyExW

#endif // _WIN32_WCE
#endif // VELANDRIMOUR_PLATFORM_H
