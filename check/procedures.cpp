// The launcher's procedures run over one piece of the loaded file, their reports caught.
#include "check/procedures.h"
#include "check/launcher.h"

namespace check {

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) CharLowerW(&text[0]);
    return text;
}

void SetSectionKey(const std::wstring &key) {
    size_t length = std::min(key.size(), SectionKeyCapacity - 1);
    key.copy(SectionKey, length);
    SectionKey[length] = 0;
}

Match FindFor(const ConfigImage &image, const std::wstring &key) {
    Match match;
    SetSectionKey(key);
    FileReadPosition = 0;
    try {
        if (FindSection()) match.header = image.LineEndingAt(FileReadPosition);
    } catch (const Reported &report) {
        match.report = report;
    }
    return match;
}

Parsed ParseSection(DWORD start, DWORD end, const std::wstring &key, const std::wstring &argument) {
    Parsed parsed{};
    DWORD byteCount = FileByteCount;
    FileByteCount = end;
    FileReadPosition = start;
    SetSectionKey(key);
    argument.copy(FileArgument, std::min(argument.size(), FileArgumentMaxLength));
    FileArgument[std::min(argument.size(), FileArgumentMaxLength)] = 0;
    EntryTable[0].Title[0] = 0;
    try {
        ParseEntries();
        parsed.entry = EntryTable[0];
    } catch (const Reported &report) {
        parsed.report = report;
    }
    FileByteCount = byteCount;
    return parsed;
}

}  // namespace check
