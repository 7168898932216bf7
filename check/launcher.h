// The launcher's procedures and program-wide state as the checker drives them: its headers,
// the one place where its state is saved and put back, and its procedures run over one piece
// of the loaded file with their reports caught.
#pragma once

#include "base/report.h"
#include "check/checker.h"
#include "config/config.h"
#include "registration/registration.h"

#include <map>
#include <memory>

namespace check {

// The launcher's program-wide state, saved when made and put back when it goes: whatever the
// checker drives inside its lifetime leaves nothing behind for what runs after.
class SavedLauncherState {
public:
    SavedLauncherState();
    ~SavedLauncherState();
    SavedLauncherState(const SavedLauncherState &) = delete;
    SavedLauncherState &operator=(const SavedLauncherState &) = delete;

private:
    struct State;
    std::unique_ptr<State> saved_;
};

// What FindSection does for a key over the loaded file: its report, if it makes one, and the
// header it stops at (an index into the image's lines) once every too-long line it meets is
// mended, as the checker goes on past such a line; or the missing-section report then.
struct SectionFound {
    int header = -1;
    std::optional<Reported> report;
    std::vector<int> longLines;  // the too-long lines it reads, each its own report
    std::optional<Reported> missing;
};
SectionFound SectionFoundBy(const ConfigImage &image, const std::wstring &key);

// The lines after a header that ParseEntries reads, [header + 1, end), and those of them that
// fill a slot. A too-long line, which the checker reads past as if it were mended, fills one
// unless it is a comment; it is never a header.
struct SectionLines {
    int end = 0;
    std::vector<int> slots;
};
// For every header of the image, by its index; FileBuffer is put back afterwards.
std::map<int, SectionLines> LinesOfSections(const ConfigImage &image, const std::vector<int> &headers);

// The image's bytes with each too-long line mended and every other line where it was: a
// comment stays one, any other becomes an entry line that fills a slot.
std::string MendedBytes(const ConfigImage &image);

// CollectExtensions over MendedBytes, as the checker goes on past a too-long line: the
// launcher's own pass reads a copy in the temporary folder, which ConfigPath names meanwhile;
// FileBuffer is put back afterwards. False, having collected nothing, when no copy can be made.
bool CollectExtensionsMended(const ConfigImage &image);

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
