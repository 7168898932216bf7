// The command line's front end: the arguments in, the texts out, wide in a console window and
// UTF-8 when redirected to a file or a pipe.
#include "check/console/console.h"
#include "check/checker.h"

namespace check {

namespace {

// The most of the command line's answer a box shows.
const size_t BoxTextMax = 3000;

void Write(HANDLE handle, const std::wstring &text) {
    if (text.empty()) return;
    DWORD mode, written;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), (DWORD)text.size(), &written, nullptr);
        return;
    }
    std::string bytes = ToUtf8(text);
    WriteFile(handle, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
}

bool Usable(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN; }

}  // namespace

bool HasConsole() {
    if (Usable(GetStdHandle(STD_OUTPUT_HANDLE)) || Usable(GetStdHandle(STD_ERROR_HANDLE))) return true;
    // A program of the windows subsystem started from a console window gets no handles of its
    // own; the console it was started from takes the output.
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    SetStdHandle(STD_ERROR_HANDLE, console);
    return Usable(console);
}

int RunInConsole(const std::vector<std::wstring> &arguments) {
    RunResult result = Run(arguments);
    Write(GetStdHandle(STD_OUTPUT_HANDLE), result.out);
    Write(GetStdHandle(STD_ERROR_HANDLE), result.err);
    return result.status;
}

int AnswerInBox(const std::vector<std::wstring> &arguments) {
    RunResult result = Run(arguments);
    std::wstring text = result.out + result.err;
    if (text.size() > BoxTextMax) text = text.substr(0, BoxTextMax) + L"\n…";
    MessageBoxW(nullptr, text.c_str(), L"velandrimour-check",
                MB_OK | (result.status ? MB_ICONWARNING : MB_ICONINFORMATION));
    return result.status;
}

bool HasOptions(const std::vector<std::wstring> &arguments) {
    for (const std::wstring &argument : arguments)
        if (argument.size() > 1 && argument[0] == L'-') return true;
    return false;
}

}  // namespace check
