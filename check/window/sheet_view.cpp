// The sheet pane: the picture drawn at its own size from an origin that the scroll bars move.
#include "check/window/sheet_view.h"

#include <algorithm>

namespace check {

namespace {

const wchar_t SheetViewClass[] = L"VelandrimourCheckSheet";

struct {
    HWND view = nullptr;
    Picture picture;
    std::wstring message;
    POINT origin{};
} View;

// The scroll bar's range and page for the picture's extent in the pane's.
void SetBar(HWND view, int bar, int extent, int page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = std::max(extent - 1, 0);
    info.nPage = (UINT)std::max(page, 0);
    LONG &origin = bar == SB_HORZ ? View.origin.x : View.origin.y;
    origin = std::max(0L, std::min(origin, (LONG)(extent - page)));
    info.nPos = origin;
    SetScrollInfo(view, bar, &info, TRUE);
}

void UpdateBars(HWND view) {
    RECT client;
    GetClientRect(view, &client);
    SetBar(view, SB_HORZ, View.picture.width, client.right);
    SetBar(view, SB_VERT, View.picture.height, client.bottom);
    InvalidateRect(view, nullptr, TRUE);
}

SCROLLINFO BarInfo(HWND view, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_TRACKPOS;
    GetScrollInfo(view, bar, &info);
    return info;
}

// Moves the origin along one bar to the position, as far as the picture goes.
void ScrollTo(HWND view, int bar, int position) {
    SCROLLINFO info = BarInfo(view, bar);
    int last = std::max(0, info.nMax - (int)info.nPage + 1);
    position = std::max(0, std::min(position, last));
    LONG &origin = bar == SB_HORZ ? View.origin.x : View.origin.y;
    if (position == origin) return;
    int by = origin - position;
    origin = position;
    SetScrollPos(view, bar, position, TRUE);
    ScrollWindowEx(view, bar == SB_HORZ ? by : 0, bar == SB_VERT ? by : 0, nullptr, nullptr, nullptr, nullptr,
                   SW_INVALIDATE | SW_ERASE);
}

// Where a scroll bar's request leads.
int Requested(HWND view, int bar, WORD request) {
    SCROLLINFO info = BarInfo(view, bar);
    int line = std::max(16, (int)info.nPage / 10);
    switch (request) {
    case SB_LINEUP: return info.nPos - line;
    case SB_LINEDOWN: return info.nPos + line;
    case SB_PAGEUP: return info.nPos - (int)info.nPage;
    case SB_PAGEDOWN: return info.nPos + (int)info.nPage;
    case SB_TOP: return 0;
    case SB_BOTTOM: return info.nMax;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return info.nTrackPos;
    default: return info.nPos;
    }
}

void Paint(HWND view) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    RECT client;
    GetClientRect(view, &client);
    if (View.picture.pixels.empty()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        HGDIOBJ previous = SelectObject(dc, (HFONT)SendMessageW(GetParent(view), WM_GETFONT, 0, 0));
        DrawTextW(dc, View.message.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, previous);
    } else {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = View.picture.width;
        info.bmiHeader.biHeight = -View.picture.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, -View.origin.x, -View.origin.y, View.picture.width, View.picture.height, 0, 0, 0,
                          View.picture.height, View.picture.pixels.data(), &info, DIB_RGB_COLORS);
        // What lies beyond the picture's right and bottom edges.
        HBRUSH beyond = GetSysColorBrush(COLOR_APPWORKSPACE);
        RECT right = client, below = client;
        right.left = View.picture.width - View.origin.x;
        below.top = View.picture.height - View.origin.y;
        FillRect(dc, &right, beyond);
        FillRect(dc, &below, beyond);
    }
    if (GetFocus() == view) {
        RECT focus = client;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
    EndPaint(view, &paint);
}

// The keyboard scrolls as the bars do.
bool Key(HWND view, WPARAM key) {
    bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_UP: ScrollTo(view, SB_VERT, Requested(view, SB_VERT, SB_LINEUP)); return true;
    case VK_DOWN: ScrollTo(view, SB_VERT, Requested(view, SB_VERT, SB_LINEDOWN)); return true;
    case VK_LEFT: ScrollTo(view, SB_HORZ, Requested(view, SB_HORZ, SB_LINEUP)); return true;
    case VK_RIGHT: ScrollTo(view, SB_HORZ, Requested(view, SB_HORZ, SB_LINEDOWN)); return true;
    case VK_PRIOR: ScrollTo(view, SB_VERT, Requested(view, SB_VERT, SB_PAGEUP)); return true;
    case VK_NEXT: ScrollTo(view, SB_VERT, Requested(view, SB_VERT, SB_PAGEDOWN)); return true;
    case VK_HOME: ScrollTo(view, control ? SB_VERT : SB_HORZ, 0); return true;
    case VK_END: ScrollTo(view, control ? SB_VERT : SB_HORZ, INT_MAX / 2); return true;
    default: return false;
    }
}

LRESULT CALLBACK SheetViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(view); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: UpdateBars(view); return 0;
    case WM_HSCROLL: ScrollTo(view, SB_HORZ, Requested(view, SB_HORZ, LOWORD(wParam))); return 0;
    case WM_VSCROLL: ScrollTo(view, SB_VERT, Requested(view, SB_VERT, LOWORD(wParam))); return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(view, SB_VERT, View.origin.y - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * 16 / WHEEL_DELTA);
        return 0;
    case WM_LBUTTONDOWN: SetFocus(view); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(view, nullptr, FALSE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (Key(view, wParam)) return 0;
        break;
    }
    return DefWindowProcW(view, message, wParam, lParam);
}

}  // namespace

HWND CreateSheetView(HWND parent, int id) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SheetViewProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = SheetViewClass;
    RegisterClassW(&windowClass);
    View.view = CreateWindowExW(WS_EX_CLIENTEDGE, SheetViewClass, L"Экраны",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL, 0, 0, 0, 0, parent,
                                 (HMENU)(INT_PTR)id, windowClass.hInstance, nullptr);
    return View.view;
}

void ShowSheet(HWND view, const Picture &picture, const std::wstring &message, size_t screens) {
    // Its text says what it shows, for screen readers and the tests.
    std::wstring text = picture.pixels.empty() ? message
                                               : L"Экранов: " + Decimal(screens) + L", картинка " + Decimal(picture.width) +
                                                     L" на " + Decimal(picture.height) + L" точек";
    SetWindowTextW(view, text.c_str());
    View.picture = picture;
    View.message = message;
    View.origin = POINT{};
    UpdateBars(view);
}

}  // namespace check
