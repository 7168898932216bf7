// The desktop's stand-ins for the device's screen and for starting programs by image name.
#include "window_fixture.h"

TEST(DeviceScreen, ADefaultTopLevelWindowGetsTheDeviceScreenAndTheMenuBarStepKeepsIt) {
    HWND window = CreateWindowExW(0, L"STATIC", L"device", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    RECT client, frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right, 240);
    EXPECT_EQ(client.bottom, 320 - 26);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 26);
    // The start-up's step: the right coordinate as width, the bottom one less 26 as height.
    MoveWindow(window, frame.left, frame.top, frame.right, frame.bottom - 26, FALSE);
    RECT moved;
    GetWindowRect(window, &moved);
    EXPECT_TRUE(EqualRect(&moved, &frame));
    DestroyWindow(window);
}

TEST(DeviceScreen, OtherWindowsPassThrough) {
    HWND top = CreateWindowExW(0, L"STATIC", L"placed", WS_VISIBLE, 50, 60, 300, 200, nullptr, nullptr, nullptr,
                               nullptr);
    RECT frame;
    GetWindowRect(top, &frame);
    EXPECT_EQ(frame.left, 50);
    EXPECT_EQ(frame.top, 60);
    EXPECT_EQ(frame.right - frame.left, 300);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 3, 4, 70, 80, top, nullptr, nullptr,
                                 nullptr);
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, top, (POINT *)&place, 2);
    EXPECT_EQ(place.left, 3);
    EXPECT_EQ(place.top, 4);
    EXPECT_EQ(place.right - place.left, 70);
    EXPECT_EQ(place.bottom - place.top, 80);
    DestroyWindow(top);
}

namespace {

// Starts an image name as the launcher does and gives the exit status, or -1 when not started.
int StartAndWait(const wchar_t *image, const wchar_t *parameters, std::wstring *path = nullptr) {
    std::wstring line = parameters;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(image, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &started))
        return -1;
    if (path) {
        WCHAR full[MAX_PATH];
        DWORD size = MAX_PATH;
        QueryFullProcessImageNameW(started.hProcess, 0, full, &size);
        *path = full;
        TerminateProcess(started.hProcess, 0);
    }
    WaitForSingleObject(started.hProcess, 10000);
    DWORD status = 0;
    GetExitCodeProcess(started.hProcess, &status);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return (int)status;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t &c : text) c = towlower(c);
    return text;
}

}  // namespace

TEST(DeviceProcess, StartsByImageNameWithTheParametersAsCommandLine) {
    WCHAR system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    struct Case {
        std::wstring image;
        const wchar_t *parameters;
        int status;
    } cases[] = {
        {L"cmd", L"/c exit 3", 3},
        {L"CMD.EXE", L"/c exit 4", 4},
        {cmd, L"/c exit 5", 5},
        {cmd.substr(0, cmd.size() - 4), L"/c exit 6", 6},
        {L"", L"/c exit 7", -1},
        {L"no-such-program-here", L"", -1},
        {std::wstring(system) + L"\\no-such-program.exe", L"", -1},
        {std::wstring(system), L"", -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.image.size() << '"');
        EXPECT_EQ(StartAndWait(c.image.c_str(), c.parameters), c.status);
    }
}

TEST(DeviceProcess, PocketWordFallsToTheSystemsNotepad) {
    std::wstring path;
    ASSERT_NE(StartAndWait(L"PWord", L"C:\\velandrimour.ini", &path), -1);
    EXPECT_EQ(Lower(path.substr(path.find_last_of(L'\\') + 1)), L"notepad.exe");
}

TEST(DeviceShell, ActivationRecordsWhetherTheWindowIsActive) {
    const struct {
        WPARAM wParam;
        UINT active;
    } cases[] = {{WA_ACTIVE, 1}, {WA_CLICKACTIVE, 1}, {WA_INACTIVE, 0}, {MAKEWPARAM(WA_INACTIVE, TRUE), 0}};
    for (const auto &c : cases) {
        SHACTIVATEINFO info = {};
        info.fActive = !c.active;
        SHHandleWMActivate(nullptr, c.wParam, 0, &info, 0);
        EXPECT_EQ(info.fActive, c.active) << c.wParam;
    }
}

TEST(DeviceStart, TheCommandLineIsWhatFollowsTheNameAndOneBlank) {
    struct Case {
        const wchar_t *process, *program;
    } cases[] = {
        {L"\"C:\\a b\\v.exe\" C:\\d\\a.txt", L"C:\\d\\a.txt"}, {L"\"C:\\v.exe\"  C:\\a.txt", L" C:\\a.txt"},
        {L"\"C:\\v.exe\" \tC:\\a.txt", L"\tC:\\a.txt"},        {L"\"C:\\v.exe\"\tC:\\a.txt", L"\tC:\\a.txt"},
        {L"C:\\v.exe    ", L"   "},                            {L"C:\\v.exe\t x", L"\t x"},
        {L"C:\\\"a b\"\\v.exe \"x y\"", L"\"x y\""},            {L"\"C:\\v.exe\"x", L""},
        {L"\"C:\\a b\\v.exe", L""},                             {L"C:\\v.exe", L""},
        {L"", L""},
    };
    for (const Case &c : cases) {
        std::wstring line = c.process;
        EXPECT_EQ(std::wstring(DeviceCommandLine(&line[0])), c.program) << "from " << testing::PrintToString(line);
    }
}
