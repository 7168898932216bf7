/* The benchmark's second yardstick: the launcher's window and nothing else. The same frame
 * (a 240 by 294 client area at 0,26), the same class icon, a 26-pixel bar along the bottom
 * with one "Файл" push button, and six push buttons with the benchmark's titles, all made
 * before the window is first shown, as the launcher makes them. No configuration, no
 * comctl32: what it costs beside the one-window program is the window itself. */
#include <windows.h>

#define CLIENT_WIDTH 240
#define CLIENT_HEIGHT 294
#define TASK_BAR_HEIGHT 26
#define BAR_HEIGHT 26
#define BAR_BUTTON_PADDING 16
#define BUTTON_X 40
#define BUTTON_FIRST_Y 7
#define BUTTON_PITCH 42
#define BUTTON_WIDTH 160
#define BUTTON_HEIGHT 35
#define BUTTON_COUNT 6

static const WCHAR *const Titles[BUTTON_COUNT] = {
    L"Блокнот", L"Калькулятор", L"Проводник", L"Почта", L"Книги", L"Подменю"
};

static void CreateBar(HWND window, HINSTANCE instance)
{
    static const WCHAR caption[] = L"Файл";
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    SIZE extent = { 0, 0 };
    HDC context;
    HGDIOBJ previous;
    HWND button;
    HWND bar = CreateWindowExW(0, L"SIX_BUTTON_BAR", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
        CLIENT_HEIGHT - BAR_HEIGHT, CLIENT_WIDTH, BAR_HEIGHT, window, NULL, instance, NULL);
    /* The button is as wide as its caption in the bar's font, as on the launcher's bar. */
    context = GetDC(bar);
    previous = SelectObject(context, font);
    GetTextExtentPoint32W(context, caption, (int)(sizeof caption / sizeof caption[0]) - 1, &extent);
    SelectObject(context, previous);
    ReleaseDC(bar, context);
    button = CreateWindowExW(0, L"button", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0,
        extent.cx + BAR_BUTTON_PADDING, BAR_HEIGHT, bar, (HMENU)1, instance, NULL);
    SendMessageW(button, WM_SETFONT, (WPARAM)font, FALSE);
}

static LRESULT CALLBACK SixButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HINSTANCE instance;
    int index;
    switch (message) {
    case WM_CREATE:
        instance = ((const CREATESTRUCTW *)lParam)->hInstance;
        CreateBar(window, instance);
        for (index = 0; index < BUTTON_COUNT; index++)
            CreateWindowExW(0, L"button", Titles[index], WS_CHILD | WS_VISIBLE, BUTTON_X,
                BUTTON_FIRST_Y + BUTTON_PITCH * index, BUTTON_WIDTH, BUTTON_HEIGHT, window,
                (HMENU)(UINT_PTR)(1000 + index), instance, NULL);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static void RegisterClasses(HINSTANCE instance)
{
    WNDCLASSW windowClass = { 0 };
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SixButtonProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = L"SIX_BUTTON_WINDOW";
    RegisterClassW(&windowClass);
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"SIX_BUTTON_BAR";
    RegisterClassW(&windowClass);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand)
{
    /* An overlapped window gets a caption and the window edge: the frame around the client area. */
    RECT frame = { 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT };
    MSG message;
    HWND window;
    (void)previous; (void)commandLine;
    RegisterClasses(instance);
    AdjustWindowRectEx(&frame, WS_VISIBLE | WS_CAPTION, FALSE, WS_EX_WINDOWEDGE);
    window = CreateWindowExW(0, L"SIX_BUTTON_WINDOW", L"Six buttons", WS_VISIBLE, 0, TASK_BAR_HEIGHT,
        frame.right - frame.left, frame.bottom - frame.top, NULL, NULL, instance, NULL);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    while (GetMessageW(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}
