// The command line seen from outside: what follows the name and one blank is the argument,
// and an over-long one is refused before the configuration file is looked at.
#include "launcher_harness.h"

TEST(LauncherArgument, OverLongCommandLineIsRefusedFirst) {
    LauncherInstall install;  // no configuration file: touching it would create it
    LauncherProcess launcher(install.exe(), L"\\" + std::wstring(507, L'a') + L".txt");  // 512
    HWND box = launcher.WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(BoxShows(box, L"Parameter", L"Слишком длинный параметр программы.", {IDOK}));
    AnswerBox(box, IDOK);
    EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(1));
    EXPECT_FALSE(FileExists(install.configPath()));
}

TEST(LauncherArgument, LongestCommandLineIsTaken) {
    LauncherInstall install;
    install.WriteConfig(L"[txt]\nОткрыть;recorder;\n");
    LauncherProcess launcher(install.exe(), L"\\" + std::wstring(506, L'a') + L".txt");  // 511
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    std::vector<SeenButton> buttons = LauncherButtons(window);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].text, L"Открыть");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(launcher.WaitForExit(), std::optional<DWORD>(0));
}

TEST(LauncherArgument, EverythingAfterTheNameAndOneBlankIsTheArgument) {
    LauncherInstall install;
    install.WriteConfig(L"[]\nБыстрый;recorder;quick\n[txt]\nОткрыть;recorder;<%1>\n");
    install.AddRecorder();
    const std::wstring noDot = L"Параметр программы: %s не содержит точки, а значит и расширения.";
    struct Case {
        const wchar_t *argument, *started;
    } cases[] = {{L" C:\\d\\a.txt", L"< C:\\d\\a.txt>"}, {L"\tC:\\d\\a", nullptr}, {L"   ", nullptr}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.argument)));
        LauncherProcess launcher(install.exe(), std::wstring(c.argument));
        if (c.started) {
            HWND window = launcher.WaitForWindow();
            ASSERT_NE(window, nullptr);
            PostMessageW(window, WM_COMMAND, 9000, 0);
            EXPECT_TRUE(EndsWith(launcher, 0));
            ASSERT_TRUE(WaitUntil([&] { return install.Recorded().size() == 1; }));
            EXPECT_EQ(install.Recorded()[0].arguments, c.started);
            continue;
        }
        HWND box = launcher.WaitForBox();
        std::wstring text = noDot;
        EXPECT_TRUE(BoxShows(box, L"Extention error", text.replace(text.find(L"%s"), 2, c.argument), {IDOK}));
        AnswerBox(box, IDOK);
        EXPECT_TRUE(EndsWith(launcher, 1));
    }
}
