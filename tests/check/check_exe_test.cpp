// The real velandrimour-check.exe: its exit statuses, and UTF-8 text when its output is a pipe.
#include "check_support.h"

// The version the build gives the checker, as the version resources and the package have it.
#define WIDE_VERSION WIDE_TEXT(VELANDRIMOUR_VERSION)

namespace {

struct Outcome {
    DWORD status;
    std::string out, err;
};

std::string Drain(HANDLE pipe) {
    std::string bytes;
    char buffer[4096];
    DWORD read;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
    return bytes;
}

// Runs the checker beside the build's launcher, its standard output and error through pipes.
Outcome RunChecker(const std::wstring &arguments) {
    std::wstring exe = ModuleDirectory() + L"\\..\\..\\velandrimour-check.exe";
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    Outcome outcome{99, "", ""};
    BOOL started = CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        outcome.out = Drain(outRead);  // small outputs: the error pipe does not fill meanwhile
        outcome.err = Drain(errRead);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &outcome.status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return outcome;
}

}  // namespace

TEST_F(CheckTest, ExitStatusesAndUtf8Output) {
    std::string ini = "\"" + check::ToUtf8(path()) + "\"";
    const struct {
        std::string file, arguments;
        DWORD status;
        std::wstring out, err;
    } cases[] = {
        {"[]\r\nA;b;c\r\n[*]\r\nB;c;%1\r\n", "", 0, L": ошибок: 0, предупреждений: 0, замечаний: 0\n", L""},
        {"[]\r\nA;b;c\r\n", "", 0, L":1:1: warning: Нет раздела [*]", L""},
        {"[]\r\nAbc\r\n[*]\r\nB;c;%1\r\n", "", 1, L":2:1: error: В файле velandrimour.ini, в разделе для расширения \"[]\"", L""},
        {"[]\r\nAbc\r\n", "--json", 1, L"\"code\": \"no-semicolon\"", L""},
        {"[]\r\nA;b;c\r\n", "--show=\\a.pdf", 1, L"Окно «Extention error»:\n", L""},
        {"[]\r\nA;b;c\r\n", "--show", 0, L"1. «A»: команда «b», параметры «c»\n", L""},
        {"[]\r\nAbc\r\n", "\"--screens=" + check::ToUtf8(path()) + ".png\"", 1, L".png: экранов на картинке: 1, ", L""},
        {"[]\nA;b;c\n", "--fix", 0, L"velandrimour.ini: прежний файл сохранён как ", L""},
        {"[]\nA✓;b;c\n", "--json --fix", 2, L"\"line\": 2, \"column\": 2, \"severity\": \"error\", \"code\": \"not-in-1251\"", L"не изменён"},
        {"", "--version", 0, L"velandrimour-check " WIDE_VERSION L"\n", L""},
        {"", "--path-length=512", 2, L"", L"velandrimour-check: длина пути в --path-length=512 должна быть числом от 0 до 511\n"},
        {"", "--bogus", 2, L"", L"velandrimour-check: неизвестный параметр --bogus"},
        {"", "--help", 0, L"  --path-length=N", L""},
        {"", "-h", 0, L"Коды выхода: 0", L""},
        {"[]\r\nA;b;c\r\n", "--show a.txt", 2, L"", L"--show=ПУТЬ"},
        {"", "--show --associations", 2, L"", L"нельзя сочетать"},
        {"", "", 2, L"", L"velandrimour-check: файл не найден: "},
    };
    for (const auto &one : cases) {
        if (one.file.empty()) DeleteFileW(path().c_str());
        else ASSERT_TRUE(WriteBytes(path(), one.file));
        Outcome outcome = RunChecker(FromUtf8(one.arguments + " " + ini));
        EXPECT_EQ(outcome.status, one.status) << one.arguments << "\n" << outcome.out << outcome.err;
        EXPECT_NE(outcome.out.find(check::ToUtf8(one.out)), std::string::npos) << outcome.out;
        EXPECT_NE(outcome.err.find(check::ToUtf8(one.err)), std::string::npos) << outcome.err;
    }
}

// Without a file named, the message says which folder was looked in.
TEST(CheckWithoutFile, SaysWhereItLooked) {
    ScratchDir folder;
    WCHAR before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(folder.path().c_str());
    check::RunResult result = check::Run({});
    SetCurrentDirectoryW(before);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(L"искал в текущей папке, " + folder.path()), std::wstring::npos) << result.err;
}
