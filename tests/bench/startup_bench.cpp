// Prints, from one run under one Wine, what a start of the launcher costs beside two
// yardsticks: a program that shows one plain window, and a twin that shows the launcher's
// window (frame, icon, menu bar, six buttons) and does nothing else. Each round starts the
// launcher, both yardsticks and the launcher over the largest configuration file, in an
// order that rotates from round to round; the figures are paired within the rounds.
#include "launcher_harness.h"  // windows.h first: psapi.h needs it

#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

#include "check/window/window.h"
#include "config/config.h"
#include "worst_case_config.h"

namespace {

const int DefaultRounds = 200;
const int BootstrapResamples = 2000;
const DWORD StartLimit = 10000;  // ms for a window to show, and for a closed one to exit
const wchar_t *const Titles[] = {L"Блокнот", L"Калькулятор", L"Проводник", L"Почта", L"Книги", L"Подменю"};

struct Program {
    const char *name;
    std::wstring image;
    std::optional<std::wstring> argument;
    const wchar_t *className;
    const wchar_t *title;  // null: any
    DWORD flags = 0;       // of its creation
};

// One start, all timed from this side: from process creation until its window is visible, and
// until it waits for input with the window up (done painting); its private memory then; and
// from WM_CLOSE posted until it has exited.
struct Start {
    bool ok = false;
    double toWindow = 0, toIdle = 0, closing = 0, privateKb = 0;
};

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

HWND ShownWindow(const Program &program, DWORD pid) {
    HWND window = FindWindowW(program.className, program.title);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    return window && owner == pid && IsWindowVisible(window) ? window : nullptr;
}

Start StartOnce(const Program &program, const std::function<bool(HWND)> &check = nullptr) {
    Start start;
    double from = Seconds();
    LauncherProcess process(program.image, program.argument, program.flags);
    HANDLE handle = process.started()
                        ? OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.pid())
                        : nullptr;
    if (!handle) {
        fprintf(stderr, "%s: cannot start it\n", program.name);
        return start;
    }
    HWND window = nullptr;
    while (!(window = ShownWindow(program, process.pid())) && process.Running() && Seconds() - from < StartLimit / 1e3)
        Sleep(1);
    if (window) {
        start.toWindow = (Seconds() - from) * 1e3;
        bool idle = WaitForInputIdle(handle, StartLimit) == 0;
        start.toIdle = (Seconds() - from) * 1e3;
        PROCESS_MEMORY_COUNTERS_EX counters = {};
        counters.cb = sizeof counters;
        bool measured = GetProcessMemoryInfo(handle, (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters);
        // Wine leaves PrivateUsage 0 for another process; its PagefileUsage, which Windows
        // reports equal to PrivateUsage, then stands for it.
        start.privateKb = (double)(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage) / 1024;
        measured = measured && start.privateKb > 0;
        bool checked = !check || check(window);
        double closeFrom = Seconds();
        PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(handle, StartLimit) == WAIT_OBJECT_0) {
            start.closing = (Seconds() - closeFrom) * 1e3;
            start.ok = idle && measured && checked;
        }
    }
    CloseHandle(handle);
    if (!start.ok)
        fprintf(stderr, "%s: a start failed (%s)\n", program.name,
                !window ? "no window shown" : start.closing == 0 ? "still running after WM_CLOSE"
                                                                 : "not idle, no memory figure or not the window expected");
    return start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The standard error of the median: the spread of the medians of resamples of the rounds.
// Robust to the odd slow start, which a normal approximation from the spread is not.
double MedianError(const std::vector<double> &values) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
    std::vector<double> medians, resample(values.size());
    for (int draw = 0; draw < BootstrapResamples; draw++) {
        for (double &value : resample) value = values[pick(random)];
        medians.push_back(Median(resample));
    }
    double mean = 0, squares = 0;
    for (double median : medians) mean += median / medians.size();
    for (double median : medians) squares += (median - mean) * (median - mean);
    return std::sqrt(squares / (medians.size() - 1));
}

std::vector<double> Column(const std::vector<std::vector<Start>> &rounds, size_t program, double Start::*figure) {
    std::vector<double> column;
    for (const std::vector<Start> &round : rounds) column.push_back(round[program].*figure);
    return column;
}

std::vector<double> Paired(const std::vector<double> &a, const std::vector<double> &b, bool ratio) {
    std::vector<double> paired;
    for (size_t round = 0; round < a.size(); round++) paired.push_back(ratio ? a[round] / b[round] : a[round] - b[round]);
    return paired;
}

unsigned long FileSize(const std::wstring &path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes);
    return attributes.nFileSizeLow;
}

// The twin is a fair yardstick only while it shows what the launcher shows: the same client
// area and the same buttons in the same places.
bool SameWindows(HWND launcher, HWND twin) {
    RECT a, b;
    GetClientRect(launcher, &a);
    GetClientRect(twin, &b);
    std::vector<SeenButton> ours = LauncherButtons(launcher), its = LauncherButtons(twin);
    bool same = EqualRect(&a, &b) && ours.size() == 6 && its.size() == 6 && LauncherMenuBar(launcher);
    for (size_t index = 0; same && index < ours.size(); index++)
        same = ours[index].text == its[index].text && EqualRect(&ours[index].place, &its[index].place);
    return same;
}

}  // namespace

int main(int argc, char **argv) {
    int rounds = DefaultRounds;
    if (argc > 1 && (rounds = atoi(argv[1])) <= 0) {
        fprintf(stderr, "usage: startup_bench [rounds]: rounds must be a positive number (default %d)\n", DefaultRounds);
        return 2;
    }
    // Both launchers show the six buttons of the same section: once alone in a tiny file,
    // once last in a file of the largest size the reader takes.
    std::string section = "[txt]\r\n";
    for (const wchar_t *title : Titles) section += ToCp1251(std::wstring(title) + L";prog;-open %1 -log %1\r\n");
    LauncherInstall tiny, largest;
    std::string filled = FillAhead(section, FileMaxSize);
    if (!WriteBytes(tiny.configPath(), section) || !WriteBytes(largest.configPath(), filled)) {
        fprintf(stderr, "cannot write the configuration files\n");
        return 2;
    }
    const std::wstring file = L"C:\\My Documents\\a.txt";
    const Program programs[] = {
        {"launcher", tiny.exe(), file, L"VELANDRIMOUR", L"Velandrimour"},
        {"minimal", ModuleDirectory() + L"\\minimal_window.exe", std::nullopt, L"MINIMAL_WINDOW", L"Minimal"},
        {"six-button twin", ModuleDirectory() + L"\\six_button_window.exe", std::nullopt, L"SIX_BUTTON_WINDOW",
         L"Six buttons"},
        {"launcher, largest file", largest.exe(), file, L"VELANDRIMOUR", L"Velandrimour"},
        // The checker as Explorer starts it, on the tiny file: its window shows the findings,
        // then draws the file's screens.
        {"checker window", ModuleDirectory() + L"\\..\\..\\velandrimour-check.exe", L"\"" + tiny.configPath() + L"\"",
         check::CheckWindowClass, nullptr, DETACHED_PROCESS},
    };
    const size_t Launcher = 0, Minimal = 1, Twin = 2, Largest = 3, Checker = 4, Programs = 5;

    // Warm each once, checking on the way that both launchers show the twin's window.
    HWND launcherWindow = nullptr;
    LauncherProcess shown(tiny.exe(), file);
    launcherWindow = shown.WaitForWindow(StartLimit);
    bool same = launcherWindow && StartOnce(programs[Twin], [&](HWND twin) { return SameWindows(launcherWindow, twin); }).ok;
    PostMessageW(launcherWindow, WM_CLOSE, 0, 0);
    bool closed = shown.WaitForExit(StartLimit).has_value();
    bool largestShown = StartOnce(programs[Largest], [](HWND window) { return LauncherButtons(window).size() == 6; }).ok;
    if (!same || !closed || !largestShown || !StartOnce(programs[Minimal]).ok || !StartOnce(programs[Checker]).ok) {
        fprintf(stderr, "the programs do not show the windows compared (twin as launcher: %s, largest file read: %s)\n",
                same ? "yes" : "no", largestShown ? "yes" : "no");
        return 2;
    }

    std::vector<std::vector<Start>> measured;
    int failed = 0;
    for (int round = 0; round < rounds; round++) {
        std::vector<Start> starts(Programs);
        bool ok = true;
        for (size_t turn = 0; turn < Programs; turn++) {
            size_t program = (round + turn) % Programs;
            starts[program] = StartOnce(programs[program]);
            ok = ok && starts[program].ok;
        }
        if (ok)
            measured.push_back(starts);
        else
            failed++;
    }
    if (measured.empty()) {
        fprintf(stderr, "every round failed\n");
        return 2;
    }

    printf("start-up, %d alternating rounds (%d failed, left out); each round starts the five below once, in an\n"
           "order rotating by one each round. Figures are medians over the rounds +- their standard error\n"
           "(bootstrap: standard deviation of the median over %d resamples of the rounds).\n\n",
           rounds, failed, BootstrapResamples);
    printf("%-24s %18s %18s %18s %10s\n", "", "start to window", "start to idle", "closing", "private");
    for (size_t program = 0; program < Programs; program++) {
        printf("%-24s", programs[program].name);
        for (double Start::*figure : {&Start::toWindow, &Start::toIdle, &Start::closing}) {
            std::vector<double> values = Column(measured, program, figure);
            printf(" %7.1f +- %4.1f ms", Median(values), MedianError(values));
        }
        printf(" %6.0f KiB\n", Median(Column(measured, program, &Start::privateKb)));
    }
    printf("start to window: process creation until its window is visible; to idle: until it waits for\n"
           "input with the window up; closing: WM_CLOSE posted until the process has exited; private:\n"
           "its private memory at idle (PrivateUsage, or PagefileUsage where Wine leaves that 0).\n\n");

    struct {
        const char *name;
        size_t numerator, denominator;
    } pairs[] = {{"launcher / minimal", Launcher, Minimal},
                 {"six-button twin / minimal", Twin, Minimal},
                 {"launcher / six-button twin", Launcher, Twin},
                 {"checker window / launcher", Checker, Launcher}};
    printf("paired start ratio (median of the per-round ratios)   to window            to idle\n");
    for (const auto &pair : pairs) {
        printf("  %-48s", pair.name);
        for (double Start::*figure : {&Start::toWindow, &Start::toIdle}) {
            std::vector<double> ratios =
                Paired(Column(measured, pair.numerator, figure), Column(measured, pair.denominator, figure), true);
            printf("   %.3f +- %.3f", Median(ratios), MedianError(ratios));
        }
        printf("\n");
    }

    double launcherKb = Median(Column(measured, Launcher, &Start::privateKb));
    double minimalKb = Median(Column(measured, Minimal, &Start::privateKb));
    double twinKb = Median(Column(measured, Twin, &Start::privateKb));
    printf("private memory: launcher / minimal %.3f, six-button twin / minimal %.3f\n", launcherKb / minimalKb,
           twinKb / minimalKb);

    printf("largest configuration (%zu bytes, wanted section last) against a tiny one (%zu bytes),\n"
           "the same six entries: extra start (median of the per-round differences)\n  ",
           filled.size(), section.size());
    for (double Start::*figure : {&Start::toWindow, &Start::toIdle}) {
        std::vector<double> extra = Paired(Column(measured, Largest, figure), Column(measured, Launcher, figure), false);
        printf("  to %s %+.2f +- %.2f ms", figure == &Start::toWindow ? "window" : "idle", Median(extra),
               MedianError(extra));
    }
    printf("\n");
    printf("executables: velandrimour.exe %lu bytes, minimal_window.exe %lu bytes, six_button_window.exe %lu bytes\n",
           FileSize(tiny.exe()), FileSize(programs[Minimal].image), FileSize(programs[Twin].image));
    return 0;
}
