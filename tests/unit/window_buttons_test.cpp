// The launcher window's rows of buttons, its notice, its menu bar and its closing.
#include "window_fixture.h"

namespace {

// The button of one slot: class, text, identifier, style and client-area rectangle.
::testing::AssertionResult IsEntryButton(HWND window, int slot, const std::wstring &title) {
    HWND button = ButtonWindows[slot];
    if (!button || !IsWindow(button)) return ::testing::AssertionFailure() << "slot " << slot << ": no button";
    WCHAR className[32] = L"";
    GetClassNameW(button, className, 32);
    RECT place;
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, window, (POINT *)&place, 2);
    std::vector<long> got = {place.left, place.top, place.right - place.left, place.bottom - place.top};
    std::vector<long> wanted = {40, 7 + 42 * slot, 160, 35};
    if (_wcsicmp(className, L"button") != 0) return ::testing::AssertionFailure() << "slot " << slot << ": not a button";
    if (GetParent(button) != window) return ::testing::AssertionFailure() << "slot " << slot << ": other parent";
    if (WindowText(button) != title) return ::testing::AssertionFailure() << "slot " << slot << ": other text";
    if (GetDlgCtrlID(button) != 9000 + slot)
        return ::testing::AssertionFailure() << "slot " << slot << ": id " << GetDlgCtrlID(button);
    if ((DWORD)GetWindowLongW(button, GWL_STYLE) != 0x50000000u)
        return ::testing::AssertionFailure() << "slot " << slot << ": style " << std::hex
                                             << GetWindowLongW(button, GWL_STYLE);
    if (got != wanted)
        return ::testing::AssertionFailure() << "slot " << slot << ": at " << got[0] << "," << got[1] << " size "
                                             << got[2] << "x" << got[3];
    return ::testing::AssertionSuccess();
}

std::vector<std::wstring> Titles(int count) {
    static const wchar_t *names[] = {L"Первая", L"Вторая", L"Третья", L"Четвёртая", L"Пятая", L"Шестая", L"Седьмая"};
    return std::vector<std::wstring>(names, names + count);
}

std::vector<std::wstring> EntriesFor(const std::vector<std::wstring> &titles, const std::wstring &tail) {
    std::vector<std::wstring> entries;
    for (const std::wstring &title : titles) entries.push_back(title + tail);
    return entries;
}

}  // namespace

TEST_F(LauncherWindowTest, ShowsOneButtonPerEntryDownTheColumn) {
    for (int count = 1; count <= 7; count++) {
        SCOPED_TRACE(count);
        std::vector<std::wstring> titles = Titles(count);
        WriteConfig(SectionOf(L"[]", EntriesFor(titles, L";prog;")));
        Open();
        int shown = count < 6 ? count : 6;
        for (int slot = 0; slot < shown; slot++) EXPECT_TRUE(IsEntryButton(window_, slot, titles[slot]));
        for (int slot = shown; slot < 6; slot++) EXPECT_EQ(ButtonWindows[slot], nullptr);
        DestroyWindow(window_);
        WPARAM code = 99;
        EXPECT_TRUE(QuitPosted(&code));
        EXPECT_EQ(code, 0u);
    }
}

TEST_F(LauncherWindowTest, TheFirstEmptyTitleEndsTheRow) {
    WriteConfig(SectionOf(L"[txt]", EntriesFor(Titles(3), L";prog;")));
    Open(L"C:\\a.txt");
    EntryTable[1].Title[0] = 0;
    DestroyWindow(window_);
    QuitPosted();
    window_ = CreateWindowExW(0, WindowClassName, WindowTitle, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, AppInstance, nullptr);
    EXPECT_TRUE(IsEntryButton(window_, 0, L"Первая"));
    EXPECT_EQ(ButtonWindows[1], nullptr);
    EXPECT_EQ(ButtonWindows[2], nullptr);
}

TEST_F(LauncherWindowTest, WithoutQuickLaunchSectionTellsOnceAndStaysOpenWithItsMenuBar) {
    WriteConfig(SectionOf(L"[txt]", {L"Блокнот;notepad;%1"}));
    BoxAnswerer answerer({IDOK});
    Open();
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].caption, L"Сообщение");
    EXPECT_EQ(answerer.boxes()[0].text,
              L"Программа запущена без параметров, но в файле velandrimour.ini нет раздела \"[]\".");
    EXPECT_EQ(answerer.boxes()[0].buttons, std::vector<int>{IDOK});
    EXPECT_EQ(answerer.boxes()[0].owner, window_);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_TRUE(ButtonTitles().empty());
    ASSERT_NE(MenuBarWindow, nullptr);
    EXPECT_EQ(GetParent(MenuBarWindow), window_);
}

TEST_F(LauncherWindowTest, MakesItsMenuBarAndActivationRecordAndDestroysTheBarWithItself) {
    WriteConfig(SectionOf(L"[]", {L"Один;prog;"}));
    ActivateInfo.cbSize = 0;
    Open();
    EXPECT_EQ(ActivateInfo.cbSize, sizeof(SHACTIVATEINFO));
    HWND bar = MenuBarWindow;
    ASSERT_NE(bar, nullptr);
    RECT client, place;
    GetClientRect(window_, &client);
    GetWindowRect(bar, &place);
    MapWindowPoints(nullptr, window_, (POINT *)&place, 2);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.right, client.right);
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_EQ(place.bottom - place.top, 26);
    // Every button row stays clear of the bar.
    EXPECT_GE(place.top, 7 + 42 * 5 + 35);
    DestroyWindow(window_);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(MenuBarWindow, nullptr);
    EXPECT_TRUE(QuitPosted());
}

TEST_F(LauncherWindowTest, HandledMessagesReturnZero) {
    WriteConfig(SectionOf(L"[]", {L"Один;prog;"}));
    Open();
    EXPECT_EQ(Send(WM_PAINT, 0), 0);
    EXPECT_EQ(Send(WM_SETTINGCHANGE, 0), 0);
    EXPECT_EQ(Send(WM_ACTIVATE, WA_ACTIVE, 0), 0);
    EXPECT_EQ(Send(WM_KEYUP, VK_F1), 0);
    EXPECT_EQ(Send(WM_KEYUP, VK_DOWN), 0);
    EXPECT_EQ(ActivateInfo.cbSize, sizeof(SHACTIVATEINFO));
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(ButtonTitles(), std::vector<std::wstring>{L"Один"});
}

TEST_F(LauncherWindowTest, RegistersTheClassAsGiven) {
    WNDCLASSW got = {};
    ASSERT_TRUE(GetClassInfoW(AppInstance, WindowClassName, &got));
    EXPECT_EQ(got.style, (UINT)(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(got.lpfnWndProc, MainWindowProc);
    EXPECT_EQ(got.cbClsExtra, 0);
    EXPECT_EQ(got.cbWndExtra, 0);
    EXPECT_NE(got.hIcon, nullptr);
    EXPECT_EQ(got.hCursor, nullptr);
    EXPECT_EQ(got.hbrBackground, (HBRUSH)GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(got.lpszMenuName, nullptr);
}
