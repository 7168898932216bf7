// The checker's main window: a row of buttons, the summary line, the findings and the screens,
// laid out in the system's message font; the keyboard reaches every control as in a dialog.
#include "check/window/window.h"
#include "check/window/findings_list.h"
#include "check/window/sheet_view.h"
#include "check/fix.h"
#include "ui/resource.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

namespace check {

namespace {

const wchar_t ProgramName[] = L"velandrimour-check";
// Posted to itself: the screens are drawn once the window shows its findings.
const UINT DrawScreensMessage = WM_APP + 1;

struct Control {
    int id;
    const wchar_t *title;
};
const Control Buttons[] = {
    {IdRecheck, L"&Проверить снова"},
    {IdFix, L"&Исправить кодировку и концы строк"},
    {IdEdit, L"Открыть в &Блокноте"},
    {IdOpen, L"&Другой файл…"},
};

// What one check of the file found.
struct Checked {
    ConfigImage image;  // as read for the check, for the screens
    std::vector<Finding> findings;
    std::wstring summary;
    bool readable = false, mendable = false;
    FILETIME written{};  // the file's last change when it was checked
};

struct {
    HWND window = nullptr;
    HWND buttons[sizeof Buttons / sizeof Buttons[0]] = {};
    HWND summary = nullptr, list = nullptr, sheet = nullptr;
    HWND focus = nullptr;  // the control that had the focus when the window lost it
    HFONT font = nullptr, bold = nullptr;
    int listWidth = 0;           // the list's width when its items were measured
    std::wstring path;           // the file checked, whole; empty while none is chosen
    Checked checked;
    std::function<std::optional<TitleCut>(const std::wstring &title)> titleCut;  // measured once
    unsigned check = 0;          // counts the checks, so that a stale request to draw is dropped
    bool drawing = false;        // the screens are being drawn: their boxes' loops run meanwhile
    int pending = 0;             // the command given meanwhile, carried out once they are drawn
} Window;

HWND Button(int id) { return GetDlgItem(Window.window, id); }

std::wstring Folder(const std::wstring &path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring ProgramFolder() {
    wchar_t module[MAX_PATH * 2];
    DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH * 2);
    return Folder(std::wstring(module, length));
}

FILETIME WriteTime(const std::wstring &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

std::wstring FullPath(const std::wstring &path) {
    wchar_t full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    return length && length < MAX_PATH * 2 ? std::wstring(full, length) : path;
}

// The system's message font, and its bold cut for the findings' headings.
void MakeFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW logical{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        logical = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof logical, &logical);
    Window.font = CreateFontIndirectW(&logical);
    logical.lfWeight = FW_BOLD;
    Window.bold = CreateFontIndirectW(&logical);
}

TEXTMETRICW FontMetrics() {
    HDC dc = GetDC(Window.window);
    HGDIOBJ previous = SelectObject(dc, Window.font);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(Window.window, dc);
    return metrics;
}

// The room a text takes in the window's font at this width: wrapped, or on one line with width 0.
SIZE TextSize(const std::wstring &text, int width) {
    HDC dc = GetDC(Window.window);
    HGDIOBJ previous = SelectObject(dc, Window.font);
    RECT place = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), (int)text.size(), &place,
              DT_CALCRECT | (width ? DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(Window.window, dc);
    return {place.right, place.bottom};
}

std::wstring WindowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], (int)text.size()));
    return text;
}

// What the list shows when the file has no findings.
std::wstring EmptyListText() {
    return Window.checked.readable ? L"Ни ошибок, ни предупреждений, ни замечаний" : L"";
}

// Buttons flow in rows across the top, then the summary, the findings and, below, the screens.
void Layout() {
    RECT client;
    GetClientRect(Window.window, &client);
    TEXTMETRICW metrics = FontMetrics();
    int margin = std::max(4, (int)metrics.tmHeight / 2), gap = margin / 2;
    int buttonHeight = metrics.tmHeight * 7 / 4, width = std::max(1, (int)client.right - 2 * margin);
    int x = margin, y = margin;
    for (HWND button : Window.buttons) {
        if (!(GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE)) continue;
        int buttonWidth = TextSize(WindowText(button), 0).cx + 2 * metrics.tmHeight;
        if (x > margin && x + buttonWidth > margin + width) {
            x = margin;
            y += buttonHeight + gap;
        }
        MoveWindow(button, x, y, buttonWidth, buttonHeight, TRUE);
        x += buttonWidth + gap;
    }
    y += buttonHeight + margin;
    int summaryHeight = TextSize(WindowText(Window.summary), width).cy;
    MoveWindow(Window.summary, margin, y, width, summaryHeight, TRUE);
    y += summaryHeight + gap;
    int rest = std::max(0, (int)client.bottom - y - margin - gap);
    int listHeight = std::max(rest * 2 / 5, std::min(rest, (int)metrics.tmHeight * 5));
    MoveWindow(Window.list, margin, y, width, listHeight, TRUE);
    MoveWindow(Window.sheet, margin, y + listHeight + gap, width, rest - listHeight, TRUE);
    // The items' heights follow the width their texts wrap in.
    if (width != Window.listWidth) {
        Window.listWidth = width;
        FillFindingsList(Window.list, Window.checked.findings, Window.font, Window.bold, EmptyListText());
    }
}

void ShowTitle() {
    std::wstring title = Window.path.empty() ? ProgramName : Window.path + L" — " + ProgramName;
    SetWindowTextW(Window.window, title.c_str());
}

// Checks the file as the command line's plain check does, touching no window of its own: the
// first check runs beside the window's creation.
Checked Analyse(const std::wstring &path) {
    Checked checked;
    if (path.empty()) {
        checked.summary = L"Файл не выбран: рядом с программой нет velandrimour.ini. Выберите файл настройки "
                          L"кнопкой «Другой файл…».";
        return checked;
    }
    try {
        checked.image = OpenConfig(path);
        if (!Window.titleCut) Window.titleCut = ButtonTitleCut();
        CheckOptions options;
        options.titleCut = Window.titleCut;
        checked.findings = CheckConfig(checked.image, options);
        checked.readable = true;
        checked.summary = FindingsSummary(path, checked.findings);
    } catch (const CannotRead &cannot) {
        checked.summary = L"Файл не прочитан: " + cannot.message;
    }
    checked.written = WriteTime(path);
    for (const Finding &finding : checked.findings) checked.mendable = checked.mendable || finding.mendedByFix;
    return checked;
}

// Shows what the check found; the screens follow.
void ShowChecked(Checked checked) {
    Window.checked = std::move(checked);
    const Checked &shown = Window.checked;
    Window.check++;
    ShowTitle();
    SetWindowTextW(Window.summary, shown.summary.c_str());
    ShowWindow(Button(IdFix), shown.mendable ? SW_SHOWNA : SW_HIDE);
    EnableWindow(Button(IdEdit), shown.readable);
    Window.listWidth = -1;  // Layout fills the list at its new width
    Layout();
    ShowSheet(Window.sheet, Picture{}, shown.readable ? L"Экраны рисуются…" : L"Экранов нет: файл не прочитан");
    if (shown.readable) PostMessageW(Window.window, DrawScreensMessage, Window.check, 0);
}

void CheckFile() { ShowChecked(Analyse(Window.path)); }

DWORD WINAPI AnalyseBeside(void *checked) {
    *static_cast<Checked *>(checked) = Analyse(Window.path);
    return 0;
}

// Every screen of the file, drawn as --screens draws them; dropped when a newer check came.
void DrawScreens(unsigned check) {
    if (check != Window.check || !Window.checked.readable || Window.drawing) return;
    Window.drawing = true;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    try {
        CheckOptions options;
        options.titleCut = Window.titleCut;
        Sheet sheet = DrawSheet(Window.checked.image, options);
        ShowSheet(Window.sheet, sheet.picture, L"", sheet.screens.size() + sheet.more);
    } catch (const CannotDraw &cannot) {
        ShowSheet(Window.sheet, Picture{}, L"Экраны не нарисованы: " + cannot.message);
    }
    SetCursor(previous);
    Window.drawing = false;
    if (int command = Window.pending) {
        Window.pending = 0;
        PostMessageW(Window.window, WM_COMMAND, command, 0);
    }
}

// What --fix does, with its report in a box; then the file is checked again.
void FixAndCheck() {
    RunResult fixed = FixFile(Window.path, false);
    std::wstring report = fixed.out + fixed.err;
    MessageBoxW(Window.window, report.c_str(), L"Исправление файла",
                MB_OK | (fixed.status ? MB_ICONERROR : MB_ICONINFORMATION));
    CheckFile();
}

// The system's editor for text files; the window checks the file again when it is saved.
void OpenInEditor() {
    std::wstring line = L"notepad.exe \"" + Window.path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        std::wstring text = L"Блокнот не запустился: " + Why(GetLastError());
        MessageBoxW(Window.window, text.c_str(), ProgramName, MB_OK | MB_ICONERROR);
        return;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

// The system's open-file dialog, loaded when it is first wanted: it would slow every start.
void PickFile() {
    typedef BOOL(WINAPI * OpenDialog)(OPENFILENAMEW *);
    HMODULE library = LoadLibraryW(L"comdlg32.dll");
    OpenDialog open = library ? (OpenDialog)(void (*)())GetProcAddress(library, "GetOpenFileNameW") : nullptr;
    if (!open) {
        MessageBoxW(Window.window, L"Окно выбора файла недоступно: нет comdlg32.dll.", ProgramName, MB_OK | MB_ICONERROR);
        return;
    }
    wchar_t chosen[MAX_PATH * 2] = L"";
    std::wstring folder = Window.path.empty() ? ProgramFolder() : Folder(Window.path);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Window.window;
    dialog.lpstrFilter = L"Файлы настройки (*.ini)\0*.ini\0Все файлы (*.*)\0*.*\0";
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = MAX_PATH * 2;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = L"Какой файл настройки проверить?";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!open(&dialog)) return;
    Window.path = chosen;
    CheckFile();
}

void Command(int id);

// Back in the window after the editor saved the file: it is checked again.
void Activated(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) {
        Window.focus = GetFocus();
        return;
    }
    SetFocus(Window.focus && IsWindowVisible(Window.focus) && IsWindowEnabled(Window.focus) ? Window.focus : Window.list);
    FILETIME now = WriteTime(Window.path);
    if (!Window.path.empty() && CompareFileTime(&now, &Window.checked.written) != 0) Command(IdRecheck);
}

void Command(int id) {
    // Whatever reads the file again waits until the screens of the last reading are drawn.
    if (Window.drawing) {
        Window.pending = id;
        return;
    }
    switch (id) {
    case IdRecheck: CheckFile(); break;
    case IdFix: FixAndCheck(); break;
    case IdEdit: OpenInEditor(); break;
    case IdOpen: PickFile(); break;
    case IDCANCEL: DestroyWindow(Window.window); break;
    }
}

bool CreateControls(HWND window) {
    Window.window = window;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (size_t index = 0; index < sizeof Buttons / sizeof Buttons[0]; index++)
        Window.buttons[index] =
            CreateWindowExW(0, L"BUTTON", Buttons[index].title, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                            0, 0, 0, window, (HMENU)(INT_PTR)Buttons[index].id, instance, nullptr);
    Window.summary = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0,
                                     window, (HMENU)(INT_PTR)IdSummary, instance, nullptr);
    Window.list = CreateFindingsList(window, IdFindings);
    Window.sheet = CreateSheetView(window, IdScreens);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, (WPARAM)Window.font, FALSE);
    return Window.list && Window.sheet && Window.summary;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return CreateControls(window) ? 0 : -1;
    case WM_SIZE: Layout(); return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO *>(lParam)->ptMinTrackSize = {GetSystemMetrics(SM_CXSCREEN) / 3,
                                                                   GetSystemMetrics(SM_CYSCREEN) / 3};
        return 0;
    case WM_COMMAND: Command(LOWORD(wParam)); return 0;
    case WM_MEASUREITEM: MeasureFinding(*reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)); return TRUE;
    case WM_DRAWITEM: DrawFinding(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)); return TRUE;
    case WM_ACTIVATE: Activated(wParam); return 0;
    case WM_GETFONT: return (LRESULT)Window.font;
    case DrawScreensMessage: DrawScreens((unsigned)wParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The main window at three quarters of the work area, centred; null when it cannot be made.
HWND MakeWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELANDRIMOUR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = CheckWindowClass;
    if (!RegisterClassW(&windowClass)) return nullptr;
    MakeFonts();
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int width = (work.right - work.left) * 3 / 4, height = (work.bottom - work.top) * 5 / 6;
    return CreateWindowExW(WS_EX_CONTROLPARENT, CheckWindowClass, ProgramName, WS_OVERLAPPEDWINDOW,
                           work.left + (work.right - work.left - width) / 2,
                           work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr, instance,
                           nullptr);
}

}  // namespace

int RunWindow(const std::vector<std::wstring> &files) {
    std::wstring beside = ProgramFolder() + L"velandrimour.ini";
    Window.path = !files.empty() ? FullPath(files[0])
                  : GetFileAttributesW(beside.c_str()) != INVALID_FILE_ATTRIBUTES ? beside
                                                                                  : L"";
    // The file is read and checked while the window is made: each takes about as long.
    Checked first;
    HANDLE analysis = CreateThread(nullptr, 0, AnalyseBeside, &first, 0, nullptr);
    if (!analysis) first = Analyse(Window.path);
    HWND window = MakeWindow();
    if (analysis) {
        WaitForSingleObject(analysis, INFINITE);
        CloseHandle(analysis);
    }
    if (!window) {
        std::wstring text = L"Окно проверки не открылось: " + Why(GetLastError());
        MessageBoxW(nullptr, text.c_str(), ProgramName, MB_OK | MB_ICONERROR);
        return 2;
    }
    ShowChecked(std::move(first));
    ShowWindow(window, SW_SHOWDEFAULT);
    UpdateWindow(window);
    SetFocus(Window.list);
    if (files.size() > 1) {
        std::wstring text = L"Проверяется один файл за раз, первый из выбранных: " + Window.path +
                            L". Другие откройте кнопкой «Другой файл…».";
        MessageBoxW(window, text.c_str(), ProgramName, MB_OK | MB_ICONINFORMATION);
    }
    if (Window.path.empty()) PostMessageW(window, WM_COMMAND, IdOpen, 0);
    ACCEL keys[] = {{FVIRTKEY, VK_F5, IdRecheck}, {FVIRTKEY | FCONTROL, 'O', IdOpen}};
    HACCEL accelerators = CreateAcceleratorTableW(keys, sizeof keys / sizeof keys[0]);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(window, accelerators, &message) || IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyAcceleratorTable(accelerators);
    return 0;
}

}  // namespace check
