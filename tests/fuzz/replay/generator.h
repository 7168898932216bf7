// The structure-aware generator of configuration files for the agreement check.
#pragma once

// Generates files from the seed, at least `files` of them and for at least `seconds`, and
// compares the checker with the launcher on each, counting the files of each kind of
// disagreement and keeping the first of each as failedFile.N. Prints the figures; returns 0
// without a disagreement.
int GenerateAndCompare(unsigned seed, unsigned files, unsigned seconds, const char *failedFile);
