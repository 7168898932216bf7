// libFuzzer entry for velandrimour-check: the whole-file check and --show over every input,
// so that no file makes the checker crash, overrun a buffer or hang.
#include "check/checker.h"
#include "targets.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    (void)argc, (void)argv;
    LocateConfigFile();
    return 0;
}

// The whole input is the file; its first byte also picks the path length "%1" stands for and
// the start that --show shows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const wchar_t *const arguments[] = {L"", L"\\My Documents\\a.txt", L"a.", L"a.*"};
    GlueSetConfigFile(CONFIG_PRESENT, data, size);
    check::ConfigImage image = check::ReadConfigImage();
    unsigned choice = size ? data[0] : 0;
    check::CheckConfig(image, {choice % 128});
    check::FormatShown(check::Show(image, arguments[choice / 128 * 2 + choice % 2]));
    return 0;
}
