// The launcher window seen from outside: its buttons, submenus, starts, failures and menu.
#include "launcher_harness.h"

namespace {

const std::wstring kFile = L"C:\\My Documents\\a.txt";
const wchar_t *const kTitles[] = {L"Блокнот", L"Почта", L"Книги", L"Заметки", L"Таблицы", L"Словарь"};

// Up to six entries for [txt], each starting the recorder with its own parameters.
std::wstring RowOf(int count) {
    std::wstring text = L"; примеры\n[txt]\n";
    for (int slot = 0; slot < count; slot++)
        text += std::wstring(kTitles[slot]) + L";recorder;slot" + std::to_wstring(slot) + L" %1\n";
    return text;
}

class LauncherWindow : public ::testing::Test {
protected:
    LauncherInstall install_;
};

}  // namespace

TEST_F(LauncherWindow, ShowsEveryRowFromOneToSixButtonsAndClosesOnOk) {
    for (int count = 1; count <= 6; count++) {
        SCOPED_TRACE(count);
        install_.WriteConfig(RowOf(count) + (count == 6 ? L"Седьмая;recorder;x\n" : L""));
        LauncherProcess launcher(install_.exe(), kFile);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(FindLauncherWindow(), window);
        std::vector<SeenButton> buttons = LauncherButtons(window);
        ASSERT_EQ(buttons.size(), (size_t)count);
        for (int slot = 0; slot < count; slot++) {
            SCOPED_TRACE(slot);
            EXPECT_TRUE(buttons[slot].text == kTitles[slot]);
            EXPECT_EQ(buttons[slot].id, 9000 + slot);
            EXPECT_EQ(buttons[slot].style, 0x50000000u);
            EXPECT_EQ(buttons[slot].place.left, 40);
            EXPECT_EQ(buttons[slot].place.top, 7 + 42 * slot);
            EXPECT_EQ(buttons[slot].place.right - buttons[slot].place.left, 160);
            EXPECT_EQ(buttons[slot].place.bottom - buttons[slot].place.top, 35);
        }
        // A device-sized screen: 240 wide, every row above the 26-pixel bar along the bottom.
        RECT client, bar;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 240);
        ASSERT_NE(LauncherMenuBar(window), nullptr);
        GetWindowRect(LauncherMenuBar(window), &bar);
        MapWindowPoints(nullptr, window, (POINT *)&bar, 2);
        EXPECT_EQ(bar.bottom, client.bottom);
        EXPECT_EQ(bar.bottom - bar.top, 26);
        EXPECT_GE(bar.top, 252);
        EXPECT_TRUE(WindowText(MenuBarButton(window)) == L"Файл");
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(EndsWith(launcher, 0));
    }
    EXPECT_TRUE(install_.Recorded().empty());
}

TEST_F(LauncherWindow, ButtonsAndArrowKeysStartTheirProgramWithTheirParametersAndClose) {
    install_.WriteConfig(RowOf(6));
    std::wstring recorder = install_.AddRecorder();
    struct Case {
        const char *how;
        std::function<void(HWND)> press;
        int slot;
    } cases[] = {
        {"Up", [](HWND w) { PostMessageW(w, WM_KEYUP, VK_UP, 0); }, 0},
        {"Down", [](HWND w) { PostMessageW(w, WM_KEYUP, VK_DOWN, 0); }, 1},
        {"Left", [](HWND w) { PostMessageW(w, WM_KEYUP, VK_LEFT, 0); }, 2},
        {"Right", [](HWND w) { PostMessageW(w, WM_KEYUP, VK_RIGHT, 0); }, 3},
        {"tap", [](HWND w) { PostMessageW(LauncherButtons(w)[4].window, BM_CLICK, 0, 0); }, 4},
        {"command", [](HWND w) { PostMessageW(w, WM_COMMAND, 9005, 0); }, 5},
    };
    size_t logged = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        LauncherProcess launcher(install_.exe(), kFile);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(window, nullptr);
        c.press(window);
        EXPECT_TRUE(EndsWith(launcher, 0));
        ASSERT_TRUE(WaitUntil([&] { return install_.Recorded().size() > logged; }));
        RecordedStart start = install_.Recorded()[logged++];
        std::wstring parameters = L"slot" + std::to_wstring(c.slot) + L" " + kFile;
        EXPECT_TRUE(start.arguments == parameters);
        EXPECT_TRUE(start.commandLine == L"\"" + recorder + L"\" " + parameters);
        EXPECT_EQ(_wcsicmp(start.image.c_str(), recorder.c_str()), 0);
    }
}

TEST_F(LauncherWindow, StartsAProgramByFullPathAndLeavesOtherKeysAlone) {
    std::wstring recorder = install_.AddRecorder(L"rec.exe", L"tools");
    install_.WriteConfig(L"[txt]\nОдин;" + recorder.substr(0, recorder.size() - 4) + L";  -open %1  \nДва;x;\n");
    LauncherProcess launcher(install_.exe(), kFile);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    for (WPARAM key : {VK_LEFT, VK_RIGHT, VK_RETURN, VK_F1}) PostMessageW(window, WM_KEYUP, key, 0);
    PostMessageW(window, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(window, WM_COMMAND, 9006, 0);
    PostMessageW(window, WM_COMMAND, 40001, 0);
    // Posted messages are handled in order: had one of those acted, this one would find the
    // launcher ended or the recorder started twice.
    PostMessageW(window, WM_KEYUP, VK_UP, 0);
    EXPECT_TRUE(EndsWith(launcher, 0));
    ASSERT_TRUE(WaitUntil([&] { return install_.Recorded(L"tools").size() == 1; }));
    EXPECT_TRUE(install_.Recorded(L"tools")[0].arguments == L"-open " + kFile);
}

TEST_F(LauncherWindow, ASubmenuReplacesASixButtonRowByItsOwn) {
    install_.WriteConfig(RowOf(5) + L"Ещё;C:\\Programs\\menu;more\n{more}\nЕдинственная;recorder;sub %1\n");
    install_.AddRecorder();
    LauncherProcess launcher(install_.exe(), kFile);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(LauncherButtons(window).size(), 6u);
    PostMessageW(LauncherButtons(window)[5].window, BM_CLICK, 0, 0);
    // Seen from outside, the old row goes one button at a time: wait for the new one.
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<SeenButton> buttons = LauncherButtons(window);
        return buttons.size() == 1 && buttons[0].text == L"Единственная";
    }));
    SeenButton only = LauncherButtons(window)[0];
    EXPECT_TRUE(only.text == L"Единственная");
    EXPECT_EQ(only.id, 9000);
    EXPECT_EQ(only.place.top, 7);
    EXPECT_TRUE(install_.Recorded().empty());
    PostMessageW(window, WM_KEYUP, VK_UP, 0);
    EXPECT_TRUE(EndsWith(launcher, 0));
    ASSERT_TRUE(WaitUntil([&] { return install_.Recorded().size() == 1; }));
    EXPECT_TRUE(install_.Recorded()[0].arguments == L"sub " + kFile);
}

TEST_F(LauncherWindow, SubmenuNamesOfFortyCharactersOpenAndOfFortyOneEndTheProgram) {
    std::wstring forty(40, L'a');
    install_.WriteConfig(L"[txt]\nA;menu;" + forty + L"\nB;menu;" + forty + L"b\n{" + forty + L"}\nДлинное;x;\n");
    {
        LauncherProcess launcher(install_.exe(), kFile);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(window, nullptr);
        PostMessageW(window, WM_COMMAND, 9000, 0);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<SeenButton> buttons = LauncherButtons(window);
            return buttons.size() == 1 && buttons[0].text == L"Длинное";
        }));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(EndsWith(launcher, 0));
    }
    LauncherProcess launcher(install_.exe(), kFile);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, 9001, 0);
    HWND box = launcher.WaitForBox();
    EXPECT_TRUE(BoxShows(box, L"SubMenu", L"Слишком длинное название подменю.", {IDOK}));
    EXPECT_TRUE(LauncherButtons(window).empty());
    AnswerBox(box, IDOK);
    EXPECT_TRUE(EndsWith(launcher, 1));
}

TEST_F(LauncherWindow, ACapitalisedSubmenuNameFallsToTheWildcardOrToTheMissingSectionReport) {
    const std::wstring row = L"[txt]\nA;menu;Tools\n{tools}\nИнструменты;x;\n";
    install_.WriteConfig(row + L"[*]\nЛюбой;x;\n");
    {
        LauncherProcess launcher(install_.exe(), kFile);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(window, nullptr);
        PostMessageW(window, WM_KEYUP, VK_UP, 0);
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<SeenButton> buttons = LauncherButtons(window);
            return buttons.size() == 1 && buttons[0].text == L"Любой";
        }));
        PostMessageW(window, WM_COMMAND, 40004, 0);
        EXPECT_TRUE(EndsWith(launcher, 0));
    }
    install_.WriteConfig(row);
    LauncherProcess launcher(install_.exe(), kFile);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_KEYUP, VK_UP, 0);
    HWND box = launcher.WaitForBox();
    EXPECT_TRUE(BoxShows(box, L"Extention error",
                         L"В файле velandrimour.ini нет раздела для расширения \"{Tools},\" а так же раздела для [*]."
                         L"\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.",
                         {IDYES, IDNO}));
    AnswerBox(box, IDNO);
    EXPECT_TRUE(EndsWith(launcher, 1));
}

TEST_F(LauncherWindow, AFailedStartIsReportedOverTheButtonsAndEndsWithOne) {
    install_.WriteConfig(L"[txt]\nНет;no-such-program;%1\nДа;recorder;\n");
    LauncherProcess launcher(install_.exe(), kFile);
    HWND window = launcher.WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_KEYUP, VK_UP, 0);
    HWND box = launcher.WaitForBox();
    EXPECT_TRUE(BoxShows(box, L"Executions error", L"Error exec programm: no-such-program.", {IDOK}));
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(LauncherButtons(window).size(), 2u);
    AnswerBox(box, IDOK);
    EXPECT_TRUE(EndsWith(launcher, 1));
}

TEST_F(LauncherWindow, WithoutQuickLaunchSectionTellsAndKeepsAWorkingMenuBar) {
    install_.WriteConfig(L"[txt]\nОдин;x;\n");
    struct Case {
        const char *how;
        std::vector<WPARAM> keys;  // empty: the menu's command sent directly
    } cases[] = {{"picked", {VK_UP, VK_RETURN}}, {"sent", {}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        LauncherProcess launcher(install_.exe(), std::nullopt);
        HWND box = launcher.WaitForBox();
        ASSERT_TRUE(BoxShows(box, L"Сообщение",
                             L"Программа запущена без параметров, но в файле velandrimour.ini нет раздела \"[]\".",
                             {IDOK}));
        HWND owner = GetWindow(box, GW_OWNER);
        AnswerBox(box, IDOK);
        HWND window = launcher.WaitForWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(owner, window);
        EXPECT_TRUE(LauncherButtons(window).empty());
        EXPECT_TRUE(launcher.Windows(L"#32770").empty()) << "the notice comes once";
        if (c.keys.empty())
            PostMessageW(window, WM_COMMAND, 40004, 0);
        else
            EXPECT_TRUE(PickFromMenuBar(launcher, window, c.keys));
        EXPECT_TRUE(EndsWith(launcher, 0));
    }
}
