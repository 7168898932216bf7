// The real reporters, each in a process of its own: the box they show, and exit status 1.
// The dying process answers the box and checks it from an exit handler, which the
// reporters' exit runs; a mismatch turns the status into another number.
#include "app/shell.h"
#include "base/text.h"
#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>

namespace {

const std::wstring OfferedEdit = L"\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.";

struct Expected {
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;
};

// State of the dying process, read by its exit handler.
BoxAnswerer *watchedAnswerer;
Expected expected;
ScratchDir *scratch;
bool errorIcon;
HHOOK iconHook;

[[noreturn]] void Mismatch(int status, const char *what, const std::wstring &seen) {
    fprintf(stderr, "%s differs: \"%s\"\n", what, ToUtf8(seen).c_str());
    _exit(status);
}

void CheckBoxAtExit() {
    delete scratch;
    const std::vector<SeenBox> &boxes = watchedAnswerer->boxes();
    if (boxes.size() != 1) Mismatch(2, "number of boxes", std::to_wstring(boxes.size()));
    const SeenBox &box = boxes[0];
    if (box.caption != expected.caption) Mismatch(3, "caption", box.caption);
    if (box.text != expected.text) Mismatch(4, "text", box.text);
    if (box.buttons != expected.buttons) Mismatch(5, "buttons", std::to_wstring(box.buttons.size()));
    if (box.owner != nullptr) Mismatch(6, "owner", L"not null");
    if (!errorIcon) Mismatch(8, "icon", L"not the error icon");
    fprintf(stderr, "box as expected\n");
}

// Notes whether the box shows the system's error icon (the box's icon control).
LRESULT CALLBACK IconHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HICON shown = (HICON)SendDlgItemMessageW((HWND)wParam, 0x0440, STM_GETICON, 0, 0);
        if (!shown) shown = (HICON)SendDlgItemMessageW((HWND)wParam, 0x0014, STM_GETICON, 0, 0);
        errorIcon = errorIcon || (shown != nullptr && shown == LoadIconW(nullptr, IDI_HAND));
    }
    return CallNextHookEx(iconHook, code, wParam, lParam);
}

// In the dying process: the box must show this, and is answered by the answerer.
void Watch(BoxAnswerer &answerer, Expected wanted) {
    watchedAnswerer = &answerer;
    expected = std::move(wanted);
    iconHook = SetWindowsHookExW(WH_CBT, IconHook, nullptr, GetCurrentThreadId());
    atexit(CheckBoxAtExit);
}

void UseConfigPath(const std::wstring &path) {
    ConfigPath[0] = L'\0';
    AppendText(ConfigPath, path.c_str());
}

}  // namespace

TEST(ReportDeath, FatalShowsOneButtonAndEnds) {
    EXPECT_EXIT(
        {
            BoxAnswerer answerer({IDOK});
            Watch(answerer, {L"File error",
                             L"Ошибка чтения из файла velandrimour.ini.\n\rВероятно доступ заблокирован другой программой.",
                             {IDOK}});
            ReportFatal(L"File error", L"Ошибка чтения из файла velandrimour.ini.\n\r",
                        L"Вероятно доступ заблокирован другой программой.", L"");
        },
        ::testing::ExitedWithCode(1), "box as expected");
}

TEST(ReportDeath, ConfigErrorAnsweredNoEnds) {
    EXPECT_EXIT(
        {
            UseConfigPath(L"C:\\nowhere\\velandrimour.ini");
            BoxAnswerer answerer({IDNO});
            Watch(answerer, {L"INI-file", L"Слишком длинная строка в ИНИ-файле" + OfferedEdit, {IDYES, IDNO}});
            ReportConfigError(L"INI-file", L"Слишком длинная строка в ИНИ-файле", L"", L"");
        },
        ::testing::ExitedWithCode(1), "box as expected");
}

TEST(ReportDeath, LongestMessageIsShownWhole) {
    // The missing-file report for a configuration path of 497 characters: 592 in all.
    const std::wstring path = L"C:\\" + std::wstring(477, L'd') + L"\\velandrimour.ini";
    ASSERT_EQ(path.size(), 497u);
    const std::wstring text = L"Осутствует файл \n\r" + path + L".\n\rФайл создан заново." + OfferedEdit;
    ASSERT_EQ(text.size(), 592u);
    EXPECT_EXIT(
        {
            UseConfigPath(path);
            BoxAnswerer answerer({IDNO});
            Watch(answerer, {L"File error", text, {IDYES, IDNO}});
            ReportConfigError(L"File error", L"Осутствует файл \n\r", ConfigPath, L".\n\rФайл создан заново.");
        },
        ::testing::ExitedWithCode(1), "box as expected");
}

TEST(ReportDeath, ConfigurationErrorFromLoadEntries) {
    EXPECT_EXIT(
        {
            scratch = new ScratchDir;
            std::wstring file = scratch->file(L"velandrimour.ini");
            WriteBytes(file, "[txt]\r\n; no entries\r\n[*]\r\nA;a;a\r\n");
            UseConfigPath(file);
            SetFileArgument(L"\\My Documents\\a.TXT");
            BoxAnswerer answerer({IDNO});
            Watch(answerer, {L"Button title error",
                             L"В файле velandrimour.ini, в разделе для расширения \"[txt]\" нет записей." + OfferedEdit,
                             {IDYES, IDNO}});
            LoadEntries();
            _exit(7);  // the reporter returned
        },
        ::testing::ExitedWithCode(1), "box as expected");
}
