// Each finding on its smallest file, at its line, and not on its nearest correct neighbour.
#include "check_support.h"

#include <set>

namespace {

// A correct frame around a body: a quick-launch section first, the wildcard last.
std::string Framed(const std::string &body) { return "[]\r\nQ;q;q\r\n" + body + "[*]\r\nW;w;%1\r\n"; }
std::string Section(const std::string &header, const std::string &lines) { return header + "\r\n" + lines; }
std::string Entries(int count) {
    std::string lines;
    for (int index = 0; index < count; index++) lines += "A;b;%1\r\n";
    return lines;
}
std::string Headers(size_t second) {
    return Section("[" + Repeat('e', 507) + "]", "A;b;%1\r\n") + Section("[" + Repeat('f', second) + "]", "A;b;%1\r\n");
}

struct FindingCase {
    std::string code;
    std::string bad;
    std::string where;  // line:column:severity
    std::string good;
};

const FindingCase FindingCases[] = {
    {"long-line", Framed("[a]\r\nA;b;" + Repeat('p', 507) + "\r\n"), "4:1:E", Framed("[a]\r\nA;b;" + Repeat('p', 506) + "\r\n")},
    {"long-line", Framed("[a]\r\nA;b;%1\r\n;" + Repeat('c', 510) + "\r\n"), "5:1:E", Framed("[a]\r\nA;b;%1\r\n;" + Repeat('c', 509) + "\r\n")},
    {"no-semicolon", Framed("[a]\r\nAbc\r\n"), "4:1:E", Framed("[a]\r\nA;b;%1\r\n")},
    {"long-title", Framed("[a]\r\n" + Repeat('t', 41) + ";c;%1\r\n"), "4:1:E", Framed("[a]\r\n" + Repeat('t', 40) + ";c;%1\r\n")},
    {"nothing-after-semicolon", Framed("[a]\r\nA;  \r\n"), "4:1:E", Framed("[a]\r\nA; ;%1\r\n")},
    {"no-second-semicolon", Framed("[a]\r\nA;b\r\n"), "4:1:E", Framed("[a]\r\nA;b;\r\n")},
    {"no-entries", Framed("[a]\r\n[b]\r\nA;b;%1\r\n"), "3:1:E", Framed("[a]\r\nA;b;%1\r\n[b]\r\nA;b;%1\r\n")},
    {"entry-never-read", Framed(Section("[a]", Entries(7))), "10:1:W", Framed(Section("[a]", Entries(6)))},
    {"long-submenu-name", Framed("[a]\r\nA;menu;" + Repeat('n', 41) + "\r\n"), "4:1:E", Framed("[a]\r\nA;menu;" + Repeat('n', 40) + "\r\n")},
    {"missing-submenu", "[]\r\nA;menu;x\r\n", "2:1:E", "[]\r\nA;menu;x\r\n{x}\r\nB;c;d\r\n"},
    {"long-parameters", Framed("[a]\r\nA;b;%1%1%1%1%1" + Repeat('x', 11) + "\r\n"), "4:1:E", Framed("[a]\r\nA;b;%1%1%1%1%1" + Repeat('x', 10) + "\r\n")},
    {"extensions-too-long", Framed(Headers(508)), "5:1:E", Framed(Headers(507))},
    {"header-never-matches", Framed("[a]\r\nA;b;%1\r\n[a]\r\nA;b;%1\r\n"), "5:1:W", Framed("[a]\r\nA;b;%1\r\n[b]\r\nA;b;%1\r\n")},
    {"header-never-matches", "[*]\r\nA;b;c\r\n{m}\r\nA;b;c\r\n[]\r\nA;b;c\r\n", "3:1:W", "{m}\r\nA;b;c\r\n[*]\r\nA;b;c\r\n[]\r\nA;b;c\r\n"},
    {"submenu-capital", Framed("[a]\r\nA;menu;Tools\r\n{tools}\r\nB;c;d\r\n"), "4:1:W", Framed("[a]\r\nA;menu;tools\r\n{tools}\r\nB;c;d\r\n")},
    {"menu-in-command", Framed("[a]\r\nA;\\menus\\x.exe;m\r\n{m}\r\nB;c;d\r\n"), "4:1:W", Framed("[a]\r\nA;menu;m\r\n{m}\r\nB;c;d\r\n")},
    {"long-extension", Framed("[" + Repeat('e', 41) + "]\r\nA;b;%1\r\n"), "3:1:E", Framed("[" + Repeat('e', 40) + "]\r\nA;b;%1\r\n")},
    {"extension-refused", Framed("[" + Repeat('e', 51) + "]\r\nA;b;%1\r\n"), "3:1:W", Framed("[" + Repeat('e', 50) + "]\r\nA;b;%1\r\n")},
    {"dotted-extension", Framed("[tar.gz]\r\nA;b;%1\r\n"), "3:1:W", Framed("[gz]\r\nA;b;%1\r\n")},
    {"no-quick-launch", "[*]\r\nA;b;c\r\n", "1:1:W", "[*]\r\nA;b;c\r\n[]\r\nA;b;c\r\n"},
    {"no-wildcard", "[]\r\nA;b;c\r\n", "1:1:W", Framed("")},
    {"text-before-header", "x\r\n" + Framed(""), "1:1:W", ";x\r\n" + Framed("")},
    {"leading-tab", Framed("[a]\r\n\tA;b;%1\r\n"), "4:1:W", Framed("[a]\r\n A;b;%1\r\n")},
    {"byte-order-mark", "\xEF\xBB\xBF" + Framed(""), "1:1:W", Framed("")},
    {"utf8", Framed("[a]\r\n\xD0\xAF;b;%1\r\n"), "4:1:W", Framed("[a]\r\n\xDF;b;%1\r\n")},
    {"lone-line-feed", Framed("[a]\r\nA;b;%1\nB;c;%1\r\n"), "4:7:W", Framed("[a]\r\nA;b;%1\r\nB;c;%1\r\n")},
    // A column of a UTF-8 file is a character, not a byte.
    {"lone-line-feed", Framed("[a]\r\nЖ;b;%1\nB;c;%1\r\n"), "4:7:W", Framed("[a]\r\nЖ;b;%1\r\nB;c;%1\r\n")},
    {"utf16", Utf16(FromUtf8(Framed("")), false), "1:1:W", Framed("")},
    {"utf16", Utf16(FromUtf8(Framed("")), true), "1:1:W", Framed("")},
    // Behind a UTF-16 mark the launcher still reads bytes: what it reports or notes stays, placed as an editor shows it.
    {"no-semicolon", "\xFF\xFE\r\n[]\r\nQ;q;q\r\n[*]\r\nAbc\r\n", "1:10:E", "\xFF\xFE\r\n[]\r\nQ;q;q\r\n[*]\r\nA;b;c\r\n"},
    {"no-file-argument", "\xFE\xFF\r\n[]\r\nQ;q;q\r\n[*]\r\nA;b;c\r\n", "1:10:N", "\xFE\xFF\r\n[]\r\nQ;q;q\r\n[*]\r\nA;b;%1\r\n"},
    {"lone-carriage-return", Framed("[a]\r\nA;b;%1\r;B;c;%1\r\n"), "5:1:W", Framed("[a]\r\nA;b;%1\r\n;B;c;%1\r\n")},
    {"zero-byte", Framed(Bytes("[a]\r\nA;b;%1\0B;c;%1\r\n")), "4:7:W", Framed("[a]\r\nA;b;%1\r\nB;c;%1\r\n")},
    {"zero-byte", Bytes("[]\r\nA;b;c\r\n\0[*]\r\nA;b;c\r\n"), "3:1:W", "[]\r\nA;b;c\r\n[*]\r\nA;b;c\r\n"},
    {"no-file-argument", Framed("[a]\r\nA;b;c\r\n"), "4:1:N", Framed("[a]\r\nA;b;%1\r\n")},
    // A key is looked for inside the lowered header line: "[txt]" reaches "[] {[txt]".
    {"long-submenu-name", "[] {[txt]\r\nSub;menu;x%1\r\n{x}\r\nX;rec;x\r\n", "2:1:E", "[] {[txt]\r\nSub;menu;x\r\n{x}\r\nX;rec;x\r\n"},
    {"no-quick-launch", "[*]\r\nA;b;c\r\n", "1:1:W", "[*]\r\nA;b;c\r\n{m[]}\r\nA;b;c\r\n"},
    {"header-never-matches", Framed("[a]\r\nA;b;%1\r\n[a] [a\r\nA;b;%1\r\n"), "5:1:W", Framed("[a]\r\nA;b;%1\r\n[[a]\r\nA;b;%1\r\n")},
    // A key the registration pass never offers still reaches its header: "[a]" inside "{m} [a]".
    {"no-semicolon", Framed("{m} [a]\r\nAbc\r\n"), "4:1:E", Framed("{m} [a]\r\nA;b;%1\r\n")},
    {"missing-section", "[]\r\nA;b;c\r\n[tar.gz]\r\nA;b;c\r\n", "3:1:E", "[]\r\nA;b;c\r\n[tar.gz]\r\nA;b;c\r\n[gz]\r\nA;b;c\r\n"},
    // Faults that no start reaches are warnings: a shadowed section, one no key can be, a
    // submenu no button opens, a line after the sixth entry of the last section read.
    {"no-semicolon", Framed("[a]\r\nA;b;%1\r\n[a]\r\nAbc\r\n"), "6:1:W", Framed("[a]\r\nA;b;%1\r\n[a]\r\nA;b;%1\r\n")},
    {"no-semicolon", Framed("[tar.gz]\r\nAbc\r\n"), "4:1:W", Framed("[tar.gz]\r\nA;b;%1\r\n")},
    {"no-entries", Framed("{m}\r\n"), "3:1:W", Framed("{m}\r\nA;b;c\r\n")},
    {"long-line", "[]\r\nQ;q;q\r\n[*]\r\n" + Entries(6) + Repeat('c', 511) + "\r\n", "10:1:W", "[]\r\nQ;q;q\r\n[*]\r\n" + Entries(6)},
};

std::vector<std::string> Places(const std::vector<check::Finding> &findings, const std::string &code) {
    std::vector<std::string> places = Where(findings, code);
    for (size_t index = 0, at = 0; at < findings.size(); at++)
        if (findings[at].code == code) places[index++] += ":" + std::string(1, "EWN"[(int)findings[at].severity]);
    return places;
}

}  // namespace

TEST_F(CheckTest, EachFindingOnItsSmallestFileAndNotOnItsNearestCorrectNeighbour) {
    const std::set<std::string> mended = {"utf8", "byte-order-mark", "utf16", "lone-line-feed", "lone-carriage-return"};
    for (const FindingCase &one : FindingCases) {
        SCOPED_TRACE(one.code + " at " + one.where);
        std::vector<check::Finding> findings = Findings(one.bad);
        EXPECT_EQ(Places(findings, one.code), std::vector<std::string>{one.where});
        EXPECT_EQ(Places(Findings(one.good), one.code), std::vector<std::string>{});
        for (const check::Finding &finding : findings) {
            if (finding.code != one.code) continue;
            EXPECT_EQ(finding.text.rfind(L" --fix") + 6 == finding.text.size(), mended.count(one.code) == 1);
        }
    }
}

// In UTF-16 the launcher reads no line the user wrote: one warning says why, and no other warning.
TEST_F(CheckTest, AUtf16FileGetsOneWarningThatNamesIt) {
    for (bool bigEndian : {false, true}) {
        std::vector<check::Finding> findings = Findings(Utf16(L"x\n[]\nA\tb\n", bigEndian));
        ASSERT_EQ(findings.size(), 1u);
        EXPECT_NE(findings[0].text.find(bigEndian ? L"UTF-16 BE" : L"UTF-16 LE"), std::wstring::npos);
    }
}

// At the limits: every path a section is reached with walked down its submenus, one count of a
// section's six, notes only on starts with a file, zero bytes a CR takes along.
TEST_F(CheckTest, FindingsHoldAtTheLimits) {
    auto paths = [](int count) {
        std::string line = "[a] [" + Repeat('l', 30) + "]\r\nS;menu;m\r\n{m}\r\nT;c;";
        while (count--) line += "%1";
        return Framed(line + "\r\n");
    };
    const std::string seventh = "[]\r\n" + Entries(2) + "T;c;" + Repeat('p', 507) + "\r\n" + Entries(3) + "Abc\r\n";
    const struct {
        std::string code, file;
        std::vector<std::string> places;
        unsigned pathLength = 100;
    } cases[] = {
        // A file of extension "a] [l…l", which the header holds too, has a path of 36 characters: 15 of
        // them overflow, 14 do not. A file of "a" has one of 20 and reaches the submenu first.
        {"long-parameters", paths(15), {"6:1:E"}, 20},
        {"long-parameters", paths(14), {}, 20},
        // The path in a submenu's name: only the longer path makes it too long.
        {"long-submenu-name", Framed("[a] [" + Repeat('l', 30) + "]\r\nS;menu;[a]\r\n[*] {[a]}\r\nS;menu;ssssssssss%1\r\n"), {"6:1:E"}, 9},
        // A too-long line fills one of the six: the seventh is never read, not faulty.
        {"no-semicolon", seventh, {}},
        {"entry-never-read", seventh, {"8:1:W"}},
        {"no-file-argument", "[]\r\nS;menu;m\r\n{m}\r\nA;b;c\r\n", {}},
        {"no-file-argument", "[txt]\r\nS;menu;m\r\n{m}\r\nA;b;c\r\n", {"4:1:N"}},
        // The key of a file of extension "txt[" holds "[]", but the file's path is passed all the same.
        {"no-file-argument", "[txt[]]\r\nA;b;c\r\n", {"2:1:N"}},
        {"zero-byte", Bytes("[]\r\nA;b;c\r\0[*]\r\nA;b;c\r\n"), {}},
        // Past a too-long line the registration pass goes on too: "tar.gz" finds no "[gz]".
        {"missing-section", "[]\r\nA;b;c\r\n" + Repeat('c', 511) + "\r\n[tar.gz]\r\nA;b;c\r\n", {"4:1:E"}},
    };
    for (const auto &one : cases) EXPECT_EQ(Places(Findings(one.file, one.pathLength), one.code), one.places) << one.file;
}

TEST_F(CheckTest, TheFileSizeLimitIsFoundAndTheRestStillChecked) {
    std::string fits = "[]\r\nAbc\r\n" + Repeat(' ', 16383 - 9);
    EXPECT_EQ(Where(Findings(fits), "file-too-large"), std::vector<std::string>{});
    std::vector<check::Finding> over = Findings(fits + " ");
    EXPECT_EQ(Where(over, "file-too-large"), std::vector<std::string>{"3:16375"});
    EXPECT_EQ(Where(over, "no-semicolon"), std::vector<std::string>{"2:1"});
    // The line the limit cuts is left unread, and said once; one that ends at the limit is read.
    for (size_t at : {16372, 16371}) {
        std::string head = "[]\r\nQ;q;q\r\n{tools}\r\nA;b;c\r\n[txt]\r\n";
        std::vector<check::Finding> cut = Findings(head + Repeat(' ', at - head.size() - 2) + "\r\nS;menu;tools\r\nS;menu;x\r\n");
        EXPECT_EQ(Where(cut, "cut-by-size-limit"), at == 16372 ? std::vector<std::string>{"7:1"} : std::vector<std::string>{});
        EXPECT_EQ(Where(cut, "missing-submenu"), std::vector<std::string>{}) << at;
    }
}

// Editors count CR LF, a lone CR and a lone LF as one line end each; a zero byte ends none.
TEST_F(CheckTest, LineNumbersAcrossEveryKindOfLineEnd) {
    const struct {
        std::string file;
        std::vector<std::string> places;
    } cases[] = {
        {"[*]\r\nA;b;c\r\n[]\r\n\r\n; c\r\n   Bad\r\n", {"6:4"}},
        {"[*]\r\nA;b;c\r\n[]\r\nA;b;c\rNBad\r\n", {"5:2"}},
        {"[*]\r\nA;b;c\r\n[]\r\nA;b;c\r\n  Bad\nline\r\nWorse\r\n", {"5:3", "7:1"}},
        {Bytes("[*]\r\nA;b;c\r\n[]\r\nA;b;c\r\nBad\0Worse\r\n"), {"5:1", "5:5"}},
    };
    for (const auto &one : cases) EXPECT_EQ(Where(Findings(one.file), "no-semicolon"), one.places) << one.file;
}

// The launcher's own message, word for word, its line breaks as blanks; a warning's words true
// of its own case.
TEST_F(CheckTest, TextsAreTheLaunchersOwn) {
    const struct {
        std::string file;
        std::wstring text;
        std::string code = "";  // the errors' texts when empty
    } cases[] = {
        {Framed("[a]\r\nAbc\r\n"), L"В файле velandrimour.ini, в разделе для расширения \"[a]\" содержиться строка без ';'."},
        {"[]\r\nA;menu;x\r\n", L"В файле velandrimour.ini нет раздела для расширения \"{x},\" а так же раздела для [*]."},
        {Framed("[a]\r\nA;b;%1%1" + Repeat('x', 11) + "\r\n"), L"Слишком длинная строка параметров. (с путём к файлу длиной от 250 символов)"},
        // A file of an extension no header names: the box names one such, as the device's would.
        {"[]\r\nQ;q;q\r\n[xyz]\r\nA;b;c\r\n[*]\r\nAbc\r\n", L"В файле velandrimour.ini, в разделе для расширения \"[xyz1]\" содержиться строка без ';'. "
                                              L"(на файле с расширением, которого нет ни в одном заголовке; здесь это «xyz1»)"},
        {Framed("[a\r\nA;b;c\r\n"), L"Этот заголовок никогда не подходит: в нём нет ни «[расширение]», ни «[]», ни «{подменю}», "
                                     L"которые могли бы быть ключом", "header-never-matches"},
        {Bytes("[]\r\nA;b;c\r\n[*]\r\nA;b;%1\0"), L"Нулевой байт в конце файла: программа принимает его за конец данных; в "
                                                   L"текстовом файле ему не место", "zero-byte"},
        {Framed("[tar.gz] [gz]\r\nA;b;%1\r\n"), L"В расширении «tar.gz» есть точка: расширением файла программа считает то, "
                                                 L"что после последней точки, и файл «*.tar.gz» ищет по ключу «[gz]»", "dotted-extension"},
        {Framed("[a]\r\nA;;\r\n"), L"В параметрах нет «%1», а команда пуста: кнопка ничего не запустит, программа сообщит "
                                   L"«Error exec programm: .»", "no-file-argument"},
    };
    for (const auto &one : cases) {
        std::vector<std::wstring> texts;
        for (const check::Finding &finding : Findings(one.file, 300))
            if (one.code.empty() ? finding.severity == check::Severity::Error : finding.code == one.code)
                texts.push_back(finding.text);
        EXPECT_EQ(texts, std::vector<std::wstring>{one.text});
    }
    EXPECT_EQ(check::OneLine(L"файла \n\rZ:\\a.ini. \n\rВероятно"), L"файла Z:\\a.ini. Вероятно");
}

TEST_F(CheckTest, JsonHoldsTheSameFindings) {
    EXPECT_EQ(check::FindingsJson(L"a.ini", Findings("[]\r\nA\"b\r\n[*]\r\nB;c;%1\r\n")),
              L"[{\"file\": \"a.ini\", \"line\": 2, \"column\": 1, \"severity\": \"error\", \"code\": \"no-semicolon\", "
              L"\"text\": \"В файле velandrimour.ini, в разделе для расширения \\\"[]\\\" содержиться строка без ';'.\"}]\n");
}
