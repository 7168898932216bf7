// Start-up: the single-instance hand-off and the launcher window's creation.
#include "app/shell.h"

HINSTANCE AppInstance;

namespace {

// A running instance is handed the start: without a file it presses its first button and
// this process ends; with a file it is asked to close. Returns true to go on.
bool HandOffToRunningInstance()
{
    HWND running = FindWindowW(WindowClassName, WindowTitle);
    if (!running)
        return true;
    if (FileArgument[0] == 0) {
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(running) | 1));
        SendMessageW(running, WM_COMMAND, IDC_ENTRY_FIRST, 0);
        return false;
    }
    SendMessageW(running, WM_CLOSE, 0, 0);
    return true;
}

// Takes the menu bar's height off the window: the bottom coordinate less the bar stands
// where the height goes, and the right coordinate where the width goes.
void FitWindowAboveMenuBar(HWND window)
{
    RECT rectangle;
    GetWindowRect(window, &rectangle);
    if (MenuBarWindow)
        MoveWindow(window, rectangle.left, rectangle.top, rectangle.right, rectangle.bottom - MenuBarAllowance,
            FALSE);
}

} // namespace

// Registers the launcher's window class: its procedure, icon and white background.
ATOM RegisterWindowClass(HINSTANCE instance, LPCWSTR className)
{
    WNDCLASSW windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELANDRIMOUR));
    windowClass.hCursor = NULL;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass);
}

// The launcher window of that class at the device's size, fitted above its menu bar: the
// launcher's own is visible, the checker's pictures of it are not. NULL when creation fails.
HWND CreateMainWindow(HINSTANCE instance, LPCWSTR className, DWORD style)
{
    HWND window = CreateWindowExW(0, className, WindowTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, NULL, NULL, instance, NULL);
    if (window)
        FitWindowAboveMenuBar(window);
    return window;
}

// Hands the start to a running instance, or creates and shows the launcher window.
bool InitInstance(HINSTANCE instance, int showCommand)
{
    AppInstance = instance;
    if (!HandOffToRunningInstance())
        return false;
    RegisterWindowClass(instance, WindowClassName);
    HWND window = CreateMainWindow(instance, WindowClassName, WS_VISIBLE);
    if (!window)
        return false;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}
