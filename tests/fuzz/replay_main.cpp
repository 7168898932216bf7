/* Replays a list of inputs through the three targets and writes one canonical outcome line
 * per input and target, so that the native build and the build under Wine can be compared
 * line by line. With --tables it writes the conversion of the device's code page (1251) and the
 * lower case instead.
 *   replay LIST-FILE OUT-FILE      (LIST-FILE: one input path a line)
 *   replay --tables OUT-FILE
 *   replay --generate SEED FILES SECONDS FAILED-FILE   (under Wine: the checker's generator) */
#include "targets.h"
#ifdef REPLAY_CHECK_AGREEMENT
#include "check_agreement.h"
#include "generator.h"
#endif

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define INPUT_CAPACITY (1u << 20)
static uint8_t Input[INPUT_CAPACITY];
static char Outcome[OUTCOME_CAPACITY];

static int WriteTables(FILE *out) {
    for (int byte = 0; byte < 256; byte++) {
        char narrow = (char)byte;
        WCHAR wide = 0x5555;
        int count = MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &narrow, 1, &wide, 1);
        fprintf(out, "code page %02X -> %d %04X\n", byte, count, (unsigned)wide);
    }
    static const unsigned ranges[][2] = {{0x0001, 0x017F}, {0x0400, 0x052F}};
    for (int range = 0; range < 2; range++) {
        for (unsigned character = ranges[range][0]; character <= ranges[range][1]; character++) {
            WCHAR text[2] = {(WCHAR)character, 0};
            CharLowerW(text);
            fprintf(out, "lower %04X -> %04X\n", character, (unsigned)text[0]);
        }
    }
    return 0;
}

int main(int argc, char **argv) {
#ifdef _WIN32
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
#ifdef REPLAY_CHECK_AGREEMENT
    if (argc == 6 && strcmp(argv[1], "--generate") == 0) {
        FuzzSetUp();
        return GenerateAndCompare((unsigned)strtoul(argv[2], NULL, 10), (unsigned)strtoul(argv[3], NULL, 10),
                                  (unsigned)strtoul(argv[4], NULL, 10), argv[5]);
    }
#endif
    if (argc != 3) {
        fprintf(stderr, "usage: replay LIST-FILE OUT-FILE | replay --tables OUT-FILE\n");
        return 2;
    }
    FILE *out = fopen(argv[2], "wb");
    if (!out) {
        fprintf(stderr, "replay: cannot write %s\n", argv[2]);
        return 2;
    }
    if (strcmp(argv[1], "--tables") == 0) {
        WriteTables(out);
        return fclose(out) == 0 ? 0 : 2;
    }
    FILE *list = fopen(argv[1], "rb");
    if (!list) {
        fprintf(stderr, "replay: cannot read %s\n", argv[1]);
        return 2;
    }
    FuzzSetUp();
    static char path[4096];
    unsigned count = 0;
    while (fgets(path, sizeof path, list)) {
        path[strcspn(path, "\r\n")] = 0;
        if (!path[0]) continue;
        FILE *file = fopen(path, "rb");
        if (!file) {
            fprintf(stderr, "replay: cannot read %s\n", path);
            return 2;
        }
        size_t size = fread(Input, 1, INPUT_CAPACITY, file);
        fclose(file);
        RunEntriesInput(Input, size, Outcome);
        fprintf(out, "%u %s\n", count, Outcome);
        RunArgumentInput(Input, size, Outcome);
        fprintf(out, "%u %s\n", count, Outcome);
        RunCollectInput(Input, size, Outcome);
        fprintf(out, "%u %s\n", count, Outcome);
#ifdef REPLAY_CHECK_AGREEMENT
        CheckAgreementInput(path, Input, size);
#endif
        count++;
    }
    fclose(list);
    fprintf(stderr, "replay: %u inputs\n", count);
#ifdef REPLAY_CHECK_AGREEMENT
    CheckAgreementSummary();
#endif
    return fclose(out) == 0 ? 0 : 2;
}
