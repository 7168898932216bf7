// The menu bar's resources as built into the executable, and the bar made from them.
#include "window_fixture.h"

namespace {

const WORD kRussian = MAKELANGID(0x19, 0x01);

// The bytes of one resource of the test binary, in Russian.
std::string ResourceBytes(LPCWSTR type, int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), kRussian);
    if (!found) return "";
    const char *data = (const char *)LockResource(LoadResource(module, found));
    return std::string(data, SizeofResource(module, found));
}

struct MenuItem {
    WORD flags;
    WORD id;
    std::wstring text;
    bool operator==(const MenuItem &other) const {
        return flags == other.flags && id == other.id && text == other.text;
    }
};

// Reads a standard menu template: header, then items, pop-ups without an identifier.
std::vector<MenuItem> ParseMenu(const std::string &bytes) {
    std::vector<MenuItem> items;
    const WORD *word = (const WORD *)bytes.data();
    const WORD *end = word + bytes.size() / 2;
    word += 2 + word[1] / 2;
    while (word < end) {
        MenuItem item{*word++, 0, L""};
        if (!(item.flags & MF_POPUP)) item.id = *word++;
        while (*word) item.text += (wchar_t)*word++;
        word++;
        items.push_back(item);
    }
    return items;
}

}  // namespace

TEST(MenuBarResources, TemplateIsTheNineWords) {
    std::string bytes = ResourceBytes((LPCWSTR)RT_RCDATA, 102);
    ASSERT_EQ(bytes.size(), 18u);
    std::vector<WORD> words((const WORD *)bytes.data(), (const WORD *)bytes.data() + 9);
    EXPECT_EQ(words, (std::vector<WORD>{102, 1, 65534, 40001, 4, 24, 40007, 0, 0}));
}

TEST(MenuBarResources, MenuIsOnePopUpWithItsItemsAndSeparatorsInOrder) {
    std::string bytes = ResourceBytes((LPCWSTR)RT_MENU, 102);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0')) << "version 0, no extra header";
    std::vector<MenuItem> wanted = {
        {0x90, 0, L"Файл"},
        {0, 40005, L"Ассоциировать по INI-файлу"},
        {0, 40006, L"Ассоциировать вручную"},
        {0, 0, L""},
        {0, 40010, L"Редактировать INI-файл в PWord"},
        {0, 0, L""},
        {0, 40003, L"About"},
        {0, 40009, L"Help"},
        {0, 0, L""},
        {0x80, 40004, L"Выход"},
    };
    std::vector<MenuItem> got = ParseMenu(bytes);
    ASSERT_EQ(got.size(), wanted.size());
    for (size_t i = 0; i < wanted.size(); i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].flags, wanted[i].flags);
        EXPECT_EQ(got[i].id, wanted[i].id);
        EXPECT_TRUE(got[i].text == wanted[i].text);
    }
}

TEST(MenuBarResources, CaptionStringAndIconGroup) {
    WCHAR caption[16] = L"";
    EXPECT_EQ(LoadStringW(GetModuleHandleW(nullptr), 40007, caption, 16), 4);
    EXPECT_STREQ(caption, L"Файл");

    std::string group = ResourceBytes((LPCWSTR)RT_GROUP_ICON, 101);
    ASSERT_EQ(group.size(), 6u + 2 * 14);
    const BYTE *bytes = (const BYTE *)group.data();
    EXPECT_EQ(*(const WORD *)(bytes + 4), 2);
    std::vector<int> sizes;
    for (int entry = 0; entry < 2; entry++) {
        const BYTE *e = bytes + 6 + 14 * entry;
        SCOPED_TRACE(entry);
        EXPECT_EQ(e[0], e[1]);
        EXPECT_EQ(e[2], 16) << "colours";
        EXPECT_EQ(*(const WORD *)(e + 6), 4) << "bits per pixel";
        sizes.push_back(e[0]);
        std::string image = ResourceBytes((LPCWSTR)RT_ICON, *(const WORD *)(e + 12));
        ASSERT_GE(image.size(), 40u);
        const BITMAPINFOHEADER *header = (const BITMAPINFOHEADER *)image.data();
        EXPECT_EQ(header->biWidth, e[0]);
        EXPECT_EQ(header->biBitCount, 4);
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));
}

namespace {

// Picks an item of the drop-down menu once it is open: Up from the bottom reaches the last one.
std::vector<WPARAM> keysForMenu;
void CALLBACK PickFromMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, timer);
    for (WPARAM key : keysForMenu) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
        PostMessageW(menu, WM_KEYUP, key, 0);
    }
}

std::vector<UINT> commandsSeen;
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commandsSeen.push_back(LOWORD(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// A plain top-level window of the device's size to carry a bar.
HWND OwnerWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MenuBarOwner";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"MenuBarOwner", L"owner", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, windowClass.hInstance, nullptr);
}

}  // namespace

TEST(MenuBar, IsOneDropDownButtonAlongTheBottomThatSendsTheChosenCommand) {
    AppInstance = GetModuleHandleW(nullptr);
    HWND owner = OwnerWindow();
    ASSERT_NE(owner, nullptr);
    HWND bar = CreateMenuBar(owner);
    ASSERT_NE(bar, nullptr);
    WCHAR className[32] = L"";
    GetClassNameW(bar, className, 32);
    EXPECT_STREQ(className, L"menu_worker");
    HWND button = GetWindow(bar, GW_CHILD);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetWindow(button, GW_HWNDNEXT), nullptr) << "one button";
    EXPECT_EQ(WindowText(button), L"Файл");

    struct Case {
        std::vector<WPARAM> keys;
        std::vector<UINT> commands;
    } cases[] = {
        {{VK_UP, VK_RETURN}, {40004}},
        {{VK_DOWN, VK_RETURN}, {40005}},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {40010}},
        {{VK_ESCAPE}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys.size());
        keysForMenu = c.keys;
        commandsSeen.clear();
        SetTimer(nullptr, 0, 10, PickFromMenu);
        SendMessageW(button, BM_CLICK, 0, 0);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        EXPECT_EQ(commandsSeen, c.commands);
    }

    // Resizing the owner keeps the bar along its bottom; destroying the bar removes it.
    MoveWindow(owner, 0, 26, 300, 200, FALSE);
    RECT client, place;
    GetClientRect(owner, &client);
    GetWindowRect(bar, &place);
    MapWindowPoints(nullptr, owner, (POINT *)&place, 2);
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_EQ(place.right, client.right);
    DestroyWindow(bar);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(owner, GWLP_WNDPROC)), OwnerProc)
        << "the owner has its own procedure back";
    EXPECT_EQ(GetWindow(owner, GW_CHILD), nullptr);
    DestroyWindow(owner);
}

TEST(MenuBar, IsNotMadeWithoutItsTemplate) {
    AppInstance = GetModuleHandleW(L"kernel32.dll");
    HWND owner = OwnerWindow();
    EXPECT_EQ(CreateMenuBar(owner), nullptr);
    EXPECT_EQ(GetWindow(owner, GW_CHILD), nullptr);
    DestroyWindow(owner);
    AppInstance = GetModuleHandleW(nullptr);
}
