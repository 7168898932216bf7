/* libFuzzer entry for the RunArgumentInput target. */
#include "targets.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    (void)argc, (void)argv;
    FuzzSetUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    RunArgumentInput(data, size, NULL);
    return 0;
}
