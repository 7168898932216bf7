// velandrimour-check's entry: the arguments in, the texts out, wide in a console window and
// UTF-8 when redirected to a file or a pipe.
#include "check/checker.h"

namespace {

void Write(DWORD which, const std::wstring &text) {
    if (text.empty()) return;
    HANDLE handle = GetStdHandle(which);
    DWORD mode, written;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), (DWORD)text.size(), &written, nullptr);
        return;
    }
    std::string bytes = check::ToUtf8(text);
    WriteFile(handle, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    check::RunResult result = check::Run(arguments);
    Write(STD_OUTPUT_HANDLE, result.out);
    Write(STD_ERROR_HANDLE, result.err);
    return result.status;
}
