// Prints how long the launcher takes from its process start until its window is shown,
// beside a minimal Win32 program that shows one window, in one run under the same Wine,
// and the ratio of the two; and the size of velandrimour.exe.
#include "launcher_harness.h"

#include <algorithm>
#include <cstdio>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1e3 / (double)frequency.QuadPart;
}

// One start: from just before the process is created until its window is visible; then closed.
double TimeToWindow(const std::wstring &image, const std::optional<std::wstring> &argument, const wchar_t *className,
                    const wchar_t *title) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    LauncherProcess process(image, argument);
    HWND window = nullptr;
    for (;;) {
        window = FindWindowW(className, title);
        if (window && IsWindowVisible(window)) break;
        if (!process.Running()) return -1;
        Sleep(1);
    }
    QueryPerformanceCounter(&to);
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process.WaitForExit(5000)) return -1;
    return Milliseconds(from, to);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 20;
    LauncherInstall install;
    install.WriteConfig(
        L"[txt]\nБлокнот;notepad;%1\nКалькулятор;calc;\nПроводник;explorer;\nПочта;mail;%1\n"
        L"Книги;reader;%1\nПодменю;menu;tools\n");
    std::wstring minimal = ModuleDirectory() + L"\\minimal_window.exe";
    std::vector<double> launcher, yardstick;
    // Warm both once, then alternate, so that both see the same state of Wine.
    TimeToWindow(install.exe(), std::wstring(L"C:\\My Documents\\a.txt"), L"VELANDRIMOUR", L"Velandrimour");
    TimeToWindow(minimal, std::nullopt, L"MINIMAL_WINDOW", L"Minimal");
    for (int run = 0; run < runs; run++) {
        double a = TimeToWindow(install.exe(), std::wstring(L"C:\\My Documents\\a.txt"), L"VELANDRIMOUR",
                                L"Velandrimour");
        double b = TimeToWindow(minimal, std::nullopt, L"MINIMAL_WINDOW", L"Minimal");
        if (a < 0 || b < 0) {
            fprintf(stderr, "a start failed\n");
            return 2;
        }
        launcher.push_back(a);
        yardstick.push_back(b);
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExW(install.exe().c_str(), GetFileExInfoStandard, &attributes);
    printf("start until the window is shown, median of %d runs:\n", runs);
    printf("  velandrimour.exe (six buttons, menu bar): %.1f ms\n", Median(launcher));
    printf("  minimal one-window program:               %.1f ms\n", Median(yardstick));
    printf("  ratio: %.2f\n", Median(launcher) / Median(yardstick));
    printf("velandrimour.exe: %lu bytes\n", attributes.nFileSizeLow);
    return 0;
}
