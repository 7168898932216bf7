// The "Файл" menu's commands, for a window that stands in for the launcher.
#include "app/shell.h"
#include "registration/registration.h"
#include "support/registry_support.h"
#include "support/test_support.h"
#include "ui/dialogs.h"

namespace {

// Counts the close requests that reach the window; the window stays.
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        SetWindowLongPtrW(window, GWLP_USERDATA, GetWindowLongPtrW(window, GWLP_USERDATA) + 1);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        AppInstance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = AppInstance;
        windowClass.lpszClassName = L"VlndCommandTest";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"VlndCommandTest", L"launcher", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  AppInstance, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    LONG_PTR CloseRequests() const { return GetWindowLongPtrW(window_, GWLP_USERDATA); }
    HWND window_ = nullptr;
    ScratchDir dir_;
};

// Each dialog command shows its dialog, owned by the window, which stays open afterwards.
TEST_F(MenuCommands, DialogCommandsReturnToTheWindow) {
    struct Case {
        UINT command;
        std::wstring title;
    } cases[] = {{IDM_ABOUT, L"Velandrimour"}, {IDM_ASSOCIATE_MANUAL, L"Ассоциирование"}, {IDM_HELP, L"Dialog"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.command);
        BoxAnswerer answerer({IDOK});
        EXPECT_TRUE(RunMenuCommand(window_, c.command));
        ASSERT_GE(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].caption, c.title);
        EXPECT_EQ(answerer.boxes()[0].owner, window_);
        EXPECT_EQ(CloseRequests(), 0);
    }
}

// The window closes when the pass is over, whatever the answers.
TEST_F(MenuCommands, RegistrationByConfigFileClosesTheWindowAlways) {
    ThrowawayKeys keys({L".vlnd_cmd", L"vlnd_cmdfile"});
    std::wstring path = dir_.file(L"velandrimour.ini");
    ASSERT_TRUE(WriteBytes(path, "[vlnd_cmd]\r\nA;b.exe;%1\r\n"));
    wcscpy_s(ConfigPath, ConfigPathCapacity, path.c_str());
    struct Case {
        int answer;
        bool registered;
    } cases[] = {{IDCANCEL, false}, {IDYES, true}};
    LONG_PTR closes = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        BoxAnswerer answerer({c.answer});
        RunMenuCommand(window_, IDM_ASSOCIATE_INI);
        EXPECT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(CloseRequests(), ++closes);
        EXPECT_EQ(KeyExists(L".vlnd_cmd"), c.registered);
    }
}

// A PWord.exe beside the program that is no program: the start fails and is reported.
TEST_F(MenuCommands, PocketWordThatCannotStartIsReported) {
    wcscpy_s(ConfigPath, ConfigPathCapacity, dir_.file(L"velandrimour.ini").c_str());
    std::wstring pocketWord = ModuleDirectory() + L"\\PWord.exe";
    ASSERT_FALSE(FileExists(pocketWord));
    ASSERT_TRUE(WriteBytes(pocketWord, "no program"));
    EXPECT_TRUE(RaisesReport([&] { RunMenuCommand(window_, IDM_EDIT_INI); }, L"Executions error",
                             L"Не удается запустить Pocket Word для редактирования файла velandrimour.ini.", false));
    DeleteFileW(pocketWord.c_str());
    EXPECT_EQ(CloseRequests(), 0);
}

TEST_F(MenuCommands, OtherIdentifiersDoNothing) {
    BoxAnswerer answerer({});
    for (UINT command : std::vector<UINT>{IDM_MENUBAR_BUTTON, IDM_EXIT, 40002, 40007, 40008, 40011, 9000})
        EXPECT_FALSE(RunMenuCommand(window_, command)) << command;
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_EQ(CloseRequests(), 0);
}

}  // namespace
