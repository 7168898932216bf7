/* The Pocket PC shell's menu bar, activation and input-panel calls, for the desktop. */
#include "platform/platform.h"

#ifndef _WIN32_WCE
#include <commctrl.h>

/* The template: menu id and button count, then per button its image, command, state,
 * style, caption string, a zero and the index of its pop-up in the menu. */
#define TEMPLATE_HEADER_WORDS 2
#define TEMPLATE_BUTTON_WORDS 7
#define MENU_BAR_BUTTONS 4
#define MENU_BARS 4
#define CAPTION_CAPACITY 64
#define BUTTON_PADDING 16
#define DROP_DOWN_STYLE 0x08 /* TBSTYLE_DROPDOWN */
#define PARENT_SUBCLASS_ID 1
/* A tap is carried out once the button has finished with it and released the mouse. */
#define WM_OPEN_MENU_BAR_BUTTON (WM_APP + 1)

typedef struct MenuBarButton {
    UINT Command;
    WORD Style;
    WORD MenuIndex;
} MenuBarButton;

/* One bar's template, kept while the bar exists. */
typedef struct MenuBar {
    HWND Window;
    HWND Parent;
    HMENU Menu;
    int ButtonCount;
    MenuBarButton Buttons[MENU_BAR_BUTTONS];
} MenuBar;

static MenuBar MenuBars[MENU_BARS];
static BOOL MenuBarClassRegistered;

static MenuBar *FindMenuBar(HWND window)
{
    int index;
    for (index = 0; index < MENU_BARS; index++)
        if (MenuBars[index].Window == window)
            return &MenuBars[index];
    return NULL;
}

/* Places the bar across the bottom of its parent's client area. */
static void PlaceMenuBar(HWND bar, HWND parent)
{
    RECT client;
    GetClientRect(parent, &client);
    MoveWindow(bar, 0, client.bottom - DEVICE_MENU_BAR_HEIGHT, client.right, DEVICE_MENU_BAR_HEIGHT, TRUE);
}

/* Keeps the bar along the bottom when the parent is resized. */
static LRESULT CALLBACK ParentSubclassProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam,
    UINT_PTR id, DWORD_PTR bar)
{
    (void)id;
    if (message == WM_SIZE)
        PlaceMenuBar((HWND)bar, parent);
    return DefSubclassProc(parent, message, wParam, lParam);
}

/* Opens a button's pop-up above it, or takes its own command, and posts the command chosen
 * to the parent: the command may well destroy the bar. */
static void PressMenuBarButton(MenuBar *bar, int index, HWND button)
{
    UINT command = bar->Buttons[index].Command;
    if (bar->Buttons[index].Style & DROP_DOWN_STYLE) {
        RECT place;
        HMENU popup = GetSubMenu(bar->Menu, bar->Buttons[index].MenuIndex);
        if (!popup)
            return;
        GetWindowRect(button, &place);
        SetForegroundWindow(bar->Parent);
        command = (UINT)TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
            place.left, place.top, 0, bar->Window, NULL);
        PostMessageW(bar->Window, WM_NULL, 0, 0);
    }
    if (command)
        PostMessageW(bar->Parent, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

static LRESULT CALLBACK MenuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MenuBar *bar = FindMenuBar(window);
    int index;
    switch (message) {
    case WM_COMMAND:
        if (!bar || HIWORD(wParam) != BN_CLICKED)
            break;
        for (index = 0; index < bar->ButtonCount; index++)
            if (bar->Buttons[index].Command == LOWORD(wParam)) {
                PostMessageW(window, WM_OPEN_MENU_BAR_BUTTON, (WPARAM)index, lParam);
                return 0;
            }
        break;
    case WM_OPEN_MENU_BAR_BUTTON:
        if (bar && (int)wParam < bar->ButtonCount)
            PressMenuBarButton(bar, (int)wParam, (HWND)lParam);
        return 0;
    case WM_DESTROY:
        if (!bar)
            break;
        RemoveWindowSubclass(bar->Parent, ParentSubclassProc, PARENT_SUBCLASS_ID);
        DestroyMenu(bar->Menu);
        ZeroMemory(bar, sizeof *bar);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static BOOL RegisterMenuBarClass(void)
{
    WNDCLASSW windowClass;
    if (MenuBarClassRegistered)
        return TRUE;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = MenuBarProc;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = DEVICE_MENU_BAR_CLASS;
    MenuBarClassRegistered = RegisterClassW(&windowClass) != 0;
    return MenuBarClassRegistered;
}

/* Reads the template's words; FALSE when it is missing or malformed. */
static BOOL ReadMenuBarTemplate(MenuBar *bar, const SHMENUBARINFO *info, UINT *captions)
{
    HRSRC found = FindResourceW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId), (LPCWSTR)RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(info->hInstRes, found) : NULL;
    const WORD *words = loaded ? (const WORD *)LockResource(loaded) : NULL;
    DWORD wordCount = found ? SizeofResource(info->hInstRes, found) / sizeof(WORD) : 0;
    int index;
    if (!words || wordCount < TEMPLATE_HEADER_WORDS)
        return FALSE;
    bar->ButtonCount = words[1];
    if (bar->ButtonCount > MENU_BAR_BUTTONS
        || wordCount < TEMPLATE_HEADER_WORDS + (DWORD)bar->ButtonCount * TEMPLATE_BUTTON_WORDS)
        return FALSE;
    for (index = 0; index < bar->ButtonCount; index++) {
        const WORD *button = words + TEMPLATE_HEADER_WORDS + index * TEMPLATE_BUTTON_WORDS;
        bar->Buttons[index].Command = button[1];
        bar->Buttons[index].Style = button[3];
        captions[index] = button[4];
        bar->Buttons[index].MenuIndex = button[6];
    }
    bar->Menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(words[0]));
    return bar->Menu != NULL;
}

/* One push button per template button, left to right, each as wide as its caption. */
static void CreateMenuBarButtons(MenuBar *bar, HINSTANCE resources, const UINT *captions)
{
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    HDC context = GetDC(bar->Window);
    HGDIOBJ previous = SelectObject(context, font);
    int index, x = 0;
    for (index = 0; index < bar->ButtonCount; index++) {
        WCHAR caption[CAPTION_CAPACITY] = L"";
        SIZE extent = { 0, 0 };
        HWND button;
        int length = LoadStringW(resources, captions[index], caption, CAPTION_CAPACITY);
        GetTextExtentPoint32W(context, caption, length, &extent);
        button = CreateWindowExW(0, L"button", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 0,
            extent.cx + BUTTON_PADDING, DEVICE_MENU_BAR_HEIGHT, bar->Window,
            (HMENU)(UINT_PTR)bar->Buttons[index].Command, GetModuleHandleW(NULL), NULL);
        SendMessageW(button, WM_SETFONT, (WPARAM)font, FALSE);
        x += extent.cx + BUTTON_PADDING;
    }
    SelectObject(context, previous);
    ReleaseDC(bar->Window, context);
}

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *info)
{
    UINT captions[MENU_BAR_BUTTONS];
    MenuBar *bar = FindMenuBar(NULL);
    if (!bar || !info || !IsWindow(info->hwndParent) || !RegisterMenuBarClass())
        return FALSE;
    bar->Parent = info->hwndParent;
    if (!ReadMenuBarTemplate(bar, info, captions)) {
        if (bar->Menu)
            DestroyMenu(bar->Menu);
        ZeroMemory(bar, sizeof *bar);
        return FALSE;
    }
    bar->Window = CreateWindowExW(0, DEVICE_MENU_BAR_CLASS, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
        0, DEVICE_MENU_BAR_HEIGHT, info->hwndParent, NULL, GetModuleHandleW(NULL), NULL);
    if (!bar->Window) {
        DestroyMenu(bar->Menu);
        ZeroMemory(bar, sizeof *bar);
        return FALSE;
    }
    CreateMenuBarButtons(bar, info->hInstRes, captions);
    PlaceMenuBar(bar->Window, bar->Parent);
    SetWindowSubclass(bar->Parent, ParentSubclassProc, PARENT_SUBCLASS_ID, (DWORD_PTR)bar->Window);
    info->hwndMB = bar->Window;
    return TRUE;
}

BOOL WINAPI SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO *info, DWORD flags)
{
    (void)window; (void)lParam; (void)flags;
    if (info)
        info->fActive = LOWORD(wParam) != WA_INACTIVE;
    return TRUE;
}

BOOL WINAPI SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO *info)
{
    (void)window; (void)wParam; (void)lParam; (void)info;
    return TRUE;
}

BOOL WINAPI SHSipPreference(HWND window, SIPSTATE state)
{
    (void)window; (void)state;
    return TRUE;
}

#endif /* _WIN32_WCE */
