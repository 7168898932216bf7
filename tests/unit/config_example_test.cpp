// The shipped velandrimour.ini: its form, and every section loading without an error.
#include "config_fixture.h"

#include <set>

namespace {

struct Header {
    std::wstring line;
    std::wstring firstTitle;  // of the section's first entry line
};

// The header lines of the file in order, read as the program reads them.
std::vector<Header> Headers() {
    std::vector<Header> headers;
    LoadConfigFile();
    while (ReadLine()) {
        if (LineBuffer[0] == L'[' || LineBuffer[0] == L'{') {
            headers.push_back({LineBuffer, L""});
        } else if (!headers.empty() && headers.back().firstTitle.empty()) {
            std::wstring line = LineBuffer;
            headers.back().firstTitle = line.substr(0, line.find(L';'));
        }
    }
    return headers;
}

// The names in brackets of an extension header: "[htm] [html]" gives htm and html.
std::vector<std::wstring> Extensions(const std::wstring &header) {
    std::vector<std::wstring> names;
    for (size_t open = header.find(L'['); open != std::wstring::npos; open = header.find(L'[', open + 1)) {
        size_t close = header.find(L']', open);
        if (close == std::wstring::npos) break;
        names.push_back(header.substr(open + 1, close - open - 1));
    }
    return names;
}

// What the buttons of the loaded sections name.
struct Seen {
    std::set<std::wstring> submenus;
    std::set<std::wstring> programs;
};

// Loads one section as the program does and checks that it is the expected one.
::testing::AssertionResult LoadsSection(const std::wstring &argument, const std::wstring &submenuKey,
                                        const Header &header, Seen &seen) {
    SectionKey[0] = L'\0';
    AppendText(SectionKey, submenuKey.c_str());
    SetFileArgument(argument.c_str());
    std::optional<Reported> report = ReportOf([] { LoadEntries(); });
    if (report)
        return ::testing::AssertionFailure() << "reported \"" << Visible(report->caption) << "\": " << Visible(report->text);
    if (EntryTable[0].Title != header.firstTitle)
        return ::testing::AssertionFailure() << "found the section starting \"" << Visible(EntryTable[0].Title)
                                             << "\", not that of " << Visible(header.line);
    for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++) {
        std::wstring command = EntryTable[slot].Command;
        if (command.find(L"menu") != std::wstring::npos || command.find(L"MENU") != std::wstring::npos)
            seen.submenus.insert(L"{" + std::wstring(EntryTable[slot].Parameters) + L"}");
        else if (command.empty())
            return ::testing::AssertionFailure() << "slot " << slot << " has no program";
        else
            seen.programs.insert(command);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

class ConfigExampleTest : public ::testing::Test {
protected:
    void SetUp() override {
        LocateConfigFile();
        std::optional<std::string> bytes = ReadBytes(ConfigPath);
        ASSERT_TRUE(bytes) << "the build copies velandrimour.ini beside the test binary";
        bytes_ = *bytes;
    }
    std::string bytes_;
};

TEST_F(ConfigExampleTest, WrittenAsOnTheDevice) {
    EXPECT_LT(bytes_.size(), 16384u);
    ASSERT_GE(bytes_.size(), 2u);
    EXPECT_EQ(bytes_.substr(bytes_.size() - 2), "\r\n");
    size_t loneCr = 0, loneLf = 0, zeros = 0;
    for (size_t at = 0; at < bytes_.size(); at++) {
        loneCr += bytes_[at] == '\r' && (at + 1 == bytes_.size() || bytes_[at + 1] != '\n');
        loneLf += bytes_[at] == '\n' && (at == 0 || bytes_[at - 1] != '\r');
        zeros += bytes_[at] == '\0';
    }
    EXPECT_EQ(loneCr, 0u);
    EXPECT_EQ(loneLf, 0u);
    EXPECT_EQ(zeros, 0u);
    // Code page 1251: Russian letters are single bytes 0xC0-0xFF (and ё, Ё), no UTF-8.
    EXPECT_EQ(bytes_.find("\xD0\xB0"), std::string::npos);
    EXPECT_EQ(bytes_.find("\xEF\xBB\xBF"), std::string::npos);
    EXPECT_NE(bytes_.find(ToCp1251(L"кнопк")), std::string::npos);
}

TEST_F(ConfigExampleTest, EverySectionLoads) {
    std::vector<Header> headers;
    ASSERT_TRUE(RaisesNoReport([&] { headers = Headers(); }));
    ASSERT_FALSE(headers.empty());
    EXPECT_EQ(headers.back().line, L"[*]") << "the wildcard section comes last";

    std::set<std::wstring> submenus;
    Seen seen;
    int quickLaunch = 0, severalExtensions = 0;
    for (const Header &header : headers) {
        SCOPED_TRACE(Visible(header.line));
        if (header.line == L"[*]") {
            EXPECT_TRUE(LoadsSection(L"\\My Documents\\file.unlisted", L"", header, seen));
        } else if (header.line == L"[]") {
            quickLaunch++;
            EXPECT_TRUE(LoadsSection(L"", L"", header, seen));
        } else if (header.line[0] == L'{') {
            std::wstring key = header.line.substr(0, header.line.find(L'}') + 1);
            std::wstring lower = key;
            CharLowerW(&lower[0]);
            EXPECT_EQ(key, lower) << "a submenu is found by its name in lower case";
            submenus.insert(key);
            EXPECT_TRUE(LoadsSection(L"\\My Documents\\a.txt", key, header, seen));
        } else {
            std::vector<std::wstring> extensions = Extensions(header.line);
            ASSERT_FALSE(extensions.empty());
            severalExtensions += extensions.size() > 1;
            for (const std::wstring &extension : extensions) {
                std::wstring upper = extension;
                CharUpperW(&upper[0]);
                EXPECT_TRUE(LoadsSection(L"\\My Documents\\file." + extension, L"", header, seen));
                EXPECT_TRUE(LoadsSection(L"\\Storage Card\\FILE." + upper, L"", header, seen));
            }
        }
    }
    EXPECT_EQ(quickLaunch, 1);
    EXPECT_GE(severalExtensions, 1);
    EXPECT_FALSE(submenus.empty());
    EXPECT_EQ(seen.submenus, submenus) << "every submenu is reached from a button, and every button's submenu exists";

    // The programs are at hand here too (Pocket Word stands in for itself on the desktop).
    for (const std::wstring &program : seen.programs) {
        if (program == L"PWord") continue;
        WCHAR found[MAX_PATH];
        EXPECT_NE(SearchPathW(nullptr, program.c_str(), L".exe", MAX_PATH, found, nullptr), 0u) << Visible(program);
    }
}
