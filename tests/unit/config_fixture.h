// A configuration file of the test's own, in a scratch folder, and the reader's output.
#pragma once

#include "app/shell.h"
#include "base/text.h"
#include "support/test_support.h"

#include <string>
#include <vector>

class ConfigFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = scratch_.file(L"velandrimour.ini");
        ConfigPath[0] = L'\0';
        AppendText(ConfigPath, path_.c_str());
        SectionKey[0] = L'\0';
        FileArgument[0] = L'\0';
    }

    // Replaces the configuration file with these bytes.
    void Write(const std::string &bytes) { ASSERT_TRUE(WriteBytes(path_, bytes)); }
    // The same, from UTF-16 text in code page 1251.
    void WriteText(const std::wstring &text) { Write(ToCp1251(text)); }

    // Loads the file and reads every significant line; a report leaves the test.
    static std::vector<std::wstring> AllLines() {
        LoadConfigFile();
        std::vector<std::wstring> lines;
        while (ReadLine()) lines.push_back(LineBuffer);
        return lines;
    }

    const std::wstring &path() const { return path_; }

private:
    ScratchDir scratch_;
    std::wstring path_;
};

// The same, for tests that the code page 932 run repeats.
class ConfigCodePageTest : public ConfigFileTest {};

// Sets FileArgument as the start-up does.
inline void UseArgument(const std::wstring &argument) { SetFileArgument(argument.c_str()); }

// Sets SectionKey as the launcher window does for a submenu.
inline void UseSubmenuKey(const std::wstring &key) {
    SectionKey[0] = L'\0';
    AppendText(SectionKey, key.c_str());
}

// Shows control characters, so that a failed comparison is readable.
inline std::string Visible(const std::wstring &text) {
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\r') out += "\\r";
        else if (c == L'\n') out += "\\n";
        else if (c == L'\t') out += "\\t";
        else if (c < 0x80) out += (char)c;
        else {
            char code[12];
            snprintf(code, sizeof code, "\\u%04X", (unsigned)c);
            out += code;
        }
    }
    return out;
}
