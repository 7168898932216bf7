// libFuzzer entry for velandrimour-check: the whole-file check and --show over every input,
// so that no file makes the checker crash, overrun a buffer or hang.
#include "check/checker.h"
#include "targets.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    (void)argc, (void)argv;
    LocateConfigFile();
    return 0;
}

// The whole input is the file; its first byte also picks the path length "%1" stands for.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GlueSetConfigFile(CONFIG_PRESENT, data, size);
    check::ConfigImage image = check::ReadConfigImage();
    check::CheckConfig(image, {size ? data[0] % 128u : 100u});
    for (const wchar_t *argument : {L"", L"\\My Documents\\a.txt", L"a."}) check::FormatShown(check::Show(image, argument));
    return 0;
}
