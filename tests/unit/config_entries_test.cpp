// The entry lines of the selected section, parsed into the entry table.
#include "config_fixture.h"

namespace {

const std::wstring InSection = L"В файле velandrimour.ini, в разделе для расширения \"";
const std::wstring NoSemicolon = L"\" содержиться строка без ';'.";
const std::wstring NoSecondField = L"\" содержиться строка без второго параметра.";
const std::wstring NoSecondSemicolon = L"\" содержиться строка без второго ';'.";
const std::wstring NoEntries = L"\" нет записей.";

struct Entry {
    std::wstring title, command, parameters;
    bool operator==(const Entry &other) const {
        return title == other.title && command == other.command && parameters == other.parameters;
    }
};

void PrintTo(const Entry &entry, std::ostream *out) {
    *out << "{\"" << Visible(entry.title) << "\", \"" << Visible(entry.command) << "\", \""
         << Visible(entry.parameters) << "\"}";
}

// The slots in use; checks that they form a prefix of the table.
std::vector<Entry> SlotsInUse() {
    std::vector<Entry> entries;
    int slot = 0;
    for (; slot < EntrySlots && EntryTable[slot].Title[0]; slot++)
        entries.push_back({EntryTable[slot].Title, EntryTable[slot].Command, EntryTable[slot].Parameters});
    for (; slot < EntrySlots; slot++) EXPECT_EQ(EntryTable[slot].Title[0], L'\0') << "slot " << slot;
    return entries;
}

struct LineCase {
    const char *name;
    std::wstring line;
    std::wstring argument;
    Entry entry;
};

struct FaultCase {
    const char *name;
    std::wstring line;
    std::wstring argument;
    std::wstring caption;
    std::wstring text;
    bool configError;
};

}  // namespace

class ConfigEntriesTest : public ConfigFileTest {
protected:
    // A file whose one section, matching any argument, holds these lines.
    void Section(const std::wstring &argument, const std::wstring &lines) {
        UseArgument(argument);
        WriteText(std::wstring(argument.empty() ? L"[]" : L"[*]") + L"\r\n" + lines);
    }
};

TEST_F(ConfigEntriesTest, OneLine) {
    const std::wstring path = L"\\My Documents\\a.txt";
    const std::wstring title40(40, L'Щ');
    const LineCase cases[] = {
        {"three fields", L"Блокнот;notepad;%1", path, {L"Блокнот", L"notepad", path}},
        {"spaces before each ';' kept", L"Pocket Word  ;  pword  ;  -open %1  ", path,
         {L"Pocket Word  ", L"pword  ", L"-open " + path}},
        {"spaces inside kept", L"A b;c d;e  f", path, {L"A b", L"c d", L"e  f"}},
        {"tabs are characters", L"A\t;\tc\t;\tp\t", path, {L"A\t", L"\tc\t", L"\tp\t"}},
        {"empty command", L"Menu;;x", path, {L"Menu", L"", L"x"}},
        {"empty command after spaces", L"Menu;   ;  x", path, {L"Menu", L"", L"x"}},
        {"empty command and parameters", L"T;;", path, {L"T", L"", L""}},
        {"empty parameters", L"T;cmd;", path, {L"T", L"cmd", L""}},
        {"parameters of spaces", L"T;cmd;    ", path, {L"T", L"cmd", L""}},
        {"further ';' in the parameters", L"T;cmd;a;b;;c", path, {L"T", L"cmd", L"a;b;;c"}},
        {"one-character title", L"T;c;p", path, {L"T", L"c", L"p"}},
        {"title of 40", title40 + L";c;p", path, {title40, L"c", L"p"}},
        {"every %1 replaced", L"T;c;%1 %1%1", L"\\a.b", {L"T", L"c", L"\\a.b \\a.b\\a.b"}},
        {"%%1", L"T;c;%%1", L"\\a.b", {L"T", L"c", L"%\\a.b"}},
        {"% before another character", L"T;c;%2 %a %%", L"\\a.b", {L"T", L"c", L"%2 %a %%"}},
        {"% at the end", L"T;c;100%", L"\\a.b", {L"T", L"c", L"100%"}},
        {"%1 in title and command left alone", L"%1;%1;x", L"\\a.b", {L"%1", L"%1", L"x"}},
        {"without argument %1 disappears", L"T;c;-f %1", L"", {L"T", L"c", L"-f"}},
        {"without argument only spaces remain", L"T;c;  %1  %1 ", L"", {L"T", L"c", L""}},
        {"argument's trailing spaces trimmed", L"T;c;%1", L"\\a.txt   ", {L"T", L"c", L"\\a.txt"}},
        {"argument's inner spaces kept", L"T;c;\"%1\" ", L"\\My Docs\\a b.txt", {L"T", L"c", L"\"\\My Docs\\a b.txt\""}},
        {"Cyrillic", L"Читалка;\\Program Files\\Читалка\\reader;%1", L"\\Книги\\роман.fb2",
         {L"Читалка", L"\\Program Files\\Читалка\\reader", L"\\Книги\\роман.fb2"}},
    };
    for (const LineCase &c : cases) {
        SCOPED_TRACE(c.name);
        Section(c.argument, c.line + L"\r\n");
        ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
        EXPECT_EQ(SlotsInUse(), std::vector<Entry>{c.entry});
    }
}

TEST_F(ConfigEntriesTest, ParametersLimit) {
    // "T;c;" and the rest of a line of 510 leaves 506 for parameters in the file itself.
    const std::wstring argument = L"\\" + std::wstring(250, L'd') + L".txt";  // 255 characters
    const std::wstring fromFile(506, L'p');
    const struct Case {
        const char *name;
        std::wstring parameters;
        std::wstring argument;
        bool refused;
    } cases[] = {
        {"506 from the file", fromFile, L"", false},
        {"two substitutions, 510", L"%1%1", argument, false},
        {"510 after substitution", L"%1" + std::wstring(255, L'x'), argument, false},
        {"511 after substitution", L"%1" + std::wstring(256, L'x'), argument, true},
        {"511 reached by a character", L"%1%1x", argument, true},
        {"third substitution", L"%1%1%1", argument, true},
        {"argument of 511", L"%1", L"\\" + std::wstring(506, L'f') + L".txt", true},
        {"argument of 510", L"%1", L"\\" + std::wstring(505, L'f') + L".txt", false},
        {"spaces past 510, trimmed only afterwards", L"%1%1 ", argument, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Section(c.argument, L"T;c;" + c.parameters + L"\r\n");
        if (c.refused) {
            EXPECT_TRUE(RaisesReport([] { LoadEntries(); }, L"Paramline", L"Слишком длинная строка параметров.", false));
        } else {
            ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
            std::wstring expected = c.parameters;
            for (size_t at; (at = expected.find(L"%1")) != std::wstring::npos;) expected.replace(at, 2, c.argument);
            EXPECT_EQ(std::wstring(EntryTable[0].Parameters), expected);
            EXPECT_LE(expected.size(), 510u);
        }
    }
}

TEST_F(ConfigEntriesTest, FaultyLine) {
    const std::wstring path = L"\\a.txt";
    const std::wstring key = L"[txt]";
    const FaultCase cases[] = {
        {"no ';'", L"Блокнот", path, L"Text error", InSection + key + NoSemicolon, true},
        {"no ';', 40 characters", std::wstring(40, L't'), path, L"Text error", InSection + key + NoSemicolon, true},
        {"no ';', 41 characters", std::wstring(41, L't'), path, L"Button title", L"Слишком длинная надпись на кнопке.", true},
        {"title of 41", std::wstring(41, L't') + L";c;p", path, L"Button title", L"Слишком длинная надпись на кнопке.", true},
        {"title of 40 and two spaces", std::wstring(40, L't') + L"  ;c;p", path, L"Button title",
         L"Слишком длинная надпись на кнопке.", true},
        {"nothing after the first ';'", L"T;", path, L"Text error", InSection + key + NoSecondField, true},
        {"spaces after the first ';'", L"T;    ", path, L"Text error", InSection + key + NoSecondField, true},
        {"no second ';'", L"T;notepad", path, L"Text error", InSection + key + NoSecondSemicolon, true},
        {"no second ';', spaces", L"T; notepad  ", path, L"Text error", InSection + key + NoSecondSemicolon, true},
        {"one-character command, no ';'", L"T;c", path, L"Text error", InSection + key + NoSecondSemicolon, true},
        {"key as built", L"T", L"\\A.TXT", L"Text error", InSection + key + NoSemicolon, true},
    };
    for (const FaultCase &c : cases) {
        SCOPED_TRACE(c.name);
        UseArgument(c.argument);
        SectionKey[0] = L'\0';
        WriteText(L"[txt]\r\n" + c.line + L"\r\n");
        EXPECT_TRUE(RaisesReport([] { LoadEntries(); }, c.caption, c.text, c.configError));
    }
}

TEST_F(ConfigEntriesTest, SectionWithoutEntries) {
    const struct Case {
        const char *name;
        std::wstring file;
        std::wstring argument;
        std::wstring submenu;
        std::wstring key;
    } cases[] = {
        {"header at the end", L"[txt]", L"\\a.txt", L"", L"[txt]"},
        {"header, comments, end", L"[txt]\r\n; nothing\r\n   \r\n", L"\\a.txt", L"", L"[txt]"},
        {"next header follows", L"[txt]\r\n[doc]\r\nD;d;d", L"\\a.txt", L"", L"[txt]"},
        {"submenu header follows", L"[txt]\r\n{sub}\r\nS;s;s", L"\\a.txt", L"", L"[txt]"},
        {"quick launch", L"[]\r\n[*]\r\nA;a;a", L"", L"", L"[]"},
        {"submenu", L"{sub}\r\n", L"\\a.txt", L"{sub}", L"{sub}"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        UseArgument(c.argument);
        UseSubmenuKey(c.submenu);
        WriteText(c.file);
        EXPECT_TRUE(RaisesReport([] { LoadEntries(); }, L"Button title error", InSection + c.key + NoEntries, true));
    }
}

TEST_F(ConfigEntriesTest, SixSlotsAtMost) {
    const std::wstring seven = L"1;a;\r\n2;b;\r\n3;c;\r\n4;d;\r\n5;e;\r\n6;f;\r\n";
    const struct Case {
        const char *name;
        std::wstring after;
    } cases[] = {
        {"seventh entry", L"7;g;h\r\n"},
        {"seventh without ';'", L"faulty\r\n"},
        {"seventh too long for a line", std::wstring(600, L'x') + L"\r\n"},
        {"seventh title too long", std::wstring(50, L'x') + L";c;p\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Section(L"\\a.txt", seven + c.after);
        ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
        std::vector<Entry> entries = SlotsInUse();
        ASSERT_EQ(entries.size(), 6u);
        EXPECT_EQ(entries[0], (Entry{L"1", L"a", L""}));
        EXPECT_EQ(entries[5], (Entry{L"6", L"f", L""}));
    }
}

TEST_F(ConfigEntriesTest, SectionEndsAtTheNextHeader) {
    UseArgument(L"\\a.txt");
    WriteText(L"A;before;\r\n[txt]\r\n; comment\r\n  T1 ; one ; %1\r\n\r\nT2;two;\r\n{sub}\r\nS;s;s\r\n");
    ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
    EXPECT_EQ(SlotsInUse(), (std::vector<Entry>{{L"T1 ", L"one ", L"\\a.txt"}, {L"T2", L"two", L""}}));
    EXPECT_STREQ(SectionKey, L"[txt]");
}

TEST_F(ConfigEntriesTest, SubmenuReplacesTheTable) {
    UseArgument(L"\\a.txt");
    WriteText(
        L"[txt]\r\nA;a;1\r\nB;b;2\r\nC;c;3\r\nD;menu;игры\r\n"
        L"{игры}\r\nСапёр;winemine;%1\r\nДальше;MENU;ещё\r\n"
        L"{ещё}\r\nE;e;\r\n");
    ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
    ASSERT_EQ(SlotsInUse().size(), 4u);

    UseSubmenuKey(L"{игры}");
    ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
    EXPECT_EQ(SlotsInUse(), (std::vector<Entry>{{L"Сапёр", L"winemine", L"\\a.txt"}, {L"Дальше", L"MENU", L"ещё"}}));
    EXPECT_STREQ(SectionKey, L"{игры}");

    UseSubmenuKey(L"{ещё}");
    ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
    EXPECT_EQ(SlotsInUse(), (std::vector<Entry>{{L"E", L"e", L""}}));
}

TEST_F(ConfigEntriesTest, NoQuickLaunchSectionLeavesTheTableEmpty) {
    UseArgument(L"\\a.txt");
    WriteText(L"[txt]\r\nA;a;\r\nB;b;\r\n[*]\r\nC;c;\r\n");
    LoadEntries();
    ASSERT_EQ(SlotsInUse().size(), 2u);
    UseArgument(L"");
    SectionKey[0] = L'\0';
    ASSERT_TRUE(RaisesNoReport([] { LoadEntries(); }));
    EXPECT_TRUE(SlotsInUse().empty());
    EXPECT_STREQ(SectionKey, L"[]");
}

TEST_F(ConfigEntriesTest, ErrorsOfTheOtherStepsComeThrough) {
    UseArgument(L"\\readme");
    WriteText(L"[*]\r\nA;a;\r\n");
    EXPECT_TRUE(RaisesReport([] { LoadEntries(); }, L"Extention error",
                             L"Параметр программы: \\readme не содержит точки, а значит и расширения.", false));
    UseArgument(L"\\a.txt");
    SectionKey[0] = L'\0';
    WriteText(L"[doc]\r\nA;a;\r\n");
    EXPECT_TRUE(RaisesReport([] { LoadEntries(); }, L"Extention error",
                             L"В файле velandrimour.ini нет раздела для расширения \"[txt],\" а так же раздела для [*].",
                             true));
    WriteText(L"[txt]\r\n" + std::wstring(511, L'a'));
    EXPECT_TRUE(RaisesReport([] { LoadEntries(); }, L"INI-file", L"Слишком длинная строка в ИНИ-файле", true));
}
