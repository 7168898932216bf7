// The menu commands, the dialogs and the registration through the real launcher, and the
// shell opening a registered file through it.
#include "launcher_harness.h"
#include "support/registry_support.h"

#include <shellapi.h>

namespace {

const WPARAM kAbout = 40003, kAssociateByFile = 40005, kAssociateManually = 40006, kHelp = 40009,
             kEditConfig = 40010;
const std::wstring kAssociateTitle = L"Ассоциирование";

std::wstring NewQuestion(const std::wstring &extension) {
    return L"Вы хотие связать файлы с расширением \"" + extension + L"\" с данной программой?";
}

// A box or dialog of the launcher other than the given one, once shown.
HWND WaitForBoxBut(const LauncherProcess &launcher, HWND except, DWORD milliseconds = 5000) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND box : launcher.Windows(L"#32770"))
                if (box != except) found = box;
            return found != nullptr || !launcher.Running();
        },
        milliseconds);
    return found;
}

// Passes when the dialog is gone within the time and the launcher still runs.
::testing::AssertionResult ClosesBackToTheLauncher(const LauncherProcess &launcher, HWND dialog, HWND window) {
    if (!WaitUntil([&] { return !IsWindow(dialog); })) return ::testing::AssertionFailure() << "dialog still open";
    if (!launcher.Running() || !IsWindowVisible(window)) return ::testing::AssertionFailure() << "launcher gone";
    if (!launcher.Windows(L"#32770").empty()) return ::testing::AssertionFailure() << "another box is shown";
    return ::testing::AssertionSuccess();
}

// Passes when the dialog stays open for a while.
::testing::AssertionResult StaysOpen(HWND dialog) {
    if (WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 300))
        return ::testing::AssertionFailure() << "the dialog closed";
    return ::testing::AssertionSuccess();
}

// The device's Done button: the close box in the title bar.
void PressDone(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::wstring ControlText(HWND control) {
    LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(length + 1, L'\0');
    LRESULT copied = SendMessageW(control, WM_GETTEXT, length + 1, (LPARAM)&text[0]);
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND window) {
    WCHAR name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// Saves a window as build/screenshots/<name>.png, with the tools of the machine under the
// test's display, once it has had time to paint. The window is taken by its X window: the
// root window of the virtual display comes out black while a test drives the launcher.
void SaveScreenshot(const std::wstring &name, HWND window) {
    WaitUntil([] { return false; }, 300);
    auto xWindow = (UINT_PTR)GetPropW(window, L"__wine_x11_whole_window");
    std::wstring source = xWindow ? L"-id " + std::to_wstring(xWindow) : L"-root";
    std::wstring folder = ModuleDirectory() + L"\\..\\..\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring path = folder + L"\\" + name + L".png";
    DeleteFileW(path.c_str());
    typedef char *(CDECL * UnixName)(LPCWSTR);
    auto unixName = (UnixName)(void *)GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name");
    if (!unixName) {
        ADD_FAILURE() << "not under Wine: no screenshot";
        return;
    }
    char *unixPath = unixName(path.c_str());
    std::wstring target = FromUtf8(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    // A Unix program's handle is signalled at once: the file appears whole when it is done.
    std::wstring line = L"/bin/sh -c \"xwd " + source + L" -silent | /usr/bin/convert xwd:- png:'" + target +
                        L".part' && mv '" + target + L".part' '" + target + L"'\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        ADD_FAILURE() << "cannot take a screenshot";
        return;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    EXPECT_TRUE(WaitUntil([&] { return FileExists(path); }, 20000)) << "no screenshot";
}

// A process the shell started: ended by the test if it is left running, so that it holds
// nothing of the test run's.
class ShellStarted {
public:
    explicit ShellStarted(HANDLE process) : process_(process) {}
    ~ShellStarted() {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
        CloseHandle(process_);
    }
    ShellStarted(const ShellStarted &) = delete;
    ShellStarted &operator=(const ShellStarted &) = delete;
    // Its exit status once it has ended within the time, or 99.
    DWORD WaitForExit() const {
        DWORD status = 99;
        if (WaitUntil([&] { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }))
            GetExitCodeProcess(process_, &status);
        return status;
    }

private:
    HANDLE process_;
};

class RegistrationE2E : public ::testing::Test {
protected:
    // The launcher without a file: the quick-launch row, with the menu bar.
    void StartWithoutFile(const std::wstring &config) {
        install_.WriteConfig(config);
        launcher_.emplace(install_.exe(), std::nullopt);
        window_ = launcher_->WaitForWindow();
        ASSERT_NE(window_, nullptr);
    }
    // Runs a menu command of the launcher; returns the dialog it shows.
    HWND OpenDialog(WPARAM command, const std::wstring &title) {
        PostMessageW(window_, WM_COMMAND, command, 0);
        HWND dialog = launcher_->WaitForBox();
        if (dialog) {
            EXPECT_EQ(WindowText(dialog), title);
        }
        return dialog;
    }
    std::wstring OpenCommand() const { return L"\"" + install_.exe() + L"\" %1"; }

    LauncherInstall install_;
    std::optional<LauncherProcess> launcher_;
    HWND window_ = nullptr;
};

const std::wstring kQuickRow = L"[]\nБыстро;recorder;quick\n";

// Full screen below the task bar, its client area the device's screen below the task bar.
::testing::AssertionResult StandsOnTheDevicesScreen(HWND dialog) {
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    if (window.left != 0 || window.top != 26 || client.right != 240 || client.bottom != 294)
        return ::testing::AssertionFailure() << "at " << window.left << "," << window.top << ", client "
                                             << client.right << " by " << client.bottom;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(RegistrationE2E, TheShellOpensARegisteredExtensionThroughTheLauncher) {
    ThrowawayKeys keys({L".vlnd_e2e_a", L"vlnd_e2e_afile"});
    install_.AddRecorder();
    StartWithoutFile(kQuickRow + L"[vlnd_e2e_a]\nПервая;recorder;first %1\nВторая;recorder;second %1\n");
    PostMessageW(window_, WM_COMMAND, kAssociateByFile, 0);
    HWND box = launcher_->WaitForBox();
    ASSERT_TRUE(BoxShows(box, L"Подумайте", NewQuestion(L"vlnd_e2e_a"), {IDCANCEL, IDYES, IDNO}));
    AnswerBox(box, IDYES);
    EXPECT_TRUE(EndsWith(*launcher_, 0));
    EXPECT_TRUE(HasExpandValue(L".vlnd_e2e_a", L"vlnd_e2e_afile"));
    EXPECT_TRUE(HasExpandValue(L"vlnd_e2e_afile\\Shell\\Open\\Command", OpenCommand()));
    EXPECT_TRUE(HasExpandValue(L"vlnd_e2e_afile\\DefaultIcon", install_.exe() + L",-101"));

    std::wstring document = install_.file(L"report.vlnd_e2e_a");
    ASSERT_TRUE(WriteBytes(document, "text"));
    SHELLEXECUTEINFOW open = {};
    open.cbSize = sizeof open;
    open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    open.lpVerb = L"open";
    open.lpFile = document.c_str();
    open.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&open));
    ASSERT_NE(open.hProcess, nullptr);
    ShellStarted started(open.hProcess);
    HWND shown = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (shown = FindLauncherWindow()) != nullptr && IsWindowVisible(shown); }));
    std::vector<SeenButton> buttons = LauncherButtons(shown);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].text, L"Первая");
    EXPECT_EQ(buttons[1].text, L"Вторая");
    PostMessageW(shown, WM_COMMAND, 9000, 0);
    ASSERT_TRUE(WaitUntil([&] { return install_.Recorded().size() == 1; }));
    EXPECT_EQ(install_.Recorded()[0].arguments, L"first " + document);
    EXPECT_EQ(started.WaitForExit(), 0u);
}

TEST_F(RegistrationE2E, RegistrationByFileClosesTheLauncherAlsoAfterCancel) {
    ThrowawayKeys keys({L".vlnd_e2e_a", L"vlnd_e2e_afile", L".vlnd_e2e_b", L"vlnd_e2e_bfile"});
    StartWithoutFile(kQuickRow + L"[vlnd_e2e_a]\nA;recorder;a\n[vlnd_e2e_b]\nB;recorder;b\n");
    PostMessageW(window_, WM_COMMAND, kAssociateByFile, 0);
    HWND box = launcher_->WaitForBox();
    ASSERT_TRUE(BoxShows(box, L"Подумайте", NewQuestion(L"vlnd_e2e_a"), {IDCANCEL, IDYES, IDNO}));
    AnswerBox(box, IDCANCEL);
    EXPECT_TRUE(EndsWith(*launcher_, 0));
    EXPECT_FALSE(KeyExists(L".vlnd_e2e_a"));
    EXPECT_FALSE(KeyExists(L".vlnd_e2e_b"));
}

TEST_F(RegistrationE2E, AboutShowsItsLinesAndClosesOnlyOnDone) {
    StartWithoutFile(kQuickRow);
    HWND dialog = OpenDialog(kAbout, L"Velandrimour");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(StandsOnTheDevicesScreen(dialog));
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        EXPECT_EQ(ClassOf(child), L"Static");
        texts.push_back(WindowText(child));
    }
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts[1], L"Velandrimour\r\nВерсия 1.00");
    EXPECT_EQ(texts[6], L"буду благодарен за замечания и пожелания");
    SaveScreenshot(L"about", dialog);
    for (WPARAM command : {IDCANCEL, IDNO, 1002}) PostMessageW(dialog, WM_COMMAND, command, 0);
    EXPECT_TRUE(StaysOpen(dialog));
    PressDone(dialog);
    EXPECT_TRUE(ClosesBackToTheLauncher(*launcher_, dialog, window_));
    PostMessageW(window_, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(EndsWith(*launcher_, 0));
}

TEST_F(RegistrationE2E, HelpShowsTheHelpText) {
    StartWithoutFile(kQuickRow);
    HWND dialog = OpenDialog(kHelp, L"Dialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(StandsOnTheDevicesScreen(dialog));
    HWND text = GetDlgItem(dialog, 1004);
    ASSERT_NE(text, nullptr);
    std::wstring help = ControlText(text);
    EXPECT_EQ(help.size(), 914u);
    EXPECT_EQ(help.rfind(L"\r\n     Программа \"Velandrimour\"\r\n", 0), 0u);
    EXPECT_NE(help.find(L"соответствует выбору первой  экранной кнопки."), std::wstring::npos);
    DWORD style = (DWORD)GetWindowLongW(text, GWL_STYLE);
    EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | ES_CENTER | WS_VSCROLL),
              (DWORD)(ES_MULTILINE | ES_READONLY | ES_CENTER | WS_VSCROLL));
    SaveScreenshot(L"help", dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(StaysOpen(dialog));
    PressDone(dialog);
    EXPECT_TRUE(ClosesBackToTheLauncher(*launcher_, dialog, window_));
}

TEST_F(RegistrationE2E, ManualRegistrationFlows) {
    const std::wstring forty = L"vlnd_e2e_" + std::wstring(31, L'q');
    const std::wstring fortyOne = forty + L"q";
    ThrowawayKeys keys({L"." + forty, forty + L"file", L"." + fortyOne, fortyOne + L"file", L".vlnd_e2e_m",
                        L"vlnd_e2e_mfile"});
    StartWithoutFile(kQuickRow);
    bool shot = false;
    struct Case {
        const char *what;
        std::wstring typed;
        bool done;  // the Done button rather than "Ассоциировать"
        std::optional<std::wstring> caption, text;
        std::vector<int> buttons;
        int answer;
    } cases[] = {
        {"empty text", L"", false, std::nullopt, std::nullopt, {}, 0},
        {"Done", L"vlnd_e2e_m", true, std::nullopt, std::nullopt, {}, 0},
        {"forty-one characters", fortyOne, false, L"Extention error", L"Слишком длинное расширение.", {IDOK}, IDOK},
        {"forty characters", forty, false, L"Подумайте", NewQuestion(forty), {IDCANCEL, IDYES, IDNO}, IDYES},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HWND dialog = OpenDialog(kAssociateManually, kAssociateTitle);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(StandsOnTheDevicesScreen(dialog));
        HWND edit = GetDlgItem(dialog, 1003);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(ControlText(edit), L"");
        SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)c.typed.c_str());
        if (!shot && !c.typed.empty()) {
            SaveScreenshot(L"associate", dialog);
            shot = true;
        }
        if (c.done)
            PressDone(dialog);
        else
            PostMessageW(dialog, WM_COMMAND, 1001, 0);
        if (c.caption) {
            HWND box = WaitForBoxBut(*launcher_, dialog);
            ASSERT_TRUE(BoxShows(box, *c.caption, *c.text, c.buttons));
            EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
            AnswerBox(box, c.answer);
        }
        EXPECT_TRUE(ClosesBackToTheLauncher(*launcher_, dialog, window_));
    }
    EXPECT_TRUE(HasExpandValue(L"." + forty, forty + L"file"));
    EXPECT_EQ(StoredKeyName(L"." + forty), L"." + forty);
    for (const std::wstring &refused : {fortyOne, std::wstring(L"vlnd_e2e_m")})
        EXPECT_FALSE(KeyExists(L"." + refused));
}

TEST_F(RegistrationE2E, EditingTheConfigFileStartsPocketWordOnItAndCloses) {
    install_.AddRecorder(L"PWord.exe");
    StartWithoutFile(kQuickRow);
    PostMessageW(window_, WM_COMMAND, kEditConfig, 0);
    EXPECT_TRUE(EndsWith(*launcher_, 0));
    ASSERT_TRUE(WaitUntil([&] { return !install_.Recorded().empty(); }));
    std::vector<RecordedStart> starts = install_.Recorded();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].arguments, install_.configPath());
}

TEST_F(RegistrationE2E, PocketWordThatCannotStartEndsTheLauncherWithOne) {
    ASSERT_TRUE(WriteBytes(install_.file(L"PWord.exe"), "no program"));
    StartWithoutFile(kQuickRow);
    PostMessageW(window_, WM_COMMAND, kEditConfig, 0);
    HWND box = launcher_->WaitForBox();
    ASSERT_TRUE(BoxShows(box, L"Executions error",
                         L"Не удается запустить Pocket Word для редактирования файла velandrimour.ini.", {IDOK}));
    AnswerBox(box, IDOK);
    EXPECT_TRUE(EndsWith(*launcher_, 1));
}

// Each item of the "Файл" drop-down, picked with the keys on the real menu bar: Down from
// the top (separators are passed over), Up from the bottom.
TEST_F(RegistrationE2E, EveryItemOfTheFileMenuWorksFromTheRealMenuBar) {
    const struct Case {
        const char *item;
        std::vector<WPARAM> keys;
        const wchar_t *dialogTitle;  // the dialog it shows, or nullptr when it closes the launcher
        bool startsPocketWord;
    } cases[] = {
        {"Ассоциировать по INI-файлу", {VK_DOWN, VK_RETURN}, nullptr, false},
        {"Ассоциировать вручную", {VK_DOWN, VK_DOWN, VK_RETURN}, L"Ассоциирование", false},
        {"Редактировать INI-файл в PWord", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, nullptr, true},
        {"About", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, L"Velandrimour", false},
        {"Help", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, L"Dialog", false},
        {"Выход", {VK_UP, VK_RETURN}, nullptr, false},
    };
    install_.AddRecorder(L"PWord.exe");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        size_t startsBefore = install_.Recorded().size();
        // The quick-launch row names no extension: registration by file asks nothing.
        StartWithoutFile(kQuickRow);
        ASSERT_TRUE(PickFromMenuBar(*launcher_, window_, c.keys));
        if (c.dialogTitle) {
            HWND dialog = launcher_->WaitForBox();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(WindowText(dialog), c.dialogTitle);
            PressDone(dialog);
            EXPECT_TRUE(ClosesBackToTheLauncher(*launcher_, dialog, window_));
            PostMessageW(window_, WM_COMMAND, IDOK, 0);
        }
        EXPECT_TRUE(EndsWith(*launcher_, 0));
        if (c.startsPocketWord) {
            ASSERT_TRUE(WaitUntil([&] { return install_.Recorded().size() == startsBefore + 1; }));
            EXPECT_EQ(install_.Recorded().back().arguments, install_.configPath());
        } else {
            EXPECT_EQ(install_.Recorded().size(), startsBefore);
        }
        launcher_.reset();
    }
}
