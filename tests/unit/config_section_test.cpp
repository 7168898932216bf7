// The section key from the command line, and the header that matches it.
#include "config_fixture.h"

namespace {

const std::wstring NoDot = L" не содержит точки, а значит и расширения.";
const std::wstring NoSectionBefore = L"В файле velandrimour.ini нет раздела для расширения \"";
const std::wstring NoSectionAfter = L",\" а так же раздела для [*].";

::testing::AssertionResult KeyIs(const std::wstring &expected) {
    if (expected == SectionKey) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "SectionKey is \"" << Visible(SectionKey) << "\", wanted \""
                                         << Visible(expected) << "\"";
}

}  // namespace

TEST(ConfigSectionKey, FromTheArgument) {
    const std::wstring ext40(40, L'e');
    struct Case {
        std::wstring argument;
        std::wstring key;
    } cases[] = {
        {L"\\My Documents\\a.txt", L"[txt]"},
        {L"\\My Documents\\A.TXT", L"[txt]"},
        {L"\\a.TxT", L"[txt]"},
        {L"\\Мои документы\\письмо.ДОК", L"[док]"},
        {L"\\a.ЁЖ", L"[ёж]"},
        {L"\\archive.tar.gz", L"[gz]"},
        {L"\\a. Txt ", L"[ txt ]"},
        {L"\"\\My Documents\\a.txt\"", L"[txt\"]"},
        {L"\\folder.d\\file", L"[d\\file]"},
        {L"", L"[]"},
        {L"\\a.", L"[]"},
        {L".", L"[]"},
        {L"\\a." + ext40, L"[" + ext40 + L"]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(Visible(c.argument));
        SectionKey[0] = L'\0';
        UseArgument(c.argument);
        ASSERT_TRUE(RaisesNoReport([] { BuildSectionKey(); }));
        EXPECT_TRUE(KeyIs(c.key));
    }
}

TEST(ConfigSectionKey, Refused) {
    struct Case {
        std::wstring argument;
        std::wstring caption;
        std::wstring text;
    } cases[] = {
        {L"\\My Documents\\readme", L"Extention error", L"Параметр программы: \\My Documents\\readme" + NoDot},
        {L"x", L"Extention error", L"Параметр программы: x" + NoDot},
        {L"\\a." + std::wstring(41, L'e'), L"Extention", L"Слишком длинное расширение."},
        {L"\\a." + std::wstring(300, L'e'), L"Extention", L"Слишком длинное расширение."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(Visible(c.argument));
        SectionKey[0] = L'\0';
        UseArgument(c.argument);
        EXPECT_TRUE(RaisesReport([] { BuildSectionKey(); }, c.caption, c.text, false));
    }
}

TEST(ConfigSectionKey, SubmenuKeyIsKept) {
    for (const wchar_t *argument : {L"", L"\\a.txt", L"readme"}) {
        SCOPED_TRACE(Visible(argument));
        UseSubmenuKey(L"{Игры}");
        UseArgument(argument);
        ASSERT_TRUE(RaisesNoReport([] { BuildSectionKey(); }));
        EXPECT_TRUE(KeyIs(L"{Игры}"));
    }
}

TEST(ConfigSectionKey, ArgumentIsNotChanged) {
    UseArgument(L"\\Docs\\A.TXT");
    SectionKey[0] = L'\0';
    BuildSectionKey();
    EXPECT_STREQ(FileArgument, L"\\Docs\\A.TXT");
}

namespace {

// A file and a key; each section's first line names it, so the match shows in the next line.
struct SectionCase {
    const char *name;
    std::wstring file;
    std::wstring argument;    // used when submenu is empty
    std::wstring submenu;     // a submenu key written beforehand
    std::wstring firstLine;   // of the matched section; empty when none matches
};

}  // namespace

class ConfigSectionTest : public ConfigFileTest {
protected:
    void Select(const SectionCase &c) {
        WriteText(c.file);
        SectionKey[0] = L'\0';
        if (!c.submenu.empty()) UseSubmenuKey(c.submenu);
        UseArgument(c.argument);
        BuildSectionKey();
        LoadConfigFile();
    }
};

TEST_F(ConfigSectionTest, FirstMatchingHeaderWins) {
    const SectionCase cases[] = {
        {"capitals in the header", L"[TXT]\r\ntxt", L"\\a.txt", L"", L"txt"},
        {"capitals in the argument", L"[txt]\r\ntxt", L"\\A.Txt", L"", L"txt"},
        {"Cyrillic folded alike", L"[ДОК]\r\nдок", L"\\письмо.Док", L"", L"док"},
        {"several in one header", L"[htm] [html] [txt]\r\nweb", L"\\a.html", L"", L"web"},
        {"last of several", L"[htm] [html] [txt]\r\nweb", L"\\a.txt", L"", L"web"},
        {"text after the bracket", L"[txt]   Текстовые файлы\r\ntxt", L"\\a.txt", L"", L"txt"},
        {"header after spaces", L"    [txt]\r\ntxt", L"\\a.txt", L"", L"txt"},
        {"only a part of a longer name", L"[texts]\r\nno\r\n[*]\r\nany", L"\\a.txt", L"", L"any"},
        {"longer name in the key", L"[tx]\r\nno\r\n[*]\r\nany", L"\\a.txt", L"", L"any"},
        {"tab before the bracket is no header", L"\t[txt]\r\nno\r\n[*]\r\nany", L"\\a.txt", L"", L"any"},
        {"lines before the first header", L"x;y;z\r\n[txt]\r\ntxt", L"\\a.txt", L"", L"txt"},
        {"other sections passed over", L"[doc]\r\ndoc\r\n{txt}\r\nsub\r\n[txt]\r\ntxt", L"\\a.txt", L"", L"txt"},
        {"wildcard first takes the file", L"[*]\r\nany\r\n[txt]\r\ntxt", L"\\a.txt", L"", L"any"},
        {"wildcard last is the fallback", L"[txt]\r\ntxt\r\n[*]\r\nany", L"\\a.doc", L"", L"any"},
        {"wildcard anywhere in the line", L"[doc] [*]\r\nany", L"\\a.txt", L"", L"any"},
        {"wildcard for a directory's dot", L"[txt]\r\ntxt\r\n[*]\r\nany", L"\\dir.txt\\file", L"", L"any"},
        {"no argument", L"[*]\r\nany\r\n[]\r\nquick", L"", L"", L"quick"},
        {"trailing dot is no argument", L"[*]\r\nany\r\n[]\r\nquick", L"\\a.", L"", L"quick"},
        {"submenu", L"[txt]\r\ntxt\r\n{игры}\r\ngames\r\n[*]\r\nany", L"\\a.txt", L"{игры}", L"games"},
        {"submenu header in capitals", L"{ИГРЫ}\r\ngames", L"", L"{игры}", L"games"},
        {"submenu after its wildcard", L"[*]\r\nany\r\n{игры}\r\ngames", L"\\a.txt", L"{игры}", L"any"},
        {"submenu key in capitals", L"{Игры}\r\ngames\r\n[*]\r\nany", L"", L"{Игры}", L"any"},
        {"header ends the file", L"[txt]", L"\\a.txt", L"", L""},
    };
    for (const SectionCase &c : cases) {
        SCOPED_TRACE(c.name);
        Select(c);
        BOOL found = FALSE;
        ASSERT_TRUE(RaisesNoReport([&] { found = FindSection(); }));
        ASSERT_TRUE(found);
        if (c.firstLine.empty()) {
            EXPECT_FALSE(ReadLine());
        } else {
            ASSERT_TRUE(ReadLine());
            EXPECT_EQ(std::wstring(LineBuffer), c.firstLine);
        }
    }
}

TEST_F(ConfigSectionTest, NoQuickLaunchSectionIsNoError) {
    const SectionCase cases[] = {
        {"wildcard never matches it", L"[*]\r\nany", L"", L"", L""},
        {"file without headers", L"a;b;c", L"", L"", L""},
        {"empty file", L"", L"", L"", L""},
        {"trailing dot", L"[txt]\r\ntxt\r\n[*]\r\nany", L"\\a.", L"", L""},
    };
    for (const SectionCase &c : cases) {
        SCOPED_TRACE(c.name);
        Select(c);
        BOOL found = TRUE;
        ASSERT_TRUE(RaisesNoReport([&] { found = FindSection(); }));
        EXPECT_FALSE(found);
    }
}

TEST_F(ConfigSectionTest, MissingSectionIsReported) {
    const SectionCase cases[] = {
        {"extension", L"[doc]\r\ndoc\r\n[]\r\nquick", L"\\a.TXT", L"", L"[txt]"},
        {"no headers at all", L"a;b;c", L"\\a.txt", L"", L"[txt]"},
        {"empty file", L"", L"\\a.txt", L"", L"[txt]"},
        {"submenu", L"[txt]\r\ntxt\r\n{игры}\r\ngames", L"\\a.txt", L"{музыка}", L"{музыка}"},
        {"submenu key in capitals", L"{Игры}\r\ngames", L"", L"{Игры}", L"{Игры}"},
        {"directory's dot", L"[txt]\r\ntxt", L"\\dir.txt\\file", L"", L"[txt\\file]"},
    };
    for (const SectionCase &c : cases) {
        SCOPED_TRACE(c.name);
        Select(c);
        // firstLine holds the key the report names.
        EXPECT_TRUE(RaisesReport([] { FindSection(); }, L"Extention error", NoSectionBefore + c.firstLine + NoSectionAfter,
                                 true));
    }
}
