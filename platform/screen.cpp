// The device's screen, for the desktop.
#include "platform/platform.h"

#ifndef _WIN32_WCE
#undef CreateWindowExW

RECT DeviceScreenFrame(DWORD style, DWORD exStyle)
{
    RECT frame = { 0, 0, DeviceScreenWidth, DeviceScreenHeight - DeviceTaskBarHeight };
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

HWND WINAPI DeviceCreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName,
    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
    HINSTANCE instance, LPVOID parameter)
{
    if (!parent && !(style & (WS_CHILD | WS_POPUP)) && x == static_cast<int>(CW_USEDEFAULT)
        && width == static_cast<int>(CW_USEDEFAULT)) {
        // An overlapped window always gets a caption and the window edge.
        RECT frame = DeviceScreenFrame(style | WS_CAPTION, exStyle | WS_EX_WINDOWEDGE);
        x = 0;
        y = DeviceTaskBarHeight;
        width = frame.right - frame.left;
        height = frame.bottom - frame.top;
    }
    return CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance,
        parameter);
}

#endif // _WIN32_WCE
