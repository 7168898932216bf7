// The findings list: items measured and drawn by the window itself, the list box keeping
// their texts, for the keyboard, screen readers and the tests.
#include "check/window/findings_list.h"

#include <algorithm>

namespace check {

namespace {

// A list box item can be at most this high.
const int ItemHeightMax = 255;

struct Item {
    Severity severity;
    std::wstring heading, text;
};

struct {
    HWND list = nullptr;
    WNDPROC listProcedure = nullptr;  // the list box's own
    HFONT font = nullptr, bold = nullptr;
    std::vector<Item> items;
} List;

const wchar_t *LevelWord(Severity severity) {
    return severity == Severity::Error ? L"ошибка" : severity == Severity::Warning ? L"предупреждение" : L"замечание";
}

Item ItemOf(const Finding &finding) {
    return {finding.severity,
            L"Строка " + Decimal(finding.line) + L", столбец " + Decimal(finding.column) + L" · " +
                LevelWord(finding.severity) + L" · " + std::wstring(finding.code.begin(), finding.code.end()),
            finding.text};
}

std::wstring ItemText(const Item &item) { return item.heading + L"\n" + item.text; }

// The system's own icon of the level, at the size of small icons.
HICON LevelIcon(Severity severity) {
    static HICON icons[3];
    HICON &icon = icons[(int)severity];
    if (!icon) {
        LPCWSTR name = severity == Severity::Error ? IDI_ERROR : severity == Severity::Warning ? IDI_WARNING : IDI_INFORMATION;
        int size = GetSystemMetrics(SM_CXSMICON);
        icon = (HICON)LoadImageW(nullptr, name, IMAGE_ICON, size, size, LR_SHARED);
        if (!icon) icon = LoadIconW(nullptr, name);
    }
    return icon;
}

int Padding(HDC dc) {
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    return std::max(2, (int)metrics.tmHeight / 4);
}

// Where the text of an item goes within the item's rectangle, right of the icon column.
RECT TextPlace(const RECT &item, int padding) {
    RECT place = item;
    place.left += GetSystemMetrics(SM_CXSMICON) + 3 * padding;
    place.right -= padding;
    place.top += padding;
    place.bottom -= padding;
    return place;
}

// Draws the heading and the text of an item in the place, or, with DT_CALCRECT among the
// flags, only measures them; the height they take.
int Lay(HDC dc, const Item &item, RECT place, UINT flags) {
    const UINT common = DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | flags;
    HGDIOBJ previous = SelectObject(dc, List.bold);
    RECT heading = place;
    DrawTextW(dc, item.heading.c_str(), (int)item.heading.size(), &heading, common | DT_CALCRECT);
    if (!(flags & DT_CALCRECT)) DrawTextW(dc, item.heading.c_str(), (int)item.heading.size(), &heading, common);
    SelectObject(dc, List.font);
    RECT text = place;
    text.top = heading.bottom;
    DrawTextW(dc, item.text.c_str(), (int)item.text.size(), &text, common | DT_CALCRECT);
    if (!(flags & DT_CALCRECT)) {
        text.right = place.right;
        DrawTextW(dc, item.text.c_str(), (int)item.text.size(), &text, common);
    }
    SelectObject(dc, previous);
    return text.bottom - place.top;
}

// An empty list says so, rather than showing a blank.
LRESULT CALLBACK EmptyListProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && List.items.empty() && SendMessageW(list, LB_GETCOUNT, 0, 0) == 0) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(list, &paint);
        RECT client;
        GetClientRect(list, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ previous = SelectObject(dc, List.font ? List.font : (HFONT)SendMessageW(list, WM_GETFONT, 0, 0));
        wchar_t text[64] = L"";
        GetWindowTextW(list, text, 64);
        DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, previous);
        EndPaint(list, &paint);
        return 0;
    }
    return CallWindowProcW(List.listProcedure, list, message, wParam, lParam);
}

}  // namespace

HWND CreateFindingsList(HWND parent, int id) {
    List.list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE |
                                     LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                 0, 0, 0, 0, parent, (HMENU)(INT_PTR)id, GetModuleHandleW(nullptr), nullptr);
    if (List.list)
        List.listProcedure = (WNDPROC)SetWindowLongPtrW(List.list, GWLP_WNDPROC, (LONG_PTR)EmptyListProcedure);
    return List.list;
}

std::wstring FindingItemText(const Finding &finding) { return ItemText(ItemOf(finding)); }

void FillFindingsList(HWND list, const std::vector<Finding> &findings, HFONT font, HFONT bold,
                      const std::wstring &empty) {
    SetWindowTextW(list, empty.c_str());
    int selected = (int)SendMessageW(list, LB_GETCURSEL, 0, 0);
    List.font = font;
    List.bold = bold;
    List.items.clear();
    for (const Finding &finding : findings) List.items.push_back(ItemOf(finding));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const Item &item : List.items) SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)ItemText(item).c_str());
    if (selected >= 0 && selected < (int)findings.size()) SendMessageW(list, LB_SETCURSEL, selected, 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void MeasureFinding(MEASUREITEMSTRUCT &measure) {
    if (measure.itemID >= List.items.size()) return;
    RECT client;
    GetClientRect(List.list, &client);
    // Before the list has its size the text is given a third of the screen.
    if (client.right <= 0) client.right = GetSystemMetrics(SM_CXSCREEN) / 3;
    client.right -= GetSystemMetrics(SM_CXVSCROLL);
    HDC dc = GetDC(List.list);
    HGDIOBJ previous = SelectObject(dc, List.font);
    int padding = Padding(dc);
    RECT place = TextPlace(client, padding);
    int height = Lay(dc, List.items[measure.itemID], place, DT_CALCRECT) + 2 * padding;
    SelectObject(dc, previous);
    ReleaseDC(List.list, dc);
    height = std::max(height, GetSystemMetrics(SM_CYSMICON) + 2 * padding);
    measure.itemHeight = (UINT)std::min(height, ItemHeightMax);
}

void DrawFinding(const DRAWITEMSTRUCT &draw) {
    if (draw.itemID >= List.items.size()) return;
    const Item &item = List.items[draw.itemID];
    bool selected = draw.itemState & ODS_SELECTED;
    HDC dc = draw.hDC;
    FillRect(dc, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ previous = SelectObject(dc, List.font);
    int padding = Padding(dc);
    int icon = GetSystemMetrics(SM_CXSMICON);
    DrawIconEx(dc, draw.rcItem.left + padding, draw.rcItem.top + padding, LevelIcon(item.severity), icon, icon, 0,
               nullptr, DI_NORMAL);
    Lay(dc, item, TextPlace(draw.rcItem, padding), 0);
    SelectObject(dc, previous);
    // A line between items, in the colour of the window's frame lines.
    RECT line = draw.rcItem;
    line.top = line.bottom - 1;
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &draw.rcItem);
}

}  // namespace check
