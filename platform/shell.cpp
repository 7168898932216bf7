// The Pocket PC shell's menu bar, activation and input-panel calls, for the desktop.
#include "platform/platform.h"

#ifndef _WIN32_WCE

namespace {

// The template: menu id and button count, then per button its image, command, state,
// style, caption string, a zero and the index of its pop-up in the menu.
const DWORD TemplateHeaderWords = 2;
const DWORD TemplateButtonWords = 7;
const int MenuBarButtons = 4;
const int MenuBars = 4;
const int CaptionCapacity = 64;
const int ButtonPadding = 16;
const WORD DropDownStyle = 0x08; // TBSTYLE_DROPDOWN
// The parent's own window procedure while the bar follows its size, kept on the parent.
const WCHAR ParentProcProperty[] = L"VelandrimourMenuBarParent";
// A tap is carried out once the button has finished with it and released the mouse.
const UINT OpenButtonMessage = WM_APP + 1;

struct MenuBarButton {
    UINT Command;
    WORD Style;
    WORD MenuIndex;
};

// One bar's template, kept while the bar exists.
struct MenuBar {
    HWND Window;
    HWND Parent;
    HMENU Menu;
    int ButtonCount;
    MenuBarButton Buttons[MenuBarButtons];
};

MenuBar Bars[MenuBars];
bool MenuBarClassRegistered;

MenuBar *FindMenuBar(HWND window)
{
    for (int index = 0; index < MenuBars; index++)
        if (Bars[index].Window == window)
            return &Bars[index];
    return NULL;
}

// Places the bar across the bottom of its parent's client area.
void PlaceMenuBar(HWND bar, HWND parent)
{
    RECT client;
    GetClientRect(parent, &client);
    MoveWindow(bar, 0, client.bottom - DeviceMenuBarHeight, client.right, DeviceMenuBarHeight, TRUE);
}

// The bar that follows this parent, or NULL once it is gone.
MenuBar *FindMenuBarOfParent(HWND parent)
{
    for (int index = 0; index < MenuBars; index++)
        if (Bars[index].Window && Bars[index].Parent == parent)
            return &Bars[index];
    return NULL;
}

// Keeps the bar along the bottom when the parent is resized, then hands every message to
// the parent's own procedure. Subclassed with user32 alone: comctl32's start-up would
// cost more than the whole window.
LRESULT CALLBACK ParentProc(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(parent, ParentProcProperty));
    if (message == WM_SIZE) {
        MenuBar *bar = FindMenuBarOfParent(parent);
        if (bar)
            PlaceMenuBar(bar->Window, parent);
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(parent, ParentProcProperty);
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return CallWindowProcW(previous, parent, message, wParam, lParam);
}

// Puts ParentProc in front of the parent's own procedure, once per parent.
void FollowParent(HWND parent)
{
    if (GetPropW(parent, ParentProcProperty))
        return;
    LONG_PTR previous = GetWindowLongPtrW(parent, GWLP_WNDPROC);
    SetPropW(parent, ParentProcProperty, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ParentProc));
}

// Gives the parent back its own procedure, unless another has subclassed it since: then
// ParentProc stays in the chain and only passes messages on.
void StopFollowingParent(HWND parent)
{
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(parent, GWLP_WNDPROC)) != ParentProc)
        return;
    SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropW(parent, ParentProcProperty)));
    RemovePropW(parent, ParentProcProperty);
}

// Opens a button's pop-up above it, or takes its own command, and posts the command chosen
// to the parent: the command may well destroy the bar.
void PressMenuBarButton(MenuBar &bar, int index, HWND button)
{
    UINT command = bar.Buttons[index].Command;
    if (bar.Buttons[index].Style & DropDownStyle) {
        HMENU popup = GetSubMenu(bar.Menu, bar.Buttons[index].MenuIndex);
        if (!popup)
            return;
        RECT place;
        GetWindowRect(button, &place);
        SetForegroundWindow(bar.Parent);
        command = static_cast<UINT>(TrackPopupMenu(popup,
            TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD | TPM_NONOTIFY, place.left, place.top, 0, bar.Window,
            NULL));
        PostMessageW(bar.Window, WM_NULL, 0, 0);
    }
    if (command)
        PostMessageW(bar.Parent, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// A button's click is carried out after the click; destroying the bar forgets its template.
LRESULT CALLBACK MenuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MenuBar *bar = FindMenuBar(window);
    switch (message) {
    case WM_COMMAND:
        if (!bar || HIWORD(wParam) != BN_CLICKED)
            break;
        for (int index = 0; index < bar->ButtonCount; index++)
            if (bar->Buttons[index].Command == LOWORD(wParam)) {
                PostMessageW(window, OpenButtonMessage, static_cast<WPARAM>(index), lParam);
                return 0;
            }
        break;
    case OpenButtonMessage:
        if (bar && static_cast<int>(wParam) < bar->ButtonCount)
            PressMenuBarButton(*bar, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        if (!bar)
            break;
        StopFollowingParent(bar->Parent);
        DestroyMenu(bar->Menu);
        ZeroMemory(bar, sizeof *bar);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMenuBarClass()
{
    if (MenuBarClassRegistered)
        return true;
    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = MenuBarProc;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.hCursor = LoadCursorW(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = DeviceMenuBarClass;
    MenuBarClassRegistered = RegisterClassW(&windowClass) != 0;
    return MenuBarClassRegistered;
}

// Reads the template's words; false when it is missing or malformed.
bool ReadMenuBarTemplate(MenuBar &bar, const SHMENUBARINFO &info, UINT (&captions)[MenuBarButtons])
{
    HRSRC found = FindResourceW(info.hInstRes, MAKEINTRESOURCEW(info.nToolBarId), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(info.hInstRes, found) : NULL;
    const WORD *words = loaded ? static_cast<const WORD *>(LockResource(loaded)) : NULL;
    DWORD wordCount = found ? SizeofResource(info.hInstRes, found) / sizeof(WORD) : 0;
    if (!words || wordCount < TemplateHeaderWords)
        return false;
    bar.ButtonCount = words[1];
    if (bar.ButtonCount > MenuBarButtons
        || wordCount < TemplateHeaderWords + static_cast<DWORD>(bar.ButtonCount) * TemplateButtonWords)
        return false;
    for (int index = 0; index < bar.ButtonCount; index++) {
        const WORD *button = words + TemplateHeaderWords + index * TemplateButtonWords;
        bar.Buttons[index].Command = button[1];
        bar.Buttons[index].Style = button[3];
        captions[index] = button[4];
        bar.Buttons[index].MenuIndex = button[6];
    }
    bar.Menu = LoadMenuW(info.hInstRes, MAKEINTRESOURCEW(words[0]));
    return bar.Menu != NULL;
}

// One push button per template button, left to right, each as wide as its caption.
void CreateMenuBarButtons(MenuBar &bar, HINSTANCE resources, const UINT (&captions)[MenuBarButtons])
{
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HDC context = GetDC(bar.Window);
    HGDIOBJ previous = SelectObject(context, font);
    int x = 0;
    for (int index = 0; index < bar.ButtonCount; index++) {
        WCHAR caption[CaptionCapacity] = L"";
        SIZE extent = { 0, 0 };
        int length = LoadStringW(resources, captions[index], caption, CaptionCapacity);
        GetTextExtentPoint32W(context, caption, length, &extent);
        HWND button = CreateWindowExW(0, L"button", caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 0,
            extent.cx + ButtonPadding, DeviceMenuBarHeight, bar.Window,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(bar.Buttons[index].Command)), GetModuleHandleW(NULL),
            NULL);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        x += extent.cx + ButtonPadding;
    }
    SelectObject(context, previous);
    ReleaseDC(bar.Window, context);
}

} // namespace

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *info)
{
    UINT captions[MenuBarButtons];
    MenuBar *bar = FindMenuBar(NULL);
    if (!bar || !info || !IsWindow(info->hwndParent) || !RegisterMenuBarClass())
        return FALSE;
    bar->Parent = info->hwndParent;
    if (!ReadMenuBarTemplate(*bar, *info, captions)) {
        if (bar->Menu)
            DestroyMenu(bar->Menu);
        ZeroMemory(bar, sizeof *bar);
        return FALSE;
    }
    bar->Window = CreateWindowExW(0, DeviceMenuBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
        0, DeviceMenuBarHeight, info->hwndParent, NULL, GetModuleHandleW(NULL), NULL);
    if (!bar->Window) {
        DestroyMenu(bar->Menu);
        ZeroMemory(bar, sizeof *bar);
        return FALSE;
    }
    CreateMenuBarButtons(*bar, info->hInstRes, captions);
    PlaceMenuBar(bar->Window, bar->Parent);
    FollowParent(bar->Parent);
    info->hwndMB = bar->Window;
    return TRUE;
}

BOOL WINAPI SHHandleWMActivate(HWND, WPARAM wParam, LPARAM, SHACTIVATEINFO *info, DWORD)
{
    if (info)
        info->fActive = LOWORD(wParam) != WA_INACTIVE;
    return TRUE;
}

BOOL WINAPI SHHandleWMSettingChange(HWND, WPARAM, LPARAM, SHACTIVATEINFO *)
{
    return TRUE;
}

BOOL WINAPI SHSipPreference(HWND, SIPSTATE)
{
    return TRUE;
}

#endif // _WIN32_WCE
