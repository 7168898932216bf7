/* The launcher window: one button per entry, the arrow keys, submenus and closing. */
#include "app/shell.h"
#include "ui/dialogs.h"

/* The button column, in client-area pixels. */
#define BUTTON_X 40
#define BUTTON_FIRST_Y 7
#define BUTTON_PITCH 42
#define BUTTON_WIDTH 160
#define BUTTON_HEIGHT 35
#define BUTTON_STYLE (WS_CHILD | WS_VISIBLE)
/* The arrow keys press the first four buttons. */
#define ARROW_SLOTS 4

HWND ButtonWindows[ENTRY_SLOTS];
HWND MenuBarWindow;
SHACTIVATEINFO ActivateInfo;

static const WCHAR NoQuickLaunchNotice[] =
    L"Программа запущена без параметров, но в файле velandrimour.ini нет раздела \"[]\".";

void CreateEntryButtons(HWND window, HINSTANCE instance)
{
    int slot;
    for (slot = 0; slot < ENTRY_SLOTS; slot++) {
        if (EntryTable[slot].Title[0] == 0)
            break;
        ButtonWindows[slot] = CreateWindowExW(0, L"button", EntryTable[slot].Title, BUTTON_STYLE, BUTTON_X,
            BUTTON_FIRST_Y + BUTTON_PITCH * slot, BUTTON_WIDTH, BUTTON_HEIGHT, window,
            (HMENU)(UINT_PTR)(IDC_ENTRY_FIRST + slot), instance, NULL);
    }
}

static void DestroyEntryButtons(void)
{
    int slot;
    for (slot = 0; slot < ENTRY_SLOTS; slot++) {
        if (ButtonWindows[slot])
            DestroyWindow(ButtonWindows[slot]);
        ButtonWindows[slot] = NULL;
    }
}

void CloseLauncher(HWND window)
{
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, (LPARAM)window);
    SendMessageW(window, WM_CLOSE, 0, 0);
}

void StartEntryCommand(HWND window, int slot)
{
    if (!CreateProcessW(EntryTable[slot].Command, EntryTable[slot].Parameters, NULL, NULL, FALSE, 0, NULL, NULL,
            NULL, NULL))
        ReportFatal(L"Executions error", L"Error exec programm: ", EntryTable[slot].Command, L".");
    CloseLauncher(window);
}

/* The slot's parameters name the submenu; its key is "{" name "}", the name as written. */
void OpenSubmenu(HWND window, int slot)
{
    const WCHAR *name = EntryTable[slot].Parameters;
    (void)window;
    DestroyEntryButtons();
    if (wcslen(name) > SUBMENU_NAME_MAX_LENGTH)
        ReportFatal(L"SubMenu", L"Слишком длинное название подменю.", L"", L"");
    SectionKey[0] = 0;
    AppendText(SectionKey, SECTION_KEY_CAPACITY, L"{");
    AppendText(SectionKey, SECTION_KEY_CAPACITY, name);
    AppendText(SectionKey, SECTION_KEY_CAPACITY, L"}");
    LoadEntries();
    CreateEntryButtons(window, AppInstance);
}

/* An entry whose command names a menu opens a submenu; any other starts its program. */
static void RunEntry(HWND window, int slot)
{
    if (wcsstr(EntryTable[slot].Command, L"menu") || wcsstr(EntryTable[slot].Command, L"MENU"))
        OpenSubmenu(window, slot);
    else
        StartEntryCommand(window, slot);
}

static LRESULT OnCreate(HWND window, const CREATESTRUCTW *creation)
{
    MenuBarWindow = CreateMenuBar(window);
    ZeroMemory(&ActivateInfo, sizeof ActivateInfo);
    ActivateInfo.cbSize = sizeof ActivateInfo;
    CreateEntryButtons(window, creation->hInstance);
    if (EntryTable[0].Title[0] == 0)
        MessageBoxW(window, NoQuickLaunchNotice, L"Сообщение", MB_OK | MB_ICONERROR);
    return 0;
}

/* One line per command; identifiers are the low word of wParam, read unsigned. */
static LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    UINT identifier = LOWORD(wParam);
    switch (identifier) {
    case IDOK: CloseLauncher(window); return 0;
    case IDM_EXIT: CloseLauncher(window); return 0;
    case IDM_ABOUT: RunMenuCommand(window, identifier); return 0;
    case IDM_ASSOCIATE_INI: RunMenuCommand(window, identifier); return 0;
    case IDM_ASSOCIATE_MANUAL: RunMenuCommand(window, identifier); return 0;
    case IDM_HELP: RunMenuCommand(window, identifier); return 0;
    case IDM_EDIT_INI: RunMenuCommand(window, identifier); return 0;
    }
    if (identifier >= IDC_ENTRY_FIRST && identifier <= IDC_ENTRY_LAST) {
        RunEntry(window, (int)(identifier - IDC_ENTRY_FIRST));
        return 0;
    }
    return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
}

/* Up, Down, Left and Right press the first four buttons, when they are shown. */
static void OnKeyUp(HWND window, WPARAM key)
{
    static const WPARAM ArrowKeys[ARROW_SLOTS] = { VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT };
    int slot;
    for (slot = 0; slot < ARROW_SLOTS; slot++)
        if (key == ArrowKeys[slot] && EntryTable[slot].Title[0] != 0)
            SendMessageW(window, WM_COMMAND, IDC_ENTRY_FIRST + slot, 0);
}

static void OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    SHHandleWMActivate(window, wParam, lParam, &ActivateInfo, 0);
    SHSipPreference(window, SIP_FORCEDOWN);
}

static void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

/* The buttons go with the window, being its children; their handles go with them. */
static void OnDestroy(void)
{
    int slot;
    if (MenuBarWindow)
        DestroyWindow(MenuBarWindow);
    MenuBarWindow = NULL;
    for (slot = 0; slot < ENTRY_SLOTS; slot++)
        ButtonWindows[slot] = NULL;
    PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, (const CREATESTRUCTW *)lParam);
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
