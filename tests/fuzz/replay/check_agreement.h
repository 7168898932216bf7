/* velandrimour-check against the launcher, in the replay under Wine only. */
#ifndef CHECK_AGREEMENT_H
#define CHECK_AGREEMENT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#include <set>
#include <string>
/* Compares the checker with the launcher over one generated file; the kinds of disagreement
 * it shows (none when they agree), the first of which it prints. */
std::set<std::string> CheckAgreementFile(const std::string &name, const std::string &bytes, unsigned pathLength);
#endif

/* Compares the checker with the launcher over one input; ends the process on a disagreement. */
void CheckAgreementInput(const char *inputPath, const uint8_t *data, size_t size);
/* Prints how many inputs and comparisons there were. */
void CheckAgreementSummary(void);

#endif
