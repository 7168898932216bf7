// Starts the launcher with an exact command line for scripts/run.sh and the screenshot:
//   launch run <exe> [argument]           runs it to its end; the status is its own
//   launch show <exe> <rect-file> [argument]  starts it as Explorer does and, once its windows
//                                         are up and it is idle, writes "pid left top right
//                                         bottom" of them to the file
//   launch close <pid>                    answers its boxes with No or OK, closes its window
//                                         and gives its exit status
// An absent argument starts it without one, as a hardware key would.
#include "launcher_harness.h"

#include <cstdio>

namespace {

const DWORD kShowTimeout = 15000;
const DWORD kSettleMilliseconds = 300;

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

// A named CALLBACK, not a lambda: on 32-bit Windows a lambda converts only to a cdecl
// pointer, and EnumWindows calls stdcall.
BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
    Search *s = (Search *)data;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->pid && IsWindowVisible(window)) s->found.push_back(window);
    return TRUE;
}

std::vector<HWND> WindowsOf(DWORD pid) {
    Search search{pid, {}};
    EnumWindows(CollectVisibleWindow, (LPARAM)&search);
    return search.found;
}

int Run(const std::wstring &exe, const std::optional<std::wstring> &argument) {
    LauncherProcess launcher(exe, argument);
    if (!launcher.started()) return 2;
    std::optional<DWORD> status;
    while (!(status = launcher.WaitForExit(60000))) {
    }
    return (int)*status;
}

int Show(const std::wstring &exe, const std::wstring &rectFile, const std::optional<std::wstring> &argument) {
    std::wstring line = L"\"" + exe + L"\"";
    if (argument) line += L" " + *argument;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // No console and no standard handles: velandrimour-check then shows its window.
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                        &started))
        return 2;
    CloseHandle(started.hThread);
    bool shown = WaitUntil([&] { return !WindowsOf(started.dwProcessId).empty(); }, kShowTimeout);
    // Idle once it has drawn what it draws after showing its window.
    if (shown) WaitForInputIdle(started.hProcess, kShowTimeout);
    CloseHandle(started.hProcess);
    if (!shown) return 3;
    Sleep(kSettleMilliseconds);
    RECT all = {};
    for (HWND window : WindowsOf(started.dwProcessId)) {
        DWORD_PTR ignored;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        RECT place;
        GetWindowRect(window, &place);
        UnionRect(&all, &all, &place);
    }
    char text[128];
    int length = snprintf(text, sizeof text, "%lu %ld %ld %ld %ld\n", started.dwProcessId, all.left, all.top,
                          all.right, all.bottom);
    return WriteBytes(rectFile, std::string(text, length)) ? 0 : 2;
}

int Close(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
    if (!process) return 2;
    for (int round = 0; round < 10 && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; round++) {
        for (HWND window : WindowsOf(pid)) {
            WCHAR className[32] = L"";
            GetClassNameW(window, className, 32);
            if (wcscmp(className, L"#32770") == 0)
                AnswerBox(window, GetDlgItem(window, IDNO) ? IDNO : IDOK);
            else if (wcscmp(className, L"VELANDRIMOUR") == 0)
                PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        WaitForSingleObject(process, 500);
    }
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    return (int)status;
}

}  // namespace

int wmain(int count, wchar_t **arguments) {
    std::wstring mode = count > 1 ? arguments[1] : L"";
    if (mode == L"run" && count >= 3)
        return Run(arguments[2], count > 3 ? std::optional<std::wstring>(arguments[3]) : std::nullopt);
    if (mode == L"show" && count >= 4)
        return Show(arguments[2], arguments[3], count > 4 ? std::optional<std::wstring>(arguments[4]) : std::nullopt);
    if (mode == L"close" && count == 3) return Close(wcstoul(arguments[2], nullptr, 10));
    fprintf(stderr, "usage: launch run|show|close ...\n");
    return 2;
}
