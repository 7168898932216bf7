// The launcher's procedures run over one piece of the loaded file, their reports caught.
#pragma once

#include "check/checker.h"

namespace check {

// The header FindSection stops at for a key (an index into the image's lines), or -1; and
// its report, when it makes one.
struct Match {
    int header = -1;
    std::optional<Reported> report;
};
Match FindFor(const ConfigImage &image, const std::wstring &key);

// ParseEntries over the bytes from start to end, for this key and file argument: the first
// slot it fills, or its report.
struct Parsed {
    LaunchEntry entry;
    std::optional<Reported> report;
};
Parsed ParseSection(DWORD start, DWORD end, const std::wstring &key, const std::wstring &argument);

// Lower case through the platform's call, the one FindSection uses.
std::wstring Lowered(std::wstring text);

}  // namespace check
