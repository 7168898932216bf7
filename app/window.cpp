// The launcher window: one button per entry, the arrow keys, submenus and closing.
#include "app/shell.h"
#include "ui/dialogs.h"

HWND ButtonWindows[EntrySlots];
HWND MenuBarWindow;
SHACTIVATEINFO ActivateInfo;

namespace {

// The button column, in client-area pixels.
const int ButtonX = 40;
const int ButtonFirstY = 7;
const int ButtonPitch = 42;
const int ButtonWidth = 160;
const int ButtonHeight = 35;
const DWORD ButtonStyle = WS_CHILD | WS_VISIBLE;
// The arrow keys press the first four buttons.
const int ArrowSlots = 4;
const WPARAM ArrowKeys[ArrowSlots] = { VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT };
STATIC_ASSERT(ArrowSlots <= EntrySlots, "every arrow key has a slot");

void DestroyEntryButtons()
{
    for (int slot = 0; slot < EntrySlots; slot++) {
        if (ButtonWindows[slot])
            DestroyWindow(ButtonWindows[slot]);
        ButtonWindows[slot] = NULL;
    }
}

// An entry whose command names a menu opens a submenu; any other starts its program.
void RunEntry(HWND window, int slot)
{
    if (IsSubmenuEntry(EntryTable[slot]))
        OpenSubmenu(window, slot);
    else
        StartEntryCommand(window, slot);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW &creation)
{
    MenuBarWindow = CreateMenuBar(window);
    ZeroMemory(&ActivateInfo, sizeof ActivateInfo);
    ActivateInfo.cbSize = sizeof ActivateInfo;
    CreateEntryButtons(window, creation.hInstance);
    if (EntryTable[0].Title[0] == 0)
        MessageBoxW(window, NoQuickLaunchNotice, NoQuickLaunchCaption, MB_OK | MB_ICONERROR);
    return 0;
}

// Closing, the entry buttons, then the menu's commands; identifiers are the low word of
// wParam, read unsigned. Any other is left to default processing.
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    UINT identifier = LOWORD(wParam);
    if (identifier == IDOK || identifier == IDM_EXIT)
        CloseLauncher(window);
    else if (identifier >= IDC_ENTRY_FIRST && identifier <= IDC_ENTRY_LAST)
        RunEntry(window, static_cast<int>(identifier - IDC_ENTRY_FIRST));
    else if (!RunMenuCommand(window, identifier))
        return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
    return 0;
}

// Up, Down, Left and Right press the first four buttons, when they are shown.
void OnKeyUp(HWND window, WPARAM key)
{
    for (int slot = 0; slot < ArrowSlots; slot++)
        if (key == ArrowKeys[slot] && EntryTable[slot].Title[0] != 0)
            SendMessageW(window, WM_COMMAND, IDC_ENTRY_FIRST + slot, 0);
}

void OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    SHHandleWMActivate(window, wParam, lParam, &ActivateInfo, 0);
    SHSipPreference(window, SIP_FORCEDOWN);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

// The buttons go with the window, being its children; their handles go with them.
void OnDestroy()
{
    if (MenuBarWindow)
        DestroyWindow(MenuBarWindow);
    MenuBarWindow = NULL;
    for (int slot = 0; slot < EntrySlots; slot++)
        ButtonWindows[slot] = NULL;
    PostQuitMessage(0);
}

} // namespace

// One push button per slot in use, in a column, each sending its slot's identifier.
void CreateEntryButtons(HWND window, HINSTANCE instance)
{
    for (int slot = 0; slot < EntrySlots; slot++) {
        if (EntryTable[slot].Title[0] == 0)
            break;
        ButtonWindows[slot] = CreateWindowExW(0, L"button", EntryTable[slot].Title, ButtonStyle, ButtonX,
            ButtonFirstY + ButtonPitch * slot, ButtonWidth, ButtonHeight, window,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_ENTRY_FIRST + slot)), instance, NULL);
    }
}

// Closes the launcher the one way it closes: deactivated, then WM_CLOSE.
void CloseLauncher(HWND window)
{
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(window));
    SendMessageW(window, WM_CLOSE, 0, 0);
}

// Starts the slot's program by image name with its parameters, then closes the launcher.
void StartEntryCommand(HWND window, int slot)
{
    if (!CreateProcessW(EntryTable[slot].Command, EntryTable[slot].Parameters, NULL, NULL, FALSE, 0, NULL, NULL,
            NULL, NULL))
        ReportFatal(ExecutionsErrorCaption, StartFailedStart, EntryTable[slot].Command, StartFailedEnd);
    CloseLauncher(window);
}

// The slot's parameters name the submenu; its key is "{" name "}", the name as written.
void OpenSubmenu(HWND window, int slot)
{
    DestroyEntryButtons();
    SelectSubmenu(EntryTable[slot]);
    LoadEntries();
    CreateEntryButtons(window, AppInstance);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, *reinterpret_cast<const CREATESTRUCTW *>(lParam));
    case WM_COMMAND:
        return OnCommand(window, wParam, lParam);
    case WM_KEYUP:
        OnKeyUp(window, wParam);
        return 0;
    case WM_ACTIVATE:
        OnActivate(window, wParam, lParam);
        return 0;
    case WM_SETTINGCHANGE:
        SHHandleWMSettingChange(window, wParam, lParam, &ActivateInfo);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
