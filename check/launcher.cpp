// The launcher's procedures run over one piece of the loaded file, their reports caught, and
// its program-wide state saved and put back.
#include "check/launcher.h"
#include "base/text.h"

#include <cstring>

namespace check {

struct SavedLauncherState::State {
    WCHAR fileArgument[FileArgumentCapacity];
    WCHAR configPath[ConfigPathCapacity];
    BYTE fileBuffer[FileBufferCapacity];
    DWORD fileByteCount, fileReadPosition, fileLineStart;
    WCHAR lineBuffer[LineCapacity];
    WCHAR sectionKey[SectionKeyCapacity];
    LaunchEntry entryTable[EntrySlots];
    WCHAR extensionList[ExtensionListCapacity];
    ptrdiff_t extensionCursor;
    const WCHAR *currentExtension;
};

SavedLauncherState::SavedLauncherState() : saved_(new State) {
    State &s = *saved_;
    std::memcpy(s.fileArgument, FileArgument, sizeof FileArgument);
    std::memcpy(s.configPath, ConfigPath, sizeof ConfigPath);
    std::memcpy(s.fileBuffer, FileBuffer, sizeof FileBuffer);
    s.fileByteCount = FileByteCount;
    s.fileReadPosition = FileReadPosition;
    s.fileLineStart = FileLineStart;
    std::memcpy(s.lineBuffer, LineBuffer, sizeof LineBuffer);
    std::memcpy(s.sectionKey, SectionKey, sizeof SectionKey);
    std::memcpy(s.entryTable, EntryTable, sizeof EntryTable);
    std::memcpy(s.extensionList, ExtensionList, sizeof ExtensionList);
    s.extensionCursor = ExtensionCursor - ExtensionList;
    s.currentExtension = CurrentExtension;
}

SavedLauncherState::~SavedLauncherState() {
    const State &s = *saved_;
    std::memcpy(FileArgument, s.fileArgument, sizeof FileArgument);
    std::memcpy(ConfigPath, s.configPath, sizeof ConfigPath);
    std::memcpy(FileBuffer, s.fileBuffer, sizeof FileBuffer);
    FileByteCount = s.fileByteCount;
    FileReadPosition = s.fileReadPosition;
    FileLineStart = s.fileLineStart;
    std::memcpy(LineBuffer, s.lineBuffer, sizeof LineBuffer);
    std::memcpy(SectionKey, s.sectionKey, sizeof SectionKey);
    std::memcpy(EntryTable, s.entryTable, sizeof EntryTable);
    std::memcpy(ExtensionList, s.extensionList, sizeof ExtensionList);
    ExtensionCursor = ExtensionList + s.extensionCursor;
    CurrentExtension = s.currentExtension;
}

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) CharLowerW(&text[0]);
    return text;
}

SectionFound SectionFoundBy(const ConfigImage &image, const std::wstring &key) {
    SectionFound found;
    CopyText(SectionKey, key.c_str());
    FileByteCount = (DWORD)image.bytes.size();
    FileReadPosition = 0;
    for (;;) {
        try {
            if (FindSection()) found.header = image.LineStartingAt(FileLineStart);
            return found;
        } catch (const Reported &report) {
            if (!found.report) found.report = report;
            int line = image.LineStartingAt(FileLineStart);
            if (!report.Is(IniFileCaption, LongLineText) || line < 0) {
                found.missing = report;
                return found;
            }
            // FindSection goes on from the read position: past the line, as if it were mended.
            found.longLines.push_back(line);
            FileReadPosition = image.lines[line].end;
        }
    }
}

Parsed ParseSection(DWORD start, DWORD end, const std::wstring &key, const std::wstring &argument) {
    Parsed parsed{};
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
    return parsed;
}

}  // namespace check
