// velandrimour-check --fix: every shape of the same text gives the same bytes, and a refusal
// or a file that cannot be written leaves the original byte for byte, with nothing beside it.
#include "check_support.h"

namespace {

struct Fixing {
    ScratchDir folder;
    std::wstring ini = folder.file(L"velandrimour.ini");
    check::RunResult Run() { return check::Run({L"--fix", ini}); }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(folder.file(L"*").c_str(), &found);
        do
            if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }
};

// Whether a file opens for writing, or a folder lets a file be made in it.
bool Writable(const std::wstring &path, bool folder) {
    std::wstring probe = folder ? path + L"\\probe" : path;
    HANDLE handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    if (folder) DeleteFileW(probe.c_str());
    return true;
}

// Runs a shell command on the path's Unix name ("$1") and waits until the path is writable or
// not, as wanted: Wine starts ELF programs as they are, but does not wait for them.
bool Shell(const std::wstring &command, const std::wstring &path, bool folder, bool writable) {
    auto unixName = (char *(CDECL *)(LPCWSTR))(void *)GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name");
    std::wstring line = L"/bin/sh -c \"" + command + L"\" sh \"" + FromUtf8(unixName(path.c_str())) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (int tries = 0; tries < 100; tries++, Sleep(50))
        if (Writable(path, folder) == writable) return true;
    return false;
}

// Locks a file or folder by a shell command; as root Unix permissions do not bite and Wine
// refuses nothing itself, but the immutable flag holds.
struct Locked {
    std::wstring path;
    bool folder, held;
    Locked(const std::wstring &command, const std::wstring &path, bool folder)
        : path(path), folder(folder), held(Shell(command, path, folder, false)) {}
    ~Locked() { Shell(L"/usr/bin/chattr -i \\\"$1\\\" 2>/dev/null; /usr/bin/chmod u+w \\\"$1\\\" 2>/dev/null", path, folder, true); }
};

}  // namespace

TEST(Fix, EveryInputShapeGivesTheDevicesBytes) {
    // A tab, trailing blanks, a zero byte, a control character and 1251's punctuation pass unchanged.
    const wchar_t withZero[] = L"  ; заметка Ёж\0€\x01;x;y";
    const std::wstring lines[] = {L"[txt] [log]", L"Блокнот\t«№1»;notepad.exe;%1 ", std::wstring(withZero, std::size(withZero) - 1),
                                  L"[]", L"Калькулятор;calc;", L"[*]", L"Открыть;notepad;%1"};
    const struct {
        std::string mark;
        std::string (*encode)(const std::wstring &);
    } encodings[] = {{"", check::ToUtf8}, {"\xEF\xBB\xBF", check::ToUtf8}, {"", ToCp1251},
                     {"", [](const std::wstring &text) { return Utf16(text, false); }},
                     {"", [](const std::wstring &text) { return Utf16(text, true); }}};
    const std::vector<std::string> lineEnds[] = {{"\n"}, {"\r"}, {"\r\n"}, {"\n", "\r\n", "\r"}};
    std::string expected;
    for (const std::wstring &line : lines) expected += ToCp1251(line) + "\r\n";
    for (const auto &encoding : encodings) {
        for (const auto &ends : lineEnds) {
            std::wstring text;
            for (size_t index = 0; index < std::size(lines); index++)
                text += lines[index] + FromUtf8(ends[index % ends.size()]);
            std::string input = encoding.mark + encoding.encode(text);
            Fixing fixing;
            ASSERT_TRUE(WriteBytes(fixing.ini, input));
            check::RunResult result = fixing.Run();
            SCOPED_TRACE(testing::PrintToString(input));
            EXPECT_EQ(result.status, 0) << result.out << result.err;
            EXPECT_EQ(ReadBytes(fixing.ini), expected);
            bool unchanged = input == expected;
            EXPECT_EQ(fixing.Names().size(), unchanged ? 1u : 2u);
            EXPECT_EQ(ReadBytes(fixing.ini + L".bak"), unchanged ? std::nullopt : std::optional(input));
            EXPECT_NE(result.out.find(unchanged ? L"оставлен как есть" : L"сохранён как " + fixing.ini + L".bak"),
                      std::wstring::npos) << result.out;
            EXPECT_NE(result.out.find(L"velandrimour.ini: ошибок: 0"), std::wstring::npos) << result.out;
        }
    }
}

TEST(Fix, RefusesWhatTheDeviceCannotReadAndJudgesTheResultsSize) {
    const std::string cyrillic = check::ToUtf8(std::wstring(9000, L'я'));
    const struct {
        std::string input;
        int status;
        std::string result;  // empty: the file stays as it was
        std::vector<std::string> places;
        std::wstring says;
    } cases[] = {
        // Columns count characters; an invisible one is named by its code.
        {"[]\nА✓;b;c\n\xF0\x9F\x98\x80\n", 2, "", {"2:2", "3:1"}, L"нельзя записать в кодировке 1251: 2;"},
        {"[]\r\nБлокнот 😀;b;c\r\nA\xEF\xBB\xBF;b;c", 2, "", {"2:9", "3:2"}, L"Символа U+FEFF (невидимого) нет"},
        // A run of bytes that are no UTF-8 is one place.
        {"\xEF\xBB\xBF[]\r\nA;\xFF;c\xD0", 2, "", {"2:3", "2:6"}, L"байты не составляют символов UTF-8: 2;"},
        {"\xEF\xBB\xBF[]\r\n" + ToCp1251(L"Привет;b;c"), 2, "", {"2:1"}, L"символов UTF-8: 1;"},
        {Utf16(L"[]\nA;\xD83D;c", false), 2, "", {"2:3"}, L"символов UTF-16: 1;"},
        {"[]\r\nИ\xCC\x86;b;c\r\n", 0, "[]\r\n\xC9;b;c\r\n", {}, L"составлено: 1"},
        {Repeat('a', 16383) + "\n", 2, "", {}, L"занял бы 16385 байт"},
        {Repeat('a', 49153), 2, "", {}, L"файл больше 49152 байт"},
        {"[]\r\n" + cyrillic, 1, "[]\r\n" + std::string(9000, '\xFF'), {}, L"long-line"},
    };
    for (const auto &one : cases) {
        Fixing fixing;
        ASSERT_TRUE(WriteBytes(fixing.ini, one.input));
        check::RunResult result = fixing.Run();
        EXPECT_EQ(result.status, one.status) << result.out << result.err;
        EXPECT_EQ(ReadBytes(fixing.ini), one.result.empty() ? one.input : one.result);
        EXPECT_EQ(fixing.Names().size(), one.result.empty() ? 1u : 2u);
        std::vector<std::string> places;
        for (size_t at = 0; (at = result.out.find(L".ini:", at)) != std::wstring::npos && one.status == 2; at++)
            places.push_back(check::ToUtf8(result.out.substr(at + 5, result.out.find(L": error", at) - at - 5)));
        EXPECT_EQ(places, one.places) << result.out;
        EXPECT_NE((result.out + result.err).find(one.says), std::wstring::npos) << result.out << result.err;
    }
}

TEST(Fix, KeepsEveryOlderBackup) {
    const std::string input = "[]\nA;b;c\n", other = "[]\r\nolder\r\n";
    const struct {
        std::vector<std::pair<std::wstring, std::string>> existing;
        std::wstring backup;
    } cases[] = {
        {{}, L".bak"},
        {{{L".bak", input}}, L".bak"},
        {{{L".bak", other}}, L".2.bak"},
        {{{L".bak", other}, {L".2.bak", other + "2"}}, L".3.bak"},
    };
    for (const auto &one : cases) {
        Fixing fixing;
        ASSERT_TRUE(WriteBytes(fixing.ini, input));
        for (const auto &[suffix, bytes] : one.existing) ASSERT_TRUE(WriteBytes(fixing.ini + suffix, bytes));
        check::RunResult result = fixing.Run();
        EXPECT_EQ(ReadBytes(fixing.ini + one.backup), input) << testing::PrintToString(one.backup);
        for (const auto &[suffix, bytes] : one.existing)
            EXPECT_EQ(ReadBytes(fixing.ini + suffix), suffix == one.backup ? input : bytes);
        EXPECT_NE(result.out.find(L"сохранён как " + fixing.ini + one.backup), std::wstring::npos) << result.out;
    }
}

TEST(Fix, LeavesAFileThatCannotBeWrittenAsItWas) {
    const std::string input = "[]\nБлокнот;notepad;\n";
    const std::wstring immutable = L"/usr/bin/chattr +i \\\"$1\\\" 2>/dev/null";
    const struct {
        std::wstring lock;  // a shell command on the folder or the file; empty: the read-only attribute
        bool folder;
        std::wstring says;
    } cases[] = {
        {L"", false, L"только для чтения"},
        {L"/usr/bin/chmod a-w \\\"$1\\\"; " + immutable, true, L"нельзя сохранить копию"},
        {immutable, false, L"не удалось открыть файл"},
    };
    for (const auto &one : cases) {
        Fixing fixing;
        ASSERT_TRUE(WriteBytes(fixing.ini, input));
        if (one.lock.empty()) SetFileAttributesW(fixing.ini.c_str(), FILE_ATTRIBUTE_READONLY);
        std::optional<Locked> locked;
        if (!one.lock.empty()) locked.emplace(one.lock, one.folder ? fixing.folder.path() : fixing.ini, one.folder);
        if (locked && !locked->held) GTEST_SKIP() << "a locked file or folder stays writable on this machine";
        check::RunResult result = fixing.Run();
        EXPECT_EQ(result.status, 2) << result.out;
        EXPECT_NE(result.err.find(one.says), std::wstring::npos) << result.err;
        EXPECT_NE(result.err.find(L"не изменён"), std::wstring::npos) << result.err;
        EXPECT_EQ(ReadBytes(fixing.ini), input);
        locked.reset();
        EXPECT_EQ(fixing.Names(), std::vector<std::wstring>{L"velandrimour.ini"});
    }
}

// --screens writes as --fix does: a folder or a picture that cannot be written gets status 2, a
// message, and nothing left behind.
TEST(Screens, LeaveNothingWhereThePictureCannotBeWritten) {
    const std::wstring immutable = L"/usr/bin/chattr +i \\\"$1\\\" 2>/dev/null";
    const struct {
        std::wstring lock;
        bool folder;
        std::wstring says;
    } cases[] = {
        {L"/usr/bin/chmod a-w \\\"$1\\\"; " + immutable, true, L"в её папке нельзя создать файл"},
        {immutable, false, L"не удалось записать"},
    };
    for (const auto &one : cases) {
        Fixing fixing;
        std::wstring sheet = fixing.folder.file(L"sheet.png");
        ASSERT_TRUE(WriteBytes(fixing.ini, "[]\r\nA;b;c\r\n") && (one.folder || WriteBytes(sheet, "old")));
        std::optional<Locked> locked;
        locked.emplace(one.lock, one.folder ? fixing.folder.path() : sheet, one.folder);
        if (!locked->held) GTEST_SKIP() << "a locked file or folder stays writable on this machine";
        check::RunResult result = check::Run({L"--screens=" + sheet, fixing.ini});
        EXPECT_EQ(result.status, 2) << result.out;
        EXPECT_NE(result.err.find(one.says), std::wstring::npos) << result.err;
        locked.reset();
        std::vector<std::wstring> names{L"velandrimour.ini"};
        if (!one.folder) names.insert(names.begin(), L"sheet.png");
        EXPECT_EQ(fixing.Names(), names);
        if (!one.folder) {
            EXPECT_EQ(ReadBytes(sheet), std::optional<std::string>("old"));
        }
    }
}
