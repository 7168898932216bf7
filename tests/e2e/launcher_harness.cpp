#include "launcher_harness.h"

#include <algorithm>

namespace {

const wchar_t kLauncherClass[] = L"VELANDRIMOUR";
const wchar_t kLauncherTitle[] = L"Velandrimour";
const DWORD kPollMilliseconds = 5;

// The build puts the launcher two folders up from the tests and the recorder beside them.
std::wstring BuiltLauncher() { return ModuleDirectory() + L"\\..\\..\\velandrimour.exe"; }
std::wstring BuiltRecorder() { return ModuleDirectory() + L"\\recorder.exe"; }

std::wstring ClassOf(HWND window) {
    WCHAR name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

struct Search {
    DWORD pid;
    const wchar_t *className;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
    Search *search = (Search *)data;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && ClassOf(window) == search->className)
        search->found.push_back(window);
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()> &condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        if (GetTickCount() - start > milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMilliseconds, QS_ALLINPUT);
    }
}

LauncherInstall::LauncherInstall() : exe_(scratch_.file(L"velandrimour.exe")) {
    if (!CopyFileW(BuiltLauncher().c_str(), exe_.c_str(), FALSE)) ADD_FAILURE() << "cannot copy the launcher";
}

void LauncherInstall::WriteConfig(const std::wstring &text) const {
    std::wstring lines;
    for (wchar_t c : text) lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    if (!WriteBytes(configPath(), ToCp1251(lines))) ADD_FAILURE() << "cannot write the configuration file";
}

std::wstring LauncherInstall::AddRecorder(const std::wstring &name, const std::wstring &subfolder) const {
    std::wstring folder = subfolder.empty() ? dir() : file(subfolder);
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring path = folder + L"\\" + name;
    if (!CopyFileW(BuiltRecorder().c_str(), path.c_str(), FALSE)) ADD_FAILURE() << "cannot copy the recorder";
    return path;
}

std::vector<RecordedStart> LauncherInstall::Recorded(const std::wstring &subfolder) const {
    std::wstring folder = subfolder.empty() ? dir() : file(subfolder);
    std::vector<RecordedStart> starts;
    std::optional<std::string> bytes = ReadBytes(folder + L"\\started.log");
    if (!bytes) return starts;
    std::wstring text = FromUtf8(*bytes);
    size_t begin = 0, end;
    while ((end = text.find(L'\n', begin)) != std::wstring::npos) {
        std::wstring line = text.substr(begin, end - begin);
        size_t first = line.find(L'\t'), second = line.find(L'\t', first + 1);
        starts.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
        begin = end + 1;
    }
    return starts;
}

LauncherProcess::LauncherProcess(const std::wstring &image, const std::optional<std::wstring> &argument, DWORD flags) {
    std::wstring line = L"\"" + image + L"\"";
    if (argument) line += L" " + *argument;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(image.c_str(), &line[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &started)) {
        ADD_FAILURE() << "cannot start " << ToUtf8(image);
        return;
    }
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    pid_ = started.dwProcessId;
}

LauncherProcess::~LauncherProcess() {
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::optional<DWORD> LauncherProcess::WaitForExit(DWORD milliseconds) const {
    if (!process_) return std::nullopt;
    if (!WaitUntil([&] { return !Running(); }, milliseconds)) return std::nullopt;
    DWORD status = 0;
    GetExitCodeProcess(process_, &status);
    return status;
}

::testing::AssertionResult EndsWith(const LauncherProcess &launcher, DWORD status) {
    std::optional<DWORD> got = launcher.WaitForExit();
    if (!got) return ::testing::AssertionFailure() << "still running";
    if (*got != status) return ::testing::AssertionFailure() << "ended with " << *got;
    return ::testing::AssertionSuccess();
}

bool LauncherProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::vector<HWND> LauncherProcess::Windows(const wchar_t *className) const {
    Search search{pid_, className, {}};
    EnumWindows(Collect, (LPARAM)&search);
    return search.found;
}

HWND LauncherProcess::WaitForWindow(DWORD milliseconds) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> windows = Windows(kLauncherClass);
            found = windows.empty() ? nullptr : windows[0];
            return found || !Running();
        },
        milliseconds);
    return found;
}

HWND LauncherProcess::WaitForBox(DWORD milliseconds) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> boxes = Windows(L"#32770");
            found = boxes.empty() ? nullptr : boxes[0];
            return found || !Running();
        },
        milliseconds);
    return found;
}

SeenBox ReadBox(HWND box) {
    SeenBox seen{WindowText(box), L"", {}, GetWindow(box, GW_OWNER)};
    if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = WindowText(text);
    for (int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (GetDlgItem(box, button)) seen.buttons.push_back(button);
    return seen;
}

void AnswerBox(HWND box, int button) { PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

::testing::AssertionResult BoxShows(HWND box, const std::wstring &caption, const std::wstring &text,
                                    const std::vector<int> &buttons) {
    if (!box) return ::testing::AssertionFailure() << "no box";
    SeenBox seen = ReadBox(box);
    if (seen.caption != caption || seen.text != text || seen.buttons != buttons) {
        ::testing::AssertionResult failure = ::testing::AssertionFailure();
        failure << "box \"" << ToUtf8(seen.caption) << "\": \"" << ToUtf8(seen.text) << "\" buttons";
        for (int button : seen.buttons) failure << " " << button;
        return failure << "\n  wanted \"" << ToUtf8(caption) << "\": \"" << ToUtf8(text) << "\"";
    }
    return ::testing::AssertionSuccess();
}

std::vector<SeenButton> LauncherButtons(HWND launcher) {
    std::vector<SeenButton> buttons;
    for (HWND child = GetWindow(launcher, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"button") != 0) continue;
        SeenButton button{child, WindowText(child), GetDlgCtrlID(child), (DWORD)GetWindowLongW(child, GWL_STYLE), {}};
        GetWindowRect(child, &button.place);
        MapWindowPoints(nullptr, launcher, (POINT *)&button.place, 2);
        buttons.push_back(button);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](const SeenButton &a, const SeenButton &b) { return a.place.top < b.place.top; });
    return buttons;
}

HWND LauncherMenuBar(HWND launcher) { return FindWindowExW(launcher, nullptr, L"menu_worker", nullptr); }

HWND MenuBarButton(HWND launcher) {
    HWND bar = LauncherMenuBar(launcher);
    return bar ? GetWindow(bar, GW_CHILD) : nullptr;
}

HWND FindLauncherWindow() { return FindWindowW(kLauncherClass, kLauncherTitle); }

::testing::AssertionResult PickFromMenuBar(const LauncherProcess &launcher, HWND window,
                                           const std::vector<WPARAM> &keys) {
    HWND button = MenuBarButton(window);
    if (!button) return ::testing::AssertionFailure() << "no menu bar button";
    PostMessageW(button, BM_CLICK, 0, 0);
    HWND menu = nullptr;
    if (!WaitUntil([&] {
            std::vector<HWND> menus = launcher.Windows(L"#32768");
            menu = menus.empty() ? nullptr : menus[0];
            return menu != nullptr;
        }))
        return ::testing::AssertionFailure() << "the drop-down did not open";
    for (WPARAM key : keys) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
        PostMessageW(menu, WM_KEYUP, key, 0);
    }
    return ::testing::AssertionSuccess();
}
