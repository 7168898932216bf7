/* The three fuzzed procedures, shared by the native fuzz targets, the native replay and the
 * replay under Wine: each decodes one input, runs the program's own procedure over it, checks
 * the invariants and (when asked) describes the outcome in one canonical line. */
#ifndef FUZZ_TARGETS_H
#define FUZZ_TARGETS_H

#include <stddef.h>
#include <stdint.h>

#include "app/shell.h"
#include "config/config.h"
#include "registration/registration.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Room for a canonical outcome line (ASCII, \uXXXX escapes). */
#define OUTCOME_CAPACITY 65536

/* The state of the configuration file when the procedure opens it. */
typedef enum ConfigFileState { CONFIG_PRESENT, CONFIG_MISSING, CONFIG_LOCKED } ConfigFileState;

/* The last report, as the reporter was asked to show it (the three pieces joined). */
#define REPORT_TEXT_CAPACITY 4096
typedef struct FuzzReport {
    int configError; /* ReportConfigError rather than ReportFatal */
    WCHAR caption[REPORT_TEXT_CAPACITY];
    WCHAR text[REPORT_TEXT_CAPACITY];
} FuzzReport;
extern FuzzReport LastReport;

/* Provided by each build's glue. */
/* Runs the procedure; returns 1 when it left through a reporter (recorded in LastReport). */
int GlueGuardedCall(void (*procedure)(void));
/* Lays out the configuration file at ConfigPath for the next load. */
void GlueSetConfigFile(ConfigFileState state, const uint8_t *bytes, size_t size);
/* Undoes what GlueSetConfigFile holds (a lock) and checks the file was closed. */
void GlueEndInput(int reported);
/* Ends the run as a crash, naming the broken invariant. */
void GlueFail(const char *what) __attribute__((noreturn));

/* Once per process: ConfigPath from the executable's path. */
void FuzzSetUp(void);

/* The three targets; outcome may be NULL when no line is wanted. */
void RunEntriesInput(const uint8_t *data, size_t size, char *outcome);
void RunArgumentInput(const uint8_t *data, size_t size, char *outcome);
void RunCollectInput(const uint8_t *data, size_t size, char *outcome);

#ifdef __cplusplus
}
#endif

#endif /* FUZZ_TARGETS_H */
