// Prints how long velandrimour-check --screens takes beside the plain check of the same file,
// the two started in turn in each round: on the shipped example, on the reader's worst case
// (16383 bytes, four headers in every block) and on the longest chain of submenus that fits
// in 16383 bytes; and the size of each sheet, in pixels and in bytes.
#include "support/test_support.h"
#include "worst_case_config.h"
#include "config/config.h"

#include <algorithm>
#include <cstdio>

namespace {

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

// Runs the checker on the arguments; its time, and what it printed last.
double RunChecker(const std::wstring &arguments, std::string &output) {
    std::wstring exe = ModuleDirectory() + L"\\..\\..\\velandrimour-check.exe";
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read, write;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    PROCESS_INFORMATION process{};
    double from = Seconds();
    BOOL started = CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                  &startup, &process);
    CloseHandle(write);
    output.clear();
    char buffer[4096];
    DWORD got;
    while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
    if (started) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(read);
    return Seconds() - from;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The longest chain: [] opens {1}, which opens {2}, and so on to the size limit.
std::string Chain() {
    std::string text = "[]\r\nA;menu;1\r\n";
    for (int level = 1;; level++) {
        std::string next = "{" + std::to_string(level) + "}\r\nA;menu;" + std::to_string(level + 1) + "\r\n";
        std::string last = "{" + std::to_string(level) + "}\r\nA;x;\r\n";
        if (text.size() + next.size() + last.size() + 16 > FileMaxSize) return text + last;
        text += next;
    }
}

}  // namespace

int main(int argc, char **argv) {
    int rounds = argc > 1 ? atoi(argv[1]) : 20;
    ScratchDir scratch;
    std::string tail = "[txt]\r\n";
    for (int slot = 1; slot <= 6; slot++) tail += "Button " + std::to_string(slot) + ";prog;%1\r\n";
    const struct {
        const char *name;
        std::optional<std::string> bytes;
    } files[] = {
        {"example", ReadBytes(ModuleDirectory() + L"\\..\\velandrimour.ini")},
        {"worst case for the reader", FillAhead(tail, FileMaxSize)},
        {"chain of submenus", Chain()},
    };
    printf("velandrimour-check, plain check and --screens started in turn, %d rounds (median seconds):\n", rounds);
    for (const auto &file : files) {
        std::wstring ini = scratch.file(L"velandrimour.ini"), sheet = scratch.file(L"sheet.png");
        if (!file.bytes || !WriteBytes(ini, *file.bytes)) return 2;
        std::vector<double> plain, screens, ratios;
        std::string output, last;
        for (int round = 0; round < rounds; round++) {
            plain.push_back(RunChecker(L"\"" + ini + L"\"", output));
            screens.push_back(RunChecker(L"\"--screens=" + sheet + L"\" \"" + ini + L"\"", last));
            ratios.push_back(screens.back() / plain.back());
        }
        size_t at = last.rfind("sheet.png: ");
        std::optional<std::string> png = ReadBytes(sheet);
        printf("  %-26s %zu bytes: plain %.3f s, --screens %.3f s, ratio %.2f; sheet %zu bytes, %s", file.name,
               file.bytes->size(), Median(plain), Median(screens), Median(ratios), png ? png->size() : 0,
               at == std::string::npos ? "not written\n" : last.substr(at + 11).c_str());
    }
    return 0;
}
