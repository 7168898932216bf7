// Drives the real launcher from the outside, as a user's shell and a user would: a copy in
// a scratch folder with a configuration file of the test's own, started with an exact
// command line, its windows and message boxes found and answered, its exit status read.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/test_support.h"

// One start that the recorder logged.
struct RecordedStart {
    std::wstring arguments;    // what its wWinMain received
    std::wstring commandLine;  // GetCommandLineW()
    std::wstring image;        // its own path
};

// The launcher copied into a fresh folder, beside its configuration file. The copy is taken
// from the build tree, two folders above the test binary (tests/e2e/ of the build), and the
// recorder from beside the test binary.
class LauncherInstall {
public:
    LauncherInstall();
    LauncherInstall(const LauncherInstall &) = delete;
    LauncherInstall &operator=(const LauncherInstall &) = delete;

    const std::wstring &exe() const { return exe_; }
    const std::wstring &dir() const { return scratch_.path(); }
    std::wstring file(const std::wstring &name) const { return scratch_.file(name); }
    std::wstring configPath() const { return file(L"velandrimour.ini"); }

    // The configuration file, "\n" written as CR LF, in code page 1251.
    void WriteConfig(const std::wstring &text) const;
    // Copies the tests' recorder into the folder (or a subfolder of it) under a name; returns its path.
    std::wstring AddRecorder(const std::wstring &name = L"recorder.exe", const std::wstring &subfolder = L"") const;
    // What the recorders in the folder (or the subfolder) logged so far.
    std::vector<RecordedStart> Recorded(const std::wstring &subfolder = L"") const;

private:
    ScratchDir scratch_;
    std::wstring exe_;
};

// One run of a program, started with exactly `"image" argument` (or `"image"` alone).
class LauncherProcess {
public:
    // Creation flags as CreateProcessW takes them: DETACHED_PROCESS starts it as Explorer does,
    // without a console or standard handles.
    LauncherProcess(const std::wstring &image, const std::optional<std::wstring> &argument, DWORD flags = 0);
    ~LauncherProcess();  // ends it if the test left it running
    LauncherProcess(const LauncherProcess &) = delete;
    LauncherProcess &operator=(const LauncherProcess &) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    // The exit status once it has ended within the time, else nullopt.
    std::optional<DWORD> WaitForExit(DWORD milliseconds = 5000) const;
    bool Running() const;
    // Its visible launcher window, once shown within the time.
    HWND WaitForWindow(DWORD milliseconds = 5000) const;
    // Its dialog box (message box) of class #32770, once shown within the time.
    HWND WaitForBox(DWORD milliseconds = 5000) const;
    // Its visible top-level windows of a class, in z order.
    std::vector<HWND> Windows(const wchar_t *className) const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Waits for the launcher to end, and passes when it ended with the status.
::testing::AssertionResult EndsWith(const LauncherProcess &launcher, DWORD status);

// Polls the condition, pumping this thread's messages, until it holds or the time is up.
bool WaitUntil(const std::function<bool()> &condition, DWORD milliseconds = 5000);

// A message box of another process: caption, text (static 0xFFFF) and buttons present.
SeenBox ReadBox(HWND box);
// Presses a button of a box: the box ends with that answer.
void AnswerBox(HWND box, int button);

// One entry button of the launcher window, as seen from outside.
struct SeenButton {
    HWND window;
    std::wstring text;
    int id;
    DWORD style;
    RECT place;  // in the launcher's client area
};
// The launcher window's own buttons (not the menu bar's), top to bottom.
std::vector<SeenButton> LauncherButtons(HWND launcher);
// The menu bar of the launcher window and its drop-down button.
HWND LauncherMenuBar(HWND launcher);
HWND MenuBarButton(HWND launcher);

// The top-level window that the single-instance protocol recognises.
HWND FindLauncherWindow();

// Passes when the box shows exactly this caption, text and buttons.
::testing::AssertionResult BoxShows(HWND box, const std::wstring &caption, const std::wstring &text,
                                    const std::vector<int> &buttons);

// Opens the menu bar's drop-down and picks an item by keys (Up from the bottom, Down from
// the top); passes when the drop-down opened.
::testing::AssertionResult PickFromMenuBar(const LauncherProcess &launcher, HWND window,
                                           const std::vector<WPARAM> &keys);
