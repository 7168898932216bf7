// A launcher window of the test's own, made from a configuration file in a scratch folder
// and the test binary's own resources, as the start-up makes it.
#pragma once

#include "app/shell.h"
#include "support/test_support.h"
#include "ui/dialogs.h"

#include <string>
#include <vector>

class LauncherWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring path = scratch_.file(L"velandrimour.ini");
        ASSERT_LT(path.size(), (size_t)ConfigPathCapacity);
        wcscpy(ConfigPath, path.c_str());
        SectionKey[0] = 0;
        FileArgument[0] = 0;
        AppInstance = GetModuleHandleW(nullptr);
        RegisterWindowClass(AppInstance, WindowClassName);
    }

    void TearDown() override {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
        QuitPosted();
    }

    // Writes the configuration file; "\n" becomes CR LF, the text goes into code page 1251.
    void WriteConfig(const std::wstring &text) {
        std::wstring lines;
        for (wchar_t c : text) lines += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
        ASSERT_TRUE(WriteBytes(ConfigPath, ToCp1251(lines)));
    }

    // Loads the entries for the argument and makes the window, as InitInstance does.
    void Open(const std::wstring &argument = L"") {
        SetFileArgument(argument.c_str());
        LoadEntries();
        window_ = CreateWindowExW(0, WindowClassName, WindowTitle, WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, AppInstance, nullptr);
        ASSERT_NE(window_, nullptr);
    }

    // A message handled the way the message loop would hand it to the window procedure.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return MainWindowProc(window_, message, wParam, lParam);
    }

    // True once a quit message has been posted; takes it and the code it carries.
    static bool QuitPosted(WPARAM *code = nullptr) {
        MSG message;
        if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
        if (code) *code = message.wParam;
        return true;
    }

    // The titles of the buttons the window shows, slot by slot.
    std::vector<std::wstring> ButtonTitles() const {
        std::vector<std::wstring> titles;
        for (HWND button : ButtonWindows)
            if (button) titles.push_back(WindowText(button));
        return titles;
    }

    HWND window_ = nullptr;

private:
    ScratchDir scratch_;
};

// A section: its header line followed by its entry lines.
inline std::wstring SectionOf(const std::wstring &header, const std::vector<std::wstring> &entries) {
    std::wstring text = header + L"\n";
    for (const std::wstring &entry : entries) text += entry + L"\n";
    return text;
}
