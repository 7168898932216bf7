// Loading the configuration file and reading its significant lines.
#include "config_fixture.h"

namespace {

const std::wstring LineError = L"Слишком длинная строка в ИНИ-файле";

struct ReadCase {
    const char *name;
    std::string bytes;
    std::vector<std::wstring> lines;  // every significant line, in order
};

struct LongLineCase {
    const char *name;
    std::string bytes;
    bool refused;  // with the line report
};

std::string Repeat(char c, size_t count) { return std::string(count, c); }

}  // namespace

TEST_F(ConfigFileTest, SizeLimit) {
    struct Case {
        size_t size;
        bool refused;
    } cases[] = {{0, false}, {1, false}, {16383, false}, {16384, true}, {16385, true}, {40000, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.size);
        // Short lines, so that only the size can be at fault.
        std::string bytes;
        while (bytes.size() < c.size) bytes += bytes.size() % 50 == 48 ? '\r' : bytes.size() % 50 == 49 ? '\n' : 'a';
        Write(bytes);
        if (c.refused) {
            EXPECT_TRUE(RaisesReport([] { LoadConfigFile(); }, L"File error",
                                     L"Размер файла velandrimour.ini должен быть менее 16Кб.", false));
        } else {
            EXPECT_TRUE(RaisesNoReport([] { LoadConfigFile(); }));
            EXPECT_EQ(FileByteCount, c.size);
            EXPECT_EQ(FileReadPosition, 0u);
        }
    }
}

TEST_F(ConfigFileTest, LastByteOfTheLargestFileIsRead) {
    std::string bytes = Repeat(';', 1) + Repeat('x', 400) + "\r\n";
    while (bytes.size() + 402 < 16383) bytes += Repeat(' ', 10) + ";" + Repeat('c', 389) + "\r\n";
    bytes += Repeat('L', 16383 - bytes.size() - 1) + "Z";
    ASSERT_EQ(bytes.size(), 16383u);
    Write(bytes);
    std::vector<std::wstring> lines = AllLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].back(), L'Z');
}

TEST_F(ConfigFileTest, LinesAsRead) {
    const ReadCase cases[] = {
        {"empty file", "", {}},
        {"CR LF line ends", "one\r\ntwo\r\n", {L"one", L"two"}},
        {"no line end at the end", "one\r\ntwo", {L"one", L"two"}},
        {"CR loses the byte after it", "one\rXtwo\r\r\nthree", {L"one", L"two", L"\nthree"}},
        {"LF alone is a character", "one\ntwo\n", {L"one\ntwo\n"}},
        {"CR at the very end", "one\r", {L"one"}},
        {"empty lines skipped", "\r\n\r\none\r\n\r\n", {L"one"}},
        {"leading spaces dropped", "   one\r\n two  \r\n", {L"one", L"two  "}},
        {"spaces only skipped", "    \r\none", {L"one"}},
        {"comments skipped", "; comment\r\n   ;indented comment\r\none;two", {L"one;two"}},
        {"tab is an ordinary character", "\t;not a comment\r\n\t[txt]\r\n \tx", {L"\t;not a comment", L"\t[txt]", L"\tx"}},
        {"byte-order mark kept", "\xEF\xBB\xBFone", {L"\u043F\u00BB\u0457one"}},
        {"zero byte ends a line", std::string("one\0two", 7), {L"one", L"two"}},
        {"zero byte before a line ends the data", std::string("one\r\n\0two", 9), {L"one"}},
        {"zero byte first", std::string("\0one", 4), {}},
        {"zero byte after spaces", std::string("   \0one", 7), {}},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.bytes);
        std::vector<std::wstring> lines;
        ASSERT_TRUE(RaisesNoReport([&] { lines = AllLines(); }));
        EXPECT_EQ(lines, c.lines);
    }
}

// Where each delivered line began, after its leading spaces; a line too long to deliver too.
TEST_F(ConfigFileTest, ReadLineRecordsWhereItsLineBegan) {
    const struct {
        std::string bytes;
        std::vector<DWORD> starts;
    } cases[] = {
        {"one\r\ntwo", {0, 5}},
        {"   one\r\n two", {3, 9}},
        {"; c\r\n\r\none", {7}},
        {"one\rXtwo\nthree", {0, 5}},
        {std::string("one\0two", 7), {0, 4}},
        {"a\r\n  " + std::string(511, 'x'), {0, 5}},
    };
    for (const auto &c : cases) {
        Write(c.bytes);
        LoadConfigFile();
        std::vector<DWORD> starts;
        for (bool read = true, reported = false; read && !reported;) {
            reported = ReportOf([&] { read = ReadLine(); }).has_value();
            if (read || reported) starts.push_back(FileLineStart);
        }
        EXPECT_EQ(starts, c.starts) << c.bytes;
    }
}

TEST_F(ConfigFileTest, ReadingGoesOnAfterZeroByte) {
    Write(std::string("one\r\n\0two\r\n", 11));
    LoadConfigFile();
    ASSERT_TRUE(ReadLine());
    EXPECT_STREQ(LineBuffer, L"one");
    EXPECT_FALSE(ReadLine());
    ASSERT_TRUE(ReadLine());
    EXPECT_STREQ(LineBuffer, L"two");
    EXPECT_FALSE(ReadLine());
    EXPECT_FALSE(ReadLine());
}

TEST_F(ConfigFileTest, LineLengthLimit) {
    const LongLineCase cases[] = {
        {"510 characters", Repeat('a', 510), false},
        {"510 characters, line end", Repeat('a', 510) + "\r\nb", false},
        {"511 characters", Repeat('a', 511), true},
        {"511 characters, line end", Repeat('a', 511) + "\r\n", true},
        {"leading spaces do not count", Repeat(' ', 300) + Repeat('a', 510) + "\r\n", false},
        {"trailing spaces count", Repeat('a', 500) + Repeat(' ', 11) + "\r\n", true},
        {"tabs count", Repeat('\t', 511), true},
        {"comment of 510", ";" + Repeat('c', 509) + "\r\nx", false},
        {"comment of 511", ";" + Repeat('c', 510) + "\r\nx", true},
        {"LF only, 510 in all", Repeat('a', 254) + "\n" + Repeat('b', 254) + "\n", false},
        {"LF only, 511 in all", Repeat('a', 255) + "\n" + Repeat('b', 254) + "\n", true},
        {"second line too long", "short\r\n" + Repeat('a', 511), true},
    };
    for (const LongLineCase &c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.bytes);
        if (c.refused) {
            EXPECT_TRUE(RaisesReport([] { AllLines(); }, L"INI-file", LineError, true));
        } else {
            std::vector<std::wstring> lines;
            EXPECT_TRUE(RaisesNoReport([&] { lines = AllLines(); }));
            for (const std::wstring &line : lines) EXPECT_LE(line.size(), 510u);
        }
    }
}

TEST_F(ConfigFileTest, LineOf510IsDeliveredWhole) {
    Write(Repeat(' ', 5) + Repeat('a', 509) + "z\r\n");
    std::vector<std::wstring> lines = AllLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::wstring(509, L'a') + L"z");
}

// The device's code page, 1251, whatever the PC's: the unit_tests_cp932 run repeats these
// under 932, whose lead bytes would not convert alone, and the other runs are under 1252.
TEST_F(ConfigCodePageTest, Code1251ArrivesAsCyrillic) {
    std::wstring text = L"Блокнот;notepad;%1 Ёё №";
    Write(ToCp1251(text));
    EXPECT_EQ(AllLines(), std::vector<std::wstring>{text});

    // Every letter of the alphabet's contiguous block, 0xC0 to 0xFF.
    std::string alphabet;
    std::wstring expected;
    for (int byte = 0xC0; byte <= 0xFF; byte++) {
        alphabet += (char)byte;
        expected += (wchar_t)(0x0410 + byte - 0xC0);
    }
    Write(alphabet);
    EXPECT_EQ(AllLines(), std::vector<std::wstring>{expected});
}

// Every byte becomes the character 1251 gives it (0x98 too, as U+0098), never U+FFFD.
TEST_F(ConfigCodePageTest, EveryByteAs1251GivesIt) {
    for (int byte = 1; byte < 256; byte++) {
        if (byte == '\r' || byte == ' ' || byte == ';') continue;
        SCOPED_TRACE(byte);
        char single = (char)byte;
        wchar_t wide = 0;
        ASSERT_EQ(MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &single, 1, &wide, 1), 1);
        Write(std::string("a") + single + "b");
        EXPECT_EQ(AllLines(), std::vector<std::wstring>{std::wstring(L"a") + wide + L"b"});
    }
}

TEST_F(ConfigFileTest, NextByteSignExtendsAndStopsAtTheEnd) {
    Write("\xC0" "A");
    LoadConfigFile();
    EXPECT_EQ(NextByte(), -64);
    EXPECT_EQ(NextByte(), 'A');
    EXPECT_EQ(FileReadPosition, 2u);
    EXPECT_EQ(NextByte(), 0);
    EXPECT_EQ(NextByte(), 0);
    EXPECT_EQ(FileReadPosition, 2u);
}

TEST_F(ConfigFileTest, EachLoadRereadsTheFile) {
    Write("first\r\n");
    EXPECT_EQ(AllLines(), std::vector<std::wstring>{L"first"});
    Write("second\r\nthird");
    EXPECT_EQ(AllLines(), (std::vector<std::wstring>{L"second", L"third"}));
    EXPECT_EQ(FileByteCount, 13u);
}

TEST_F(ConfigFileTest, MissingFileIsCreatedEmptyThenLoads) {
    ASSERT_FALSE(FileExists(path()));
    EXPECT_TRUE(RaisesReport([] { LoadConfigFile(); }, L"File error",
                             L"Осутствует файл \n\r" + path() + L".\n\rФайл создан заново.", true));
    EXPECT_EQ(ReadBytes(path()), std::string());
    std::vector<std::wstring> lines{L"left over"};
    EXPECT_TRUE(RaisesNoReport([&] { lines = AllLines(); }));
    EXPECT_TRUE(lines.empty());
}

TEST_F(ConfigFileTest, FileThatCanNeitherBeOpenedNorCreated) {
    const std::wstring fatal = L"Фатальная ошибка открытия/создания файла \n\r";
    const std::wstring blocked = L". \n\rВероятно доступ заблокирован другой программой.";

    // Held open by another program without sharing.
    Write("[txt]\r\n");
    HANDLE holder = CreateFileW(path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(RaisesReport([] { LoadConfigFile(); }, L"File error", fatal + path() + blocked, false));
    CloseHandle(holder);
    EXPECT_TRUE(RaisesNoReport([] { LoadConfigFile(); }));

    // A folder of that name.
    std::wstring folder = path() + L".d";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ConfigPath[0] = L'\0';
    AppendText(ConfigPath, folder.c_str());
    EXPECT_TRUE(RaisesReport([] { LoadConfigFile(); }, L"File error", fatal + folder + blocked, false));

    // A folder that does not exist.
    std::wstring nowhere = folder + L"\\missing\\velandrimour.ini";
    ConfigPath[0] = L'\0';
    AppendText(ConfigPath, nowhere.c_str());
    EXPECT_TRUE(RaisesReport([] { LoadConfigFile(); }, L"File error", fatal + nowhere + blocked, false));
    EXPECT_FALSE(FileExists(nowhere));
}

TEST_F(ConfigFileTest, FileIsNotKeptOpen) {
    // Opening without any sharing succeeds only when nobody holds the file.
    auto nobodyHoldsIt = [this] {
        HANDLE alone = CreateFileW(path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (alone == INVALID_HANDLE_VALUE) return false;
        CloseHandle(alone);
        return true;
    };
    Write("[txt]\r\nA;b;c\r\n");
    UseArgument(L"\\a.txt");
    LoadEntries();
    EXPECT_TRUE(nobodyHoldsIt());
    Write(std::string(16384, 'a'));
    EXPECT_TRUE(ReportOf([] { LoadConfigFile(); }).has_value());
    EXPECT_TRUE(nobodyHoldsIt());
}
