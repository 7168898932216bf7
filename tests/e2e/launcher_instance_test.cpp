// Two real launcher processes meeting through the single-instance protocol, and
// configuration errors seen from a real start.
#include "launcher_harness.h"

namespace {

const std::wstring kFile = L"C:\\My Documents\\a.txt";

class LauncherInstance : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(FindLauncherWindow(), nullptr) << "a launcher is already running"; }
    LauncherInstall install_;
};

// Waits for the recorder's log to reach the count and gives the last start's arguments.
std::wstring LastRecorded(const LauncherInstall &install, size_t count) {
    if (!WaitUntil([&] { return install.Recorded().size() >= count; })) return L"<nothing recorded>";
    return install.Recorded().back().arguments;
}

// Windows of the test's own that look like a launcher but are not one; they record commands.
std::vector<UINT> decoyMessages;
LRESULT CALLBACK DecoyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_CLOSE) decoyMessages.push_back(message);
    return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
}

HWND Decoy(const wchar_t *className, const wchar_t *title) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DecoyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, title, WS_OVERLAPPED | WS_VISIBLE, 300, 300, 100, 100, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// True when a stands above b among the top-level windows.
bool Above(HWND a, HWND b) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == a || window == b) return window == a;
    return false;
}

}  // namespace

TEST_F(LauncherInstance, ASecondStartWithoutArgumentPressesTheFirstButtonOfTheRowOnScreen) {
    install_.WriteConfig(
        L"[]\nПервая;recorder;quick first\nВторая;recorder;quick second\nПодменю;menu;sub\n"
        L"{sub}\nВнутри;recorder;inside\n");
    install_.AddRecorder();
    struct Case {
        const char *row;
        bool openSubmenu;
        const wchar_t *started;
    } cases[] = {{"quick launch", false, L"quick first"}, {"submenu", true, L"inside"}};
    size_t logged = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row);
        LauncherProcess first(install_.exe(), std::nullopt);
        HWND window = first.WaitForWindow();
        ASSERT_NE(window, nullptr);
        if (c.openSubmenu) {
            PostMessageW(window, WM_COMMAND, 9002, 0);
            ASSERT_TRUE(WaitUntil([&] {
                std::vector<SeenButton> buttons = LauncherButtons(window);
                return buttons.size() == 1 && buttons[0].text == L"Внутри";
            }));
        }
        LauncherProcess second(install_.exe(), std::nullopt);
        EXPECT_TRUE(EndsWith(second, 0));
        EXPECT_TRUE(second.Windows(L"VELANDRIMOUR").empty());
        EXPECT_TRUE(EndsWith(first, 0));
        EXPECT_TRUE(LastRecorded(install_, ++logged) == c.started);
        EXPECT_EQ(install_.Recorded().size(), logged);
    }
}

TEST_F(LauncherInstance, ASecondStartWithoutArgumentBringsTheLauncherAndItsDialogOverAnotherWindow) {
    install_.WriteConfig(L"[]\nПодменю;menu;sub\n{sub}\nВнутри;recorder;inside\n");
    for (bool withDialog : {false, true}) {
        SCOPED_TRACE(withDialog ? "About open" : "the window alone");
        LauncherProcess first(install_.exe(), std::nullopt);
        HWND window = first.WaitForWindow(), active = window;
        ASSERT_NE(window, nullptr);
        if (withDialog) {
            PostMessageW(window, WM_COMMAND, 40003, 0);
            ASSERT_NE(active = first.WaitForBox(), nullptr);
        }
        // The launcher's own activation settles first, so that it cannot come late over the decoy.
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == active; }));
        HWND front = Decoy(L"FRONT", L"front");
        ASSERT_TRUE(WaitUntil([&] {
            if (GetForegroundWindow() == front && Above(front, window)) return true;
            SetForegroundWindow(front);
            return false;
        }));
        LauncherProcess second(install_.exe(), std::nullopt);
        EXPECT_TRUE(EndsWith(second, 0));
        EXPECT_TRUE(WaitUntil([&] {
            return GetForegroundWindow() == active && Above(window, front) && (active == window || Above(active, window));
        }));
        EXPECT_TRUE(WaitUntil([&] { return LauncherButtons(window).size() == 1; }));
        DestroyWindow(front);
    }
}

// Over a row without buttons a second start without argument fails to start nothing: at start-up
// without a "[]" section, and after a submenu whose key holds "[]" and no header emptied the row,
// which leaves no program of the row before to start, by Up neither.
TEST_F(LauncherInstance, ASecondStartWithoutArgumentOverAnEmptyRowFailsToStartNothing) {
    install_.WriteConfig(L"[txt]\nОдин;recorder;old %1\nПустое;menu;x[]\n");
    install_.AddRecorder();
    for (bool emptied : {false, true}) {
        SCOPED_TRACE(emptied ? "an emptied submenu" : "no quick-launch section");
        LauncherProcess first(install_.exe(), emptied ? std::optional(kFile) : std::nullopt);
        HWND notice = emptied ? nullptr : first.WaitForBox();
        ASSERT_EQ(notice == nullptr, emptied);
        if (notice) AnswerBox(notice, IDOK);
        HWND window = first.WaitForWindow();
        ASSERT_NE(window, nullptr);
        if (emptied) {
            PostMessageW(window, WM_COMMAND, 9001, 0);
            ASSERT_TRUE(WaitUntil([&] { return LauncherButtons(window).empty(); }));
            SendMessageW(window, WM_KEYUP, VK_UP, 0);
        }
        // The report comes while the first handles the second's command, which waits for it.
        LauncherProcess second(install_.exe(), std::nullopt);
        HWND box = first.WaitForBox();
        EXPECT_TRUE(BoxShows(box, L"Executions error", L"Error exec programm: .", {IDOK}));
        EXPECT_TRUE(second.Running());
        AnswerBox(box, IDOK);
        EXPECT_TRUE(EndsWith(first, 1));
        EXPECT_TRUE(EndsWith(second, 0));
        EXPECT_TRUE(second.Windows(L"VELANDRIMOUR").empty());
    }
    EXPECT_TRUE(install_.Recorded().empty());
}

TEST_F(LauncherInstance, ASecondStartWithAFileReplacesTheFirst) {
    install_.WriteConfig(L"[]\nБыстрый;recorder;quick\n[txt]\nТекст;recorder;text %1\n[doc]\nДокумент;x;\n");
    install_.AddRecorder();
    LauncherProcess first(install_.exe(), kFile);
    HWND old = first.WaitForWindow();
    ASSERT_NE(old, nullptr);
    LauncherProcess second(install_.exe(), L"C:\\b.doc");
    EXPECT_TRUE(EndsWith(first, 0));
    HWND window = second.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindLauncherWindow(), window);
    ASSERT_EQ(LauncherButtons(window).size(), 1u);
    EXPECT_TRUE(LauncherButtons(window)[0].text == L"Документ");
    EXPECT_TRUE(install_.Recorded().empty());
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(EndsWith(second, 0));
}

TEST_F(LauncherInstance, WindowsWithOnlyTheClassOrOnlyTheTitleDoNotCount) {
    install_.WriteConfig(L"[]\nБыстрый;recorder;quick\n");
    install_.AddRecorder();
    decoyMessages.clear();
    HWND otherTitle = Decoy(L"VELANDRIMOUR", L"Velandrimour 2");
    HWND otherClass = Decoy(L"VELANDRIMOUR_", L"Velandrimour");
    for (const std::optional<std::wstring> &argument : {std::optional<std::wstring>(), std::optional(kFile)}) {
        SCOPED_TRACE(argument ? "with a file" : "without argument");
        install_.WriteConfig(L"[]\nБыстрый;recorder;quick\n[txt]\nТекст;recorder;text\n");
        LauncherProcess launcher(install_.exe(), argument);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(launcher.Running());
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(EndsWith(launcher, 0));
    }
    EXPECT_TRUE(decoyMessages.empty());
    EXPECT_TRUE(IsWindow(otherTitle) && IsWindow(otherClass));
    EXPECT_TRUE(install_.Recorded().empty());
    DestroyWindow(otherTitle);
    DestroyWindow(otherClass);
}

TEST_F(LauncherInstance, AConfigurationErrorEndsTheNewProcessAndLeavesTheRunningOneAlone) {
    install_.WriteConfig(L"[txt]\nТекст;x;\n");
    LauncherProcess first(install_.exe(), kFile);
    HWND window = first.WaitForWindow();
    ASSERT_NE(window, nullptr);
    struct Case {
        const wchar_t *argument;
        const wchar_t *caption;
        const wchar_t *text;
        std::vector<int> buttons;
        int answer;
    } cases[] = {
        {L"C:\\b.doc", L"Extention error",
         L"В файле velandrimour.ini нет раздела для расширения \"[doc],\" а так же раздела для [*]."
         L"\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.",
         {IDYES, IDNO}, IDNO},
        {L"C:\\README", L"Extention error",
         L"Параметр программы: C:\\README не содержит точки, а значит и расширения.", {IDOK}, IDOK},
    };
    for (const Case &c : cases) {
        LauncherProcess second(install_.exe(), std::wstring(c.argument));
        HWND box = second.WaitForBox();
        EXPECT_TRUE(BoxShows(box, c.caption, c.text, c.buttons));
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        AnswerBox(box, c.answer);
        EXPECT_TRUE(EndsWith(second, 1));
        EXPECT_TRUE(first.Running());
        EXPECT_EQ(FindLauncherWindow(), window);
    }
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(EndsWith(first, 0));
}

TEST_F(LauncherInstance, YesToAConfigurationErrorStartsPocketWordOnTheFile) {
    install_.WriteConfig(L"[txt]\nБез точки с запятой\n");
    std::wstring pword = install_.AddRecorder(L"PWord.exe");
    LauncherProcess launcher(install_.exe(), kFile);
    HWND box = launcher.WaitForBox();
    EXPECT_TRUE(BoxShows(box, L"Text error",
                         L"В файле velandrimour.ini, в разделе для расширения \"[txt]\" содержиться строка без ';'."
                         L"\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.",
                         {IDYES, IDNO}));
    AnswerBox(box, IDYES);
    EXPECT_TRUE(EndsWith(launcher, 1));
    ASSERT_TRUE(WaitUntil([&] { return install_.Recorded().size() == 1; }));
    RecordedStart start = install_.Recorded()[0];
    EXPECT_TRUE(start.arguments == install_.configPath());
    EXPECT_TRUE(start.commandLine == L"\"" + pword + L"\" " + install_.configPath());
}

TEST_F(LauncherInstance, AMissingConfigurationFileIsCreatedEmptyAndReported) {
    LauncherProcess launcher(install_.exe(), kFile);
    HWND box = launcher.WaitForBox();
    EXPECT_TRUE(BoxShows(box, L"File error",
                         L"Осутствует файл \n\r" + install_.configPath() +
                             L".\n\rФайл создан заново.\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.",
                         {IDYES, IDNO}));
    AnswerBox(box, IDNO);
    EXPECT_TRUE(EndsWith(launcher, 1));
    std::optional<std::string> created = ReadBytes(install_.configPath());
    ASSERT_TRUE(created);
    EXPECT_TRUE(created->empty());
}
