// The launcher window's commands: entries, submenus, arrow keys, closing and the rest.
#include "window_fixture.h"

namespace {

// Five entries, each opening a submenu whose one button names the slot pressed.
const wchar_t *const kSubmenuRow =
    L"[]\n"
    L"A;menu;s0\nB;menu;s1\nC;menu;s2\nD;menu;s3\nE;menu;s4\n"
    L"{s0}\nslot 0;x;\n{s1}\nslot 1;x;\n{s2}\nslot 2;x;\n{s3}\nslot 3;x;\n{s4}\nslot 4;x;\n";

// The messages a window procedure was handed, in order.
struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> seen;
WNDPROC original;

LRESULT CALLBACK Recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_ACTIVATE || message == WM_CLOSE || message == WM_DESTROY)
        seen.push_back({message, wParam, lParam});
    return CallWindowProcW(original, window, message, wParam, lParam);
}

void Record(HWND window) {
    seen.clear();
    original = (WNDPROC)SetWindowLongPtrW(window, GWLP_WNDPROC, (LONG_PTR)Recording);
}

}  // namespace

TEST_F(LauncherWindowTest, ArrowKeysPressTheFirstFourButtonsOnRelease) {
    struct Case {
        WPARAM key;
        int rows;
        const wchar_t *shown;  // nullptr: the row stays as it was
    } cases[] = {
        {VK_UP, 5, L"slot 0"},   {VK_DOWN, 5, L"slot 1"}, {VK_LEFT, 5, L"slot 2"}, {VK_RIGHT, 5, L"slot 3"},
        {VK_UP, 2, L"slot 0"},   {VK_DOWN, 2, L"slot 1"}, {VK_LEFT, 2, nullptr},   {VK_RIGHT, 2, nullptr},
        {VK_RETURN, 5, nullptr}, {VK_SPACE, 5, nullptr},  {VK_NEXT, 5, nullptr},   {'A', 5, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << ", rows " << c.rows);
        std::wstring text = kSubmenuRow;
        if (c.rows == 2) text.replace(text.find(L"C;menu"), text.find(L"{s0}") - text.find(L"C;menu"), L"");
        WriteConfig(text);
        SectionKey[0] = 0;
        Open();
        ASSERT_EQ(ButtonTitles().size(), (size_t)c.rows);
        Record(window_);
        SendMessageW(window_, WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(ButtonTitles().size(), (size_t)c.rows) << "a key press acted";
        EXPECT_EQ(SendMessageW(window_, WM_KEYUP, c.key, 0), 0);
        if (c.shown) {
            EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{c.shown});
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].message, (UINT)WM_COMMAND);
            EXPECT_EQ(seen[0].wParam, (WPARAM)(9000 + (c.shown[5] - L'0')));
            EXPECT_EQ(seen[0].lParam, 0);
        } else {
            EXPECT_EQ(ButtonTitles().size(), (size_t)c.rows);
            EXPECT_TRUE(seen.empty());
        }
        DestroyWindow(window_);
        QuitPosted();
    }
}

TEST_F(LauncherWindowTest, ASubmenuReplacesTheWholeRow) {
    WriteConfig(
        L"[txt]\nA;menu;one\nB;x;\nC;x;\nD;x;\nE;x;\nF;x;\n"
        L"{one}\nЕдинственная;C:\\Tools\\menu.exe;two\n"
        L"{two}\nОдин;x;\nДва;x;\n");
    Open(L"C:\\My Documents\\a.TXT");
    std::vector<HWND> old(ButtonWindows, ButtonWindows + 6);
    EXPECT_EQ(Send(WM_COMMAND, 9000), 0);
    for (HWND button : old) EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"Единственная"});
    for (int slot = 1; slot < 6; slot++) EXPECT_EQ(ButtonWindows[slot], nullptr);
    RECT place;
    GetWindowRect(ButtonWindows[0], &place);
    MapWindowPoints(nullptr, window_, (POINT *)&place, 2);
    EXPECT_EQ(place.top, 7);
    EXPECT_EQ(GetDlgCtrlID(ButtonWindows[0]), 9000);
    EXPECT_STREQ(SectionKey, L"{one}");
    // A command holding "menu" inside a longer text opens the next level, and so on.
    EXPECT_EQ(Send(WM_COMMAND, 9000), 0);
    EXPECT_EQ(ButtonTitles(), (std::vector<std::wstring>{L"Один", L"Два"}));
    EXPECT_STREQ(SectionKey, L"{two}");
    EXPECT_TRUE(IsWindow(window_));
}

TEST_F(LauncherWindowTest, SubmenuCommandsAreTheTwoSpellingsOnly) {
    WriteConfig(
        L"[]\nA;MENU;sub\nB;Menu;sub\nC;x-menu-y;sub\n"
        L"{sub}\nВнутри;x;\n");
    Open();
    EXPECT_EQ(Send(WM_COMMAND, 9002), 0);
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"Внутри"});
    SectionKey[0] = 0;
    LoadEntries();
    CreateEntryButtons(window_, AppInstance);
    EXPECT_EQ(Send(WM_COMMAND, 9000), 0);
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"Внутри"});
    SectionKey[0] = 0;
    LoadEntries();
    CreateEntryButtons(window_, AppInstance);
    // "Menu" is no submenu: it is started, and there is no such program.
    EXPECT_TRUE(RaisesReport([&] { Send(WM_COMMAND, 9001); }, L"Executions error", L"Error exec programm: Menu.",
                             false));
}

TEST_F(LauncherWindowTest, SubmenuNameOfFortyCharactersOpensAndOfFortyOneEndsTheProgram) {
    std::wstring forty(40, L'a'), fortyOne(41, L'a');
    WriteConfig(L"[]\nA;menu;" + forty + L"\nB;menu;" + fortyOne + L"\n{" + forty + L"}\nДлинное;x;\n");
    Open();
    EXPECT_EQ(Send(WM_COMMAND, 9000), 0);
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"Длинное"});
    EXPECT_EQ(std::wstring(SectionKey), L"{" + forty + L"}");

    SectionKey[0] = 0;
    LoadEntries();
    CreateEntryButtons(window_, AppInstance);
    ASSERT_EQ(ButtonTitles().size(), 2u);
    EXPECT_TRUE(RaisesReport([&] { Send(WM_COMMAND, 9001); }, L"SubMenu", L"Слишком длинное название подменю.",
                             false));
    EXPECT_TRUE(ButtonTitles().empty()) << "the buttons go before the name is looked at";
}

TEST_F(LauncherWindowTest, ACapitalisedSubmenuNameFallsToTheWildcardOrToTheMissingSectionReport) {
    const std::wstring row = L"[]\nA;menu;Tools\n{tools}\nИнструменты;x;\n";
    WriteConfig(row + L"[*]\nЛюбой;x;\n");
    Open();
    EXPECT_EQ(Send(WM_COMMAND, 9000), 0);
    EXPECT_STREQ(SectionKey, L"{Tools}");
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"Любой"});
    DestroyWindow(window_);
    QuitPosted();

    WriteConfig(row);
    SectionKey[0] = 0;
    Open();
    EXPECT_TRUE(RaisesReport([&] { Send(WM_COMMAND, 9000); }, L"Extention error",
                             L"В файле velandrimour.ini нет раздела для расширения \"{Tools},\" а так же раздела для [*].",
                             true));
}

TEST_F(LauncherWindowTest, AStartedEntryClosesTheLauncherAndAFailedOneIsReported) {
    WriteConfig(L"[]\nКонсоль;cmd;/c exit 0\nНет такой;no-such-program-here;\n");
    Open();
    EXPECT_TRUE(RaisesReport([&] { Send(WM_COMMAND, 9001); }, L"Executions error",
                             L"Error exec programm: no-such-program-here.", false));
    EXPECT_TRUE(IsWindow(window_)) << "the window stays up under the report";
    Record(window_);
    EXPECT_EQ(Send(WM_COMMAND, 9000), 0);
    EXPECT_FALSE(IsWindow(window_));
    WPARAM code = 99;
    EXPECT_TRUE(QuitPosted(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(LauncherWindowTest, TheFirstButtonCommandWithoutButtonsTriesAnEmptyCommand) {
    WriteConfig(L"[txt]\nA;x;\n");
    BoxAnswerer answerer({IDOK});
    EntryTable[0].Command[0] = 0;
    Open();
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_TRUE(RaisesReport([&] { Send(WM_COMMAND, 9000); }, L"Executions error", L"Error exec programm: .", false));
}

TEST_F(LauncherWindowTest, CloseLauncherDeactivatesThenClosesAndTheLoopEndsWithZero) {
    struct Case {
        WPARAM wParam;
        LPARAM lParam;
    } closers[] = {{IDOK, 0}, {40004, 0}, {MAKEWPARAM(40004, BN_CLICKED), 12345}, {MAKEWPARAM(IDOK, 1), 0}};
    for (const Case &c : closers) {
        SCOPED_TRACE(c.wParam);
        WriteConfig(SectionOf(L"[]", {L"Один;prog;"}));
        Open();
        Record(window_);
        HWND window = window_;
        EXPECT_EQ(SendMessageW(window_, WM_COMMAND, c.wParam, c.lParam), 0);
        EXPECT_FALSE(IsWindow(window));
        // Destroying the window may deactivate it once more before WM_DESTROY.
        ASSERT_GE(seen.size(), 4u);
        EXPECT_EQ(seen[1].message, (UINT)WM_ACTIVATE);
        EXPECT_EQ(seen[1].wParam, (WPARAM)WA_INACTIVE);
        EXPECT_EQ(seen[1].lParam, (LPARAM)window);
        EXPECT_EQ(seen[2].message, (UINT)WM_CLOSE);
        EXPECT_EQ(seen[2].wParam, 0u);
        EXPECT_EQ(seen[2].lParam, 0);
        EXPECT_EQ(seen.back().message, (UINT)WM_DESTROY);
        WPARAM code = 99;
        EXPECT_TRUE(QuitPosted(&code));
        EXPECT_EQ(code, 0u);
    }
}

TEST_F(LauncherWindowTest, EntryIdentifiersAreTheLowWordAndOthersGoToDefaultProcessing) {
    WriteConfig(kSubmenuRow);
    Open();
    // Not commands of the window: the row stays and the window stays open.
    for (WPARAM other : {(WPARAM)40001, (WPARAM)9006, (WPARAM)8999, (WPARAM)IDCANCEL, (WPARAM)0, (WPARAM)40002,
                         (WPARAM)40007, (WPARAM)40008, (WPARAM)0xFFFF}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(Send(WM_COMMAND, other), DefWindowProcW(window_, WM_COMMAND, other, 0));
        EXPECT_EQ(ButtonTitles().size(), 5u);
        EXPECT_TRUE(IsWindow(window_));
    }
    // The notification code in the high word does not count.
    EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(9003, 0xFFFF), 777), 0);
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"slot 3"});
}

TEST_F(LauncherWindowTest, AButtonTapArrivesAsItsIdentifier) {
    WriteConfig(kSubmenuRow);
    Open();
    SendMessageW(ButtonWindows[4], BM_CLICK, 0, 0);
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"slot 4"});
}
