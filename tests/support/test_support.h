// Helpers shared by the test binaries: reports, message boxes, scratch folders and files.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "check/reported.h"


// Runs the code and returns the report it raised, if any.
std::optional<Reported> ReportOf(const std::function<void()> &code);

// Passes when the code raises exactly this report.
::testing::AssertionResult RaisesReport(const std::function<void()> &code, const std::wstring &caption,
                                        const std::wstring &text, bool configError);

// Passes when the code returns without raising a report.
::testing::AssertionResult RaisesNoReport(const std::function<void()> &code);

// One message box (or any dialog) seen by a BoxAnswerer.
struct SeenBox {
    std::wstring caption;
    std::wstring text;              // the box's message text (static control 0xFFFF)
    std::vector<int> buttons;       // IDOK, IDCANCEL, IDYES, IDNO ... present in the box
    HWND owner;
};

// Answers the message boxes this thread shows, in order, by pressing the given buttons,
// and records what each showed. A box beyond the list of answers is closed with IDCANCEL
// and recorded too, so that a test never hangs on an unexpected box.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::vector<int> answers);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer &) = delete;
    BoxAnswerer &operator=(const BoxAnswerer &) = delete;

    const std::vector<SeenBox> &boxes() const { return seen_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND box);

    HHOOK hook_;
    std::vector<int> answers_;
    std::vector<SeenBox> seen_;
    std::vector<HWND> handled_;
    BoxAnswerer *previous_;
};

// Reads a window's text whole.
std::wstring WindowText(HWND window);

// A fresh folder under the temporary directory, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    const std::wstring &path() const { return path_; }
    std::wstring file(const std::wstring &name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Writes bytes to a file, replacing it; returns false on failure.
bool WriteBytes(const std::wstring &path, const std::string &bytes);
// The whole file, or nullopt when it cannot be read.
std::optional<std::string> ReadBytes(const std::wstring &path);
bool FileExists(const std::wstring &path);

// Text in code page 1251, as a user's editor on the device writes it.
std::string ToCp1251(const std::wstring &text);
std::string ToUtf8(const std::wstring &text);
std::wstring FromUtf8(const std::string &text);

// The directory of the running test binary.
std::wstring ModuleDirectory();
