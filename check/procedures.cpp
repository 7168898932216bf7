// The launcher's procedures run over one piece of the loaded file, their reports caught.
#include "check/procedures.h"
#include "check/launcher.h"
#include "base/text.h"

namespace check {

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) CharLowerW(&text[0]);
    return text;
}

Match FindFor(const ConfigImage &image, const std::wstring &key) {
    Match match;
    CopyText(SectionKey, key.c_str());
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
    CopyText(SectionKey, key.c_str());
    CopyText(FileArgument, argument.c_str());
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
