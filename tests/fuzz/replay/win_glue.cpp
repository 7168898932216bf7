// The replay's platform under Wine: a real velandrimour.ini beside the replay, the real file
// and code page calls, and the unit tests' recording reporters, whose exception leaves the
// procedure under test.
#include <windows.h>

#include <cstdio>

#include "support/test_support.h"
#include "targets.h"

namespace {
HANDLE Lock = INVALID_HANDLE_VALUE;

void CopyText(WCHAR *to, const std::wstring &from) {
    size_t length = from.size() < REPORT_TEXT_CAPACITY - 1 ? from.size() : REPORT_TEXT_CAPACITY - 1;
    from.copy(to, length);
    to[length] = 0;
}

void Unlock() {
    if (Lock != INVALID_HANDLE_VALUE) CloseHandle(Lock);
    Lock = INVALID_HANDLE_VALUE;
}
}  // namespace

extern "C" int GlueGuardedCall(void (*procedure)(void)) {
    try {
        procedure();
    } catch (const Reported &report) {
        LastReport.configError = report.configError;
        CopyText(LastReport.caption, report.caption);
        CopyText(LastReport.text, report.text);
        return 1;
    }
    return 0;
}

extern "C" void GlueSetConfigFile(ConfigFileState state, const uint8_t *bytes, size_t size) {
    Unlock();
    if (state == CONFIG_MISSING) {
        if (!DeleteFileW(ConfigPath) && GetLastError() != ERROR_FILE_NOT_FOUND) GlueFail("cannot delete the file");
        return;
    }
    HANDLE file = CreateFileW(ConfigPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) GlueFail("cannot write the file");
    DWORD written = 0;
    BOOL wrote = size == 0 || WriteFile(file, bytes, (DWORD)size, &written, nullptr);
    CloseHandle(file);
    if (!wrote || (size && written != size)) GlueFail("cannot write the file");
    // Held open without sharing, the file can neither be opened for reading nor created.
    if (state == CONFIG_LOCKED) {
        Lock = CreateFileW(ConfigPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (Lock == INVALID_HANDLE_VALUE) GlueFail("cannot lock the file");
    }
}

extern "C" void GlueEndInput(int) { Unlock(); }

extern "C" void GlueFail(const char *what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::fflush(stderr);
    ExitProcess(3);
}
