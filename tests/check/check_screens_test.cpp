// velandrimour-check --screens: each screen on the sheet is the real launcher's window started
// on the same file, pixel for pixel; titles are measured as the launcher's button shows them.
#include "check_support.h"
#include "check/screens/sheet.h"
#include "launcher_harness.h"
#include "ui/resource.h"

namespace {

// The launcher's client area as the screen shows it, read from the display as a screenshot is.
check::Picture ClientOnScreen(HWND window) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT client;
    GetClientRect(window, &client);
    check::Canvas canvas(client.right, client.bottom);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Take();
}

// The part of the sheet that a screen's window takes.
check::Picture Cut(const check::Picture &sheet, const RECT &place) {
    check::Picture part{place.right - place.left, place.bottom - place.top, {}};
    for (int y = place.top; y < place.bottom; y++)
        part.pixels.insert(part.pixels.end(), sheet.pixels.begin() + y * sheet.width + place.left,
                           sheet.pixels.begin() + y * sheet.width + place.right);
    return part;
}

// Waits until the launcher's window has settled, painted, with the row of buttons wanted.
bool Settled(HWND window, size_t buttons) {
    bool shown = WaitUntil([&] { return LauncherButtons(window).size() == buttons; });
    DWORD_PTR ignored;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    Sleep(300);
    return shown;
}

}  // namespace

TEST(Screens, AreTheLaunchersOwnWindowPixelForPixel) {
    LauncherInstall install;
    std::optional<std::string> example = ReadBytes(ModuleDirectory() + L"\\..\\velandrimour.ini");
    ASSERT_TRUE(example && WriteBytes(install.configPath(), *example));
    check::ConfigImage image = check::OpenConfig(install.configPath());
    check::Sheet sheet = check::DrawSheet(image, {});
    const struct {
        std::optional<std::wstring> argument;
        int press;  // the button pressed once the window shows, or -1
        size_t buttons;
        std::wstring way;
    } cases[] = {
        {std::nullopt, -1, 4, L"без файла"},
        {L"C:\\My Documents\\a.txt", -1, 3, L"файл .txt"},
        {L"C:\\My Documents\\a.txt", 2, 2, L"файл .txt → 3 «Другие программы»"},
    };
    for (const auto &one : cases) {
        const check::SheetScreen *screen = nullptr;
        for (const check::SheetScreen &candidate : sheet.screens)
            if (candidate.label[0].substr(candidate.label[0].find(L". ") + 2) == one.way) screen = &candidate;
        ASSERT_TRUE(screen) << ToUtf8(one.way);
        LauncherProcess launcher(install.exe(), one.argument);
        HWND window = launcher.WaitForWindow();
        ASSERT_TRUE(window);
        if (one.press >= 0) {
            ASSERT_TRUE(Settled(window, one.buttons + 1));
            PostMessageW(window, WM_COMMAND, IDC_ENTRY_FIRST + one.press, 0);
        }
        ASSERT_TRUE(Settled(window, one.buttons)) << ToUtf8(one.way);
        check::Picture real = ClientOnScreen(window), drawn = Cut(sheet.picture, screen->window);
        EXPECT_EQ(drawn.width, real.width);
        EXPECT_EQ(drawn.height, real.height);
        size_t differing = 0;
        for (size_t at = 0; at < real.pixels.size() && at < drawn.pixels.size(); at++)
            differing += real.pixels[at] != drawn.pixels[at];
        EXPECT_EQ(differing, 0u) << ToUtf8(one.way);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(EndsWith(launcher, 0));
    }
}

TEST_F(CheckTest, TitlesThatTheButtonCutsOrUnderlines) {
    const std::wstring forty = L"Программа для чтения электронных книг FB";
    const struct {
        std::wstring title;
        std::vector<std::string> codes;
        std::wstring says;
    } cases[] = {
        {L"Pocket Word", {}, L""},
        {L"Просмотр в Internet Explorer", {"title-cut"}, L"«Просмотр в Internet Explorer» не помещается"},
        {forty, {"title-cut"}, L"«" + forty + L"» не помещается"},
        {L"Tom & Jerry", {"title-ampersand"}, L"надпись будет «Tom  Jerry»"},
        {L"Tom && Jerry", {}, L""},
        {L"Tom &", {}, L""},
        {L"&&&Ш", {"title-ampersand"}, L"надпись будет «&Ш»"},
        {L"R&&D & Co и ещё много слов", {"title-ampersand", "title-cut"}, L"«R&D  Co и ещё много слов» не помещается"},
    };
    check::CheckOptions options;
    options.titleCut = check::ButtonTitleCut();
    ASSERT_TRUE(options.titleCut);
    // The shown text is the system's own: DrawText's width of the title is that of the text shown.
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    for (const auto &one : cases) {
        check::ConfigImage image = Load(ToCp1251(L"[]\r\n" + one.title + L";a;\r\n[*]\r\nB;c;%1\r\n"));
        std::vector<check::Finding> findings = check::CheckConfig(image, options);
        std::vector<std::string> codes;
        std::wstring texts;
        for (const check::Finding &finding : findings)
            if (finding.code.rfind("title-", 0) == 0) codes.push_back(finding.code), texts += finding.text;
        EXPECT_EQ(codes, one.codes) << ToUtf8(one.title);
        EXPECT_NE(texts.find(one.says), std::wstring::npos) << ToUtf8(texts);
        // What shows whole is a middle part of the title, as the button centres and clips it.
        size_t from = texts.find(L"только «") + 8, to = texts.find(L"»", from);
        size_t middle = from > 8 && to != std::wstring::npos
                            ? check::ShownTitle(one.title).find(texts.substr(from, to - from)) : 1;
        EXPECT_TRUE(middle != std::wstring::npos && middle > 0) << ToUtf8(texts);
        std::wstring shown = check::ShownTitle(one.title);
        RECT drawn = {0, 0, 0, 0};
        DrawTextW(dc, one.title.c_str(), -1, &drawn, DT_CALCRECT | DT_SINGLELINE);
        SIZE extent;
        GetTextExtentPoint32W(dc, shown.c_str(), (int)shown.size(), &extent);
        EXPECT_EQ(drawn.right, extent.cx) << ToUtf8(one.title);
    }
    DeleteDC(dc);
}
