// Prints how long LoadEntries takes on the worst configuration: a file of 16383 bytes
// whose matching section is found last, six entries with substitutions.
#include "app/shell.h"
#include "base/text.h"
#include "support/test_support.h"
#include "worst_case_config.h"

#include <cstdio>

namespace {

std::string WorstCaseFile() {
    std::string tail = "[txt]\r\n";
    for (int slot = 1; slot <= 6; slot++)
        tail += ToCp1251(L"Кнопка " + std::to_wstring(slot) + L";\\Program Files\\Программа\\prog;-open %1 -log %1\r\n");
    return FillAhead(tail, FileMaxSize);
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1e6 / (double)frequency.QuadPart;
}

}  // namespace

int main(int argc, char **argv) {
    int loads = argc > 1 ? atoi(argv[1]) : 2000;
    ScratchDir scratch;
    std::wstring path = scratch.file(L"velandrimour.ini");
    std::string bytes = WorstCaseFile();
    if (bytes.size() != FileMaxSize || !WriteBytes(path, bytes)) {
        fprintf(stderr, "could not write the file (%zu bytes)\n", bytes.size());
        return 2;
    }
    ConfigPath[0] = L'\0';
    AppendText(ConfigPath, path.c_str());
    SetFileArgument(L"\\My Documents\\a.TXT");

    if (std::optional<Reported> report = ReportOf([] { LoadEntries(); })) {
        fprintf(stderr, "the file was refused\n");
        return 2;
    }
    if (wcscmp(EntryTable[5].Title, L"Кнопка 6") != 0) {
        fprintf(stderr, "the last section was not found\n");
        return 2;
    }

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int load = 0; load < loads; load++) LoadEntries();
    QueryPerformanceCounter(&end);
    double entries = Microseconds(start, end) / loads;

    QueryPerformanceCounter(&start);
    for (int load = 0; load < loads; load++) LoadConfigFile();
    QueryPerformanceCounter(&end);
    double fileOnly = Microseconds(start, end) / loads;

    printf("config load, worst case (%zu bytes, matching section last, 6 entries), %d loads:\n", bytes.size(), loads);
    printf("  LoadEntries     %8.1f us per load\n", entries);
    printf("  LoadConfigFile  %8.1f us per load (open, read, close only)\n", fileOnly);
    return 0;
}
