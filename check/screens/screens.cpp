// Each screen is the launcher's own window: the class its start-up registers (under a name of
// the checker's own, so that a running launcher's hand-off, which looks for "VELANDRIMOUR",
// never finds it), made hidden by CreateMainWindow, whose creation step makes the menu bar and
// the buttons from what LoadEntries loaded. A hidden window is never on the screen, so its
// picture is drawn by each of its windows into a bitmap of its own: under Wine, PrintWindow
// and WM_PRINT leave the children out, and the screen holds a window's pixels only while it
// shows uncovered. A message box is the system's, shown for a moment and read from its own
// window's bitmap once painted: Wine's WM_PRINT draws no caption or frame.
#include "check/screens/screens.h"
#include "check/launcher.h"
#include "app/shell.h"
#include "base/text.h"

#include <cstring>
#include <memory>

namespace check {

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    void *bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !bitmap_) {
        if (dc_) DeleteDC(dc_);
        throw CannotDraw{L"не хватает памяти для картинки " + Decimal(width) + L" на " + Decimal(height) + L" точек"};
    }
    bits_ = static_cast<uint32_t *>(bits);
    previous_ = SelectObject(dc_, bitmap_);
}

Canvas::~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

Picture Canvas::Take() const {
    GdiFlush();
    Picture picture{width_, height_, std::vector<uint32_t>(bits_, bits_ + (size_t)width_ * height_)};
    // GDI leaves the fourth byte as it finds it; the pictures are opaque.
    for (uint32_t &pixel : picture.pixels) pixel &= 0xFFFFFF;
    return picture;
}

void Canvas::Put(const Picture &picture, int x, int y) {
    for (int row = 0; row < picture.height; row++)
        for (int column = 0; column < picture.width; column++)
            if (x + column >= 0 && x + column < width_ && y + row >= 0 && y + row < height_)
                bits_[(size_t)(y + row) * width_ + x + column] = picture.pixels[(size_t)row * picture.width + column];
}

namespace {

const wchar_t ScreenClassName[] = L"VelandrimourCheckScreen";
const wchar_t DialogClassName[] = L"#32770";
// How many times the timer finds the box not yet shown before the picture is given up.
const int BoxWaits = 500;

// The launcher's program-wide state and the window class for one drawing; both put back.
class Session {
public:
    Session() : instance_(AppInstance), menuBar_(MenuBarWindow), activation_(ActivateInfo) {
        // Under Wine the first window of a session starts its desktop process and hands it our
        // standard error, which a pipe reading our output then waits on long after we end: the
        // desktop is started here, without it.
        HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
        SetStdHandle(STD_ERROR_HANDLE, nullptr);
        GetDesktopWindow();
        SetStdHandle(STD_ERROR_HANDLE, error);
        std::memcpy(buttons_, ButtonWindows, sizeof buttons_);
        AppInstance = GetModuleHandleW(nullptr);
        if (!RegisterWindowClass(AppInstance, ScreenClassName)) {
            Restore();
            throw CannotDraw{L"нельзя зарегистрировать класс окна программы"};
        }
    }
    ~Session() {
        UnregisterClassW(ScreenClassName, AppInstance);
        Restore();
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

private:
    void Restore() {
        AppInstance = instance_;
        MenuBarWindow = menuBar_;
        ActivateInfo = activation_;
        std::memcpy(ButtonWindows, buttons_, sizeof buttons_);
    }

    SavedLauncherState config_;
    HINSTANCE instance_;
    HWND menuBar_;
    SHACTIVATEINFO activation_;
    HWND buttons_[EntrySlots];
};

// The launcher window as its start-up makes it, but hidden; gone with the object, and the quit
// that its WM_DESTROY posts is taken back out of the queue.
class HiddenWindow {
public:
    HiddenWindow() : window_(CreateMainWindow(AppInstance, ScreenClassName, 0)) {
        if (!window_) throw CannotDraw{L"нельзя создать окно программы (нет экрана?)"};
    }
    ~HiddenWindow() {
        DestroyWindow(window_);
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    HiddenWindow(const HiddenWindow &) = delete;
    HiddenWindow &operator=(const HiddenWindow &) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

// The whole window as it shows on the screen, frame and caption included, once painted.
Picture ShownWindowPicture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT place;
    GetWindowRect(window, &place);
    Canvas canvas(place.right - place.left, place.bottom - place.top);
    HDC dc = GetWindowDC(window);
    BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return canvas.Take();
}

// The next message box this thread shows, taken once it has painted (its timer comes after its
// paint messages) and then closed; the hook and the timer go with the object.
class BoxCatcher {
public:
    BoxCatcher() {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, Cbt, nullptr, GetCurrentThreadId());
    }
    ~BoxCatcher() {
        UnhookWindowsHookEx(hook_);
        if (timer_) KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    BoxCatcher(const BoxCatcher &) = delete;
    BoxCatcher &operator=(const BoxCatcher &) = delete;

    std::optional<Picture> picture;

private:
    // The box is seen as it is made; the timer, re-armed until the box shows, fires in its modal
    // loop once its paint messages are done. Whether the system lets it be activated, which
    // depends on what else is on the screen, does not matter.
    static LRESULT CALLBACK Cbt(int code, WPARAM wParam, LPARAM lParam) {
        BoxCatcher *catcher = current_;
        wchar_t name[16] = L"";
        if (code == HCBT_CREATEWND && catcher && !catcher->box_ && GetClassNameW((HWND)wParam, name, 16) &&
            std::wcscmp(name, DialogClassName) == 0) {
            catcher->box_ = (HWND)wParam;
            catcher->timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Take);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Take(HWND, UINT, UINT_PTR timer, DWORD) {
        BoxCatcher *catcher = current_;
        if (!catcher || catcher->timer_ != timer) return;
        bool shown = IsWindowVisible(catcher->box_);
        if (!shown && ++catcher->waits_ < BoxWaits) return;
        KillTimer(nullptr, timer);
        catcher->timer_ = 0;
        if (!shown) {
            EndDialog(catcher->box_, IDCANCEL);
            return;
        }
        // Its caption as it shows in front, where another window holds the foreground.
        if (GetForegroundWindow() != catcher->box_) SendMessageW(catcher->box_, WM_NCACTIVATE, TRUE, 0);
        catcher->picture = ShownWindowPicture(catcher->box_);
        EndDialog(catcher->box_, IDCANCEL);
    }

    static thread_local BoxCatcher *current_;
    HHOOK hook_ = nullptr;
    HWND box_ = nullptr;
    UINT_PTR timer_ = 0;
    int waits_ = 0;
};

thread_local BoxCatcher *BoxCatcher::current_ = nullptr;

// Each window draws itself (WM_ERASEBKGND, then WM_PRINTCLIENT) into a bitmap of its own that
// starts as what lies below it, laid in its place; children follow, the lowest first.
void PrintClient(HWND root, HWND window, Canvas &canvas) {
    RECT client;
    GetClientRect(window, &client);
    POINT at = {0, 0};
    MapWindowPoints(window, root, &at, 1);
    if (client.right > 0 && client.bottom > 0) {
        Canvas own(client.right, client.bottom);
        BitBlt(own.dc(), 0, 0, own.width(), own.height(), canvas.dc(), at.x, at.y, SRCCOPY);
        SendMessageW(window, WM_ERASEBKGND, (WPARAM)own.dc(), 0);
        SendMessageW(window, WM_PRINTCLIENT, (WPARAM)own.dc(), PRF_CLIENT | PRF_ERASEBKGND);
        BitBlt(canvas.dc(), at.x, at.y, own.width(), own.height(), own.dc(), 0, 0, SRCCOPY);
    }
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) children.push_back(child);
    for (auto child = children.rbegin(); child != children.rend(); ++child) PrintClient(root, *child, canvas);
}

Picture ClientPicture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Canvas canvas(client.right, client.bottom);
    PrintClient(window, window, canvas);
    return canvas.Take();
}

// The box a reporter shows: its caption, its joined text and its flags, without an owner.
Picture ReportBox(const Reported &report) {
    WCHAR text[ReportCapacity];
    JoinReport(text, report.pieces[0].c_str(), report.pieces[1].c_str(), report.pieces[2].c_str(),
               report.configError);
    BoxCatcher catcher;
    MessageBoxW(nullptr, text, report.caption.c_str(), report.configError ? ConfigErrorReportFlags : FatalReportFlags);
    if (!catcher.picture) throw CannotDraw{L"окно сообщения «" + report.caption + L"» не показалось (нет экрана?)"};
    return *catcher.picture;
}

// The launcher's entry button's font and width, taken from a real one, in a context of its own.
class ButtonRuler {
public:
    ButtonRuler(const LOGFONTW &font, int width, int edge) : width_(width), edge_(edge) {
        font_ = CreateFontIndirectW(&font);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, font_);
        TEXTMETRICW metrics;
        GetTextMetricsW(dc_, &metrics);
        wchar_t face[LF_FACESIZE] = L"";
        GetTextFaceW(dc_, LF_FACESIZE, face);
        name_ = std::wstring(face) + L", высота " + Decimal(metrics.tmHeight) + L" точек";
    }
    ~ButtonRuler() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(font_);
    }
    ButtonRuler(const ButtonRuler &) = delete;
    ButtonRuler &operator=(const ButtonRuler &) = delete;

    // The button centres its text and clips it to its client area, over its three-dimensional
    // edge (measured here): a title fits inside the edge, and the letters inside the client
    // area show whole.
    std::optional<TitleCut> Cut(const std::wstring &title) const {
        RECT text = {0, 0, 0, 0};
        DrawTextW(dc_, title.c_str(), (int)title.size(), &text, DT_CALCRECT | DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        int room = width_ - 2 * edge_;
        if (text.right <= room) return std::nullopt;
        std::wstring shown = ShownTitle(title);
        std::vector<int> ends(shown.size());
        SIZE whole;
        GetTextExtentExPointW(dc_, shown.c_str(), (int)shown.size(), 0, nullptr, ends.data(), &whole);
        int left = (width_ - text.right) / 2;
        TitleCut cut{text.right, room, L"", name_};
        for (size_t at = 0; at < shown.size(); at++) {
            int begin = left + (at ? ends[at - 1] : 0), end = left + ends[at];
            if (begin >= 0 && end <= width_) cut.shown += shown[at];
        }
        return cut;
    }

private:
    int width_, edge_;
    HFONT font_;
    HDC dc_;
    HGDIOBJ previous_;
    std::wstring name_;
};

}  // namespace

ScreenPicture DrawStart(const std::wstring &argument) {
    Session session;
    ScreenPicture screen;
    SectionKey[0] = 0;
    FileArgument[0] = 0;
    try {
        SetFileArgument(argument.c_str());
        LoadEntries();
    } catch (const Reported &report) {
        screen.box = ReportBox(report);
        return screen;
    }
    // Without a "[]" section the creation step shows its notice over the window.
    BoxCatcher notice;
    HiddenWindow window;
    screen.box = notice.picture;
    screen.window = ClientPicture(window.get());
    return screen;
}

ScreenPicture DrawPress(const std::wstring &argument, const std::wstring &key, const std::vector<LaunchEntry> &row,
                        int slot) {
    Session session;
    ScreenPicture screen;
    CopyText(FileArgument, argument.c_str());
    CopyText(SectionKey, key.c_str());
    for (int index = 0; index < EntrySlots; index++) {
        if (index < (int)row.size()) EntryTable[index] = row[index];
        else EntryTable[index].Title[0] = 0;
    }
    HiddenWindow window;
    try {
        OpenSubmenu(window.get(), slot);
    } catch (const Reported &report) {
        screen.box = ReportBox(report);
    }
    screen.window = ClientPicture(window.get());
    return screen;
}

std::function<std::optional<TitleCut>(const std::wstring &title)> ButtonTitleCut() {
    std::shared_ptr<ButtonRuler> ruler;
    try {
        Session session;
        CopyText(EntryTable[0].Title, L"0");
        EntryTable[1].Title[0] = 0;
        HiddenWindow window;
        HWND button = ButtonWindows[0];
        HDC dc = GetDC(button);
        HFONT font = (HFONT)SendMessageW(button, WM_GETFONT, 0, 0);
        LOGFONTW logical{};
        GetObjectW(font ? font : GetCurrentObject(dc, OBJ_FONT), sizeof logical, &logical);
        ReleaseDC(button, dc);
        RECT client;
        GetClientRect(button, &client);
        ruler = std::make_shared<ButtonRuler>(logical, client.right, GetSystemMetrics(SM_CXEDGE));
    } catch (const CannotDraw &) {
        return {};
    }
    return [ruler](const std::wstring &title) { return ruler->Cut(title); };
}

}  // namespace check
