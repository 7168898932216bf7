/* Start-up: the single-instance hand-off and the launcher window's creation. */
#include "app/shell.h"
#include "ui/resource.h"

HINSTANCE AppInstance;

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
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass);
}

/* A running instance is handed the start: without a file it presses its first button and
 * this process ends; with a file it is asked to close. Returns TRUE to go on. */
static BOOL HandOffToRunningInstance(void)
{
    HWND running = FindWindowW(WINDOW_CLASS_NAME, WINDOW_TITLE);
    if (!running)
        return TRUE;
    if (FileArgument[0] == 0) {
        SetForegroundWindow((HWND)((ULONG_PTR)running | 1));
        SendMessageW(running, WM_COMMAND, IDC_ENTRY_FIRST, 0);
        return FALSE;
    }
    SendMessageW(running, WM_CLOSE, 0, 0);
    return TRUE;
}

/* Takes the menu bar's height off the window: the bottom coordinate less the bar stands
 * where the height goes, and the right coordinate where the width goes. */
static void FitWindowAboveMenuBar(HWND window)
{
    RECT rectangle;
    GetWindowRect(window, &rectangle);
    if (MenuBarWindow)
        MoveWindow(window, rectangle.left, rectangle.top, rectangle.right, rectangle.bottom - MENU_BAR_ALLOWANCE,
            FALSE);
}

BOOL InitInstance(HINSTANCE instance, int showCommand)
{
    HWND window;
    AppInstance = instance;
    if (!HandOffToRunningInstance())
        return FALSE;
    RegisterWindowClass(instance, WINDOW_CLASS_NAME);
    window = CreateWindowExW(0, WINDOW_CLASS_NAME, WINDOW_TITLE, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
    if (!window)
        return FALSE;
    FitWindowAboveMenuBar(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return TRUE;
}
