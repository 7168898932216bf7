// The command line's length limit, seen from outside: an over-long one is refused before
// the configuration file is looked at.
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
