// The real velandrimour-check.exe started as Explorer starts it, without a console or standard
// handles: its window lists the file's findings, mends a file with one button, names a file it
// cannot read, and closes with Esc.
#include "check_support.h"
#include "check/window/findings_list.h"
#include "check/window/window.h"
#include "launcher_harness.h"

namespace {

std::wstring Text(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], (int)text.size()));
    return text;
}

std::vector<std::wstring> Rows(HWND list) {
    std::vector<std::wstring> rows;
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; row++) {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, row, 0) + 1, L'\0');
        text.resize(SendMessageW(list, LB_GETTEXT, row, (LPARAM)&text[0]));
        rows.push_back(text);
    }
    return rows;
}

class CheckWindowTest : public CheckTest {
protected:
    // Starts the checker on the test's file and waits for its window; null when none shows.
    HWND Open(const std::wstring &argument) {
        std::wstring exe = ModuleDirectory() + L"\\..\\..\\velandrimour-check.exe";
        process_.emplace(exe, argument, DETACHED_PROCESS);
        HWND found = nullptr;
        WaitUntil([&] {
            std::vector<HWND> windows = process_->Windows(check::CheckWindowClass);
            found = windows.empty() ? nullptr : windows[0];
            return found || !process_->Running();
        }, 10000);
        return found;
    }
    // Once the screens are drawn: each box the launcher would show is one of its own meanwhile.
    bool ScreensDrawn(HWND window) {
        return WaitUntil([&] { return Text(GetDlgItem(window, check::IdScreens)).find(L"Экранов: ") == 0; }, 10000);
    }
    // The summary once it says this, within the time.
    bool SummaryBecomes(HWND window, const std::wstring &summary) {
        return WaitUntil([&] { return Text(GetDlgItem(window, check::IdSummary)) == summary; }, 10000);
    }
    std::optional<LauncherProcess> process_;
};

TEST_F(CheckWindowTest, ListsTheFindingsAsTheConsolePrintsThem) {
    check::ConfigImage image = Load(ToCp1251(L"[]\r\nЧасы;clock;\r\n[txt]\r\nБлокнот notepad\r\n[*]\r\nПоказать;show;%1\r\n"));
    std::vector<check::Finding> findings = check::CheckConfig(image, {});
    ASSERT_EQ(1u, check::CountOf(findings, check::Severity::Error));
    HWND window = Open(L"\"" + path() + L"\"");
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(SummaryBecomes(window, check::FindingsSummary(path(), findings)));
    EXPECT_EQ(path() + L" — velandrimour-check", Text(window));
    std::vector<std::wstring> rows = Rows(GetDlgItem(window, check::IdFindings));
    ASSERT_EQ(findings.size(), rows.size());
    EXPECT_EQ(L"Строка 4, столбец 1 · ошибка · no-semicolon", rows[0].substr(0, rows[0].find(L'\n')));
    for (size_t row = 0; row < rows.size(); row++) EXPECT_EQ(check::FindingItemText(findings[row]), rows[row]);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, check::IdFix)));  // 1251 with CR LF: nothing to mend
    // The screens come after the findings, in a pane that scrolls.
    HWND screens = GetDlgItem(window, check::IdScreens);
    EXPECT_TRUE(WaitUntil([&] { return Text(screens).find(L"Экранов: 3,") == 0; }, 10000)) << ToUtf8(Text(screens));
    PostMessageW(GetDlgItem(window, check::IdFindings), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(EndsWith(*process_, 0));
}

TEST_F(CheckWindowTest, FixButtonMendsUtf8WithLineFeedsAndTheListComesClean) {
    ASSERT_TRUE(WriteBytes(path(), check::ToUtf8(L"[]\nЧасы;clock;\n[*]\nПоказать;show;%1\n")));
    HWND window = Open(L"\"" + path() + L"\"");
    ASSERT_NE(nullptr, window);
    HWND fix = GetDlgItem(window, check::IdFix);
    ASSERT_TRUE(ScreensDrawn(window));
    EXPECT_TRUE(IsWindowVisible(fix));
    EXPECT_EQ(3u, Rows(GetDlgItem(window, check::IdFindings)).size());  // no-entries, lone-line-feed, utf8
    PostMessageW(fix, BM_CLICK, 0, 0);
    HWND box = process_->WaitForBox(10000);
    ASSERT_NE(nullptr, box);
    SeenBox report = ReadBox(box);
    EXPECT_EQ(L"Исправление файла", report.caption);
    EXPECT_NE(std::wstring::npos, report.text.find(L"файл переписан так, как его читает программа")) << ToUtf8(report.text);
    AnswerBox(box, IDOK);
    EXPECT_TRUE(SummaryBecomes(window, path() + L": ошибок: 0, предупреждений: 0, замечаний: 0"));
    EXPECT_TRUE(Rows(GetDlgItem(window, check::IdFindings)).empty());
    EXPECT_FALSE(IsWindowVisible(fix));
    EXPECT_TRUE(ScreensDrawn(window));
    EXPECT_EQ(ToCp1251(L"[]\r\nЧасы;clock;\r\n[*]\r\nПоказать;show;%1\r\n"), ReadBytes(path()).value_or(""));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(EndsWith(*process_, 0));
}

TEST_F(CheckWindowTest, FileThatCannotBeReadIsNamedInTheWindow) {
    std::wstring missing = path() + L".нет";
    HWND window = Open(L"\"" + missing + L"\"");
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(SummaryBecomes(window, L"Файл не прочитан: файл не найден: " + missing));
    EXPECT_TRUE(Rows(GetDlgItem(window, check::IdFindings)).empty());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, check::IdEdit)));
    EXPECT_TRUE(process_->Running());
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(EndsWith(*process_, 0));
}

}  // namespace
