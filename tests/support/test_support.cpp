#include "support/test_support.h"

namespace {
thread_local BoxAnswerer *activeAnswerer = nullptr;
thread_local HHOOK activeHook = nullptr;

std::wstring Describe(const Reported &report) {
    return (report.configError ? L"ReportConfigError(\"" : L"ReportFatal(\"") + report.caption + L"\", \"" +
           report.text + L"\")";
}
}  // namespace

std::optional<Reported> ReportOf(const std::function<void()> &code) {
    try {
        code();
    } catch (const Reported &report) {
        return report;
    }
    return std::nullopt;
}

::testing::AssertionResult RaisesReport(const std::function<void()> &code, const std::wstring &caption,
                                        const std::wstring &text, bool configError) {
    std::optional<Reported> report = ReportOf(code);
    Reported wanted{caption, text, configError, {}};
    if (!report)
        return ::testing::AssertionFailure() << "no report; wanted " << ToUtf8(Describe(wanted));
    if (report->caption != caption || report->text != text || report->configError != configError)
        return ::testing::AssertionFailure() << "reported " << ToUtf8(Describe(*report)) << "\n  wanted "
                                             << ToUtf8(Describe(wanted));
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult RaisesNoReport(const std::function<void()> &code) {
    std::optional<Reported> report = ReportOf(code);
    if (report) return ::testing::AssertionFailure() << "unexpected " << ToUtf8(Describe(*report));
    return ::testing::AssertionSuccess();
}

std::wstring WindowText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied);
    return text;
}

BoxAnswerer::BoxAnswerer(std::vector<int> answers)
    : hook_(nullptr), answers_(std::move(answers)), previous_(activeAnswerer) {
    activeAnswerer = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    activeHook = hook_;
}

BoxAnswerer::~BoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    activeAnswerer = previous_;
    activeHook = previous_ ? previous_->hook_ : nullptr;
}

LRESULT CALLBACK BoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    HHOOK hook = activeHook;
    if (code == HCBT_ACTIVATE && activeAnswerer) activeAnswerer->OnActivate((HWND)wParam);
    return CallNextHookEx(hook, code, wParam, lParam);
}

void BoxAnswerer::OnActivate(HWND box) {
    WCHAR className[16] = L"";
    GetClassNameW(box, className, 16);
    if (wcscmp(className, L"#32770") != 0) return;
    for (HWND handled : handled_)
        if (handled == box) return;
    handled_.push_back(box);

    SeenBox seen{WindowText(box), L"", {}, GetWindow(box, GW_OWNER)};
    if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = WindowText(text);
    for (int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (GetDlgItem(box, button)) seen.buttons.push_back(button);
    seen_.push_back(seen);

    size_t index = seen_.size() - 1;
    int answer = index < answers_.size() ? answers_[index] : IDCANCEL;
    PostMessageW(box, WM_COMMAND, answer, 0);
}

ScratchDir::ScratchDir() {
    static unsigned counter = 0;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (;;) {
        std::wstring candidate = std::wstring(temp) + L"velandrimour-test-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(++counter);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

namespace {
// Removes a folder and everything in it, through "\\?\" paths so that no length limit
// applies. Wine's SHFileOperationW, given a tree with paths beyond MAX_PATH, deletes
// the contents of the current directory instead; this never leaves the folder given.
void RemoveTree(const std::wstring &folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = folder + L"\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(child);
            else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}
}  // namespace

ScratchDir::~ScratchDir() {
    if (!path_.empty()) RemoveTree(L"\\\\?\\" + path_);
}

bool WriteBytes(const std::wstring &path, const std::string &bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::optional<std::string> ReadBytes(const std::wstring &path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ToCp1251(const std::wstring &text) {
    int size = WideCharToMultiByte(1251, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(1251, 0, text.c_str(), (int)text.size(), &result[0], size, nullptr, nullptr);
    return result;
}

std::string ToUtf8(const std::wstring &text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &result[0], size, nullptr, nullptr);
    return result;
}

std::wstring FromUtf8(const std::string &text) {
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), (int)text.size(), &result[0], size);
    return result;
}

std::wstring ModuleDirectory() {
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring result(path, length);
    return result.substr(0, result.find_last_of(L'\\'));
}
