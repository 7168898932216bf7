/* The benchmark's yardstick: a Win32 program that registers a class, shows one window and
 * runs its message loop until the window is closed. */
#include <windows.h>

static LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand)
{
    WNDCLASSW windowClass = { 0 };
    MSG message;
    (void)previous; (void)commandLine;
    windowClass.lpfnWndProc = MinimalProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = L"MINIMAL_WINDOW";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"MINIMAL_WINDOW", L"Minimal", WS_VISIBLE, 0, 26, 246, 320, NULL, NULL, instance, NULL);
    ShowWindow(FindWindowW(L"MINIMAL_WINDOW", L"Minimal"), showCommand);
    while (GetMessageW(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}
