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

std::map<int, SectionLines> LinesOfSections(const ConfigImage &image, const std::vector<int> &headers) {
    std::map<int, SectionLines> sections;
    for (int header : headers) {
        // ParseEntries itself over the section's lines mended: each entry line one that always
        // fills a slot, a comment one it passes over, a header one that ends the section.
        std::string mended;
        std::vector<DWORD> starts;
        for (int index = header + 1; index < (int)image.lines.size(); index++) {
            const SignificantLine &line = image.lines[index];
            const char *as = line.header() ? "[\r\n" : line.tooLong && line.text[0] == L';' ? ";\r\n" : "M;;\r\n";
            if (mended.size() + std::strlen(as) > FileBufferCapacity) break;
            starts.push_back((DWORD)mended.size());
            mended += as;
            if (line.header()) break;
        }
        std::memcpy(FileBuffer, mended.data(), mended.size());
        FileByteCount = (DWORD)mended.size();
        FileReadPosition = 0;
        try {
            ParseEntries();
        } catch (const Reported &) {
            // A section without entries; where ParseEntries stopped tells as well.
        }
        // The lines that begin before where it stopped are the ones it read.
        SectionLines &lines = sections[header];
        lines.end = header + 1;
        for (size_t at = 0; at < starts.size() && starts[at] < FileReadPosition; at++, lines.end++)
            if (mended[starts[at]] == 'M') lines.slots.push_back(lines.end);
    }
    std::memcpy(FileBuffer, image.bytes.data(), image.bytes.size());
    FileByteCount = (DWORD)image.bytes.size();
    return sections;
}

std::string MendedBytes(const ConfigImage &image) {
    std::string bytes = image.bytes;
    for (const SignificantLine &line : image.lines)
        if (line.tooLong) {
            // ReadLine drops the spaces before a line, whatever their number: they keep the room.
            std::string mended = line.text[0] == L';' ? ";\r\n" : "M;;\r\n";
            mended.resize(line.end - line.start, ' ');
            bytes.replace(line.start, mended.size(), mended);
        }
    return bytes;
}

bool CollectExtensionsMended(const ConfigImage &image) {
    WCHAR folder[MAX_PATH + 1], copy[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"vck", 0, copy)) return false;
    // Whatever comes of it, even a report, the launcher's file and buffer are put back and the copy goes.
    struct PutBack {
        const ConfigImage &image;
        std::wstring configPath;
        const WCHAR *copy;
        ~PutBack() {
            CopyText(ConfigPath, configPath.c_str());
            std::memcpy(FileBuffer, image.bytes.data(), image.bytes.size());
            FileByteCount = (DWORD)image.bytes.size();
            DeleteFileW(copy);
        }
    } putBack{image, ConfigPath, copy};
    std::string bytes = MendedBytes(image);
    HANDLE file = CreateFileW(copy, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool whole = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    if (!whole || !CopyText(ConfigPath, copy)) return false;
    CollectExtensions();
    return true;
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
