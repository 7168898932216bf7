// The file in the launcher's buffers: LoadConfigFile reads it, ReadLine splits it, and the
// checker only notes where each significant line lies and how an editor numbers it.
#include "check/checker.h"
#include "check/launcher.h"
#include "base/text.h"

#include <algorithm>

namespace check {

int ConfigImage::LineOf(DWORD offset) const {
    return (int)(std::upper_bound(editorLineStarts.begin(), editorLineStarts.end(), offset) -
                 editorLineStarts.begin());
}

int ConfigImage::ColumnOf(DWORD offset) const { return (int)(offset - editorLineStarts[LineOf(offset) - 1]) + 1; }

int ConfigImage::LineEndingAt(DWORD end) const {
    for (size_t index = 0; index < lines.size(); index++)
        if (lines[index].end == end) return (int)index;
    return -1;
}

namespace {

// Editors end a line at CR LF, at a lone CR and at a lone LF.
std::vector<DWORD> EditorLineStarts(const std::string &bytes) {
    std::vector<DWORD> starts{0};
    for (size_t at = 0; at < bytes.size(); at++) {
        if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') at++;
        if (bytes[at] == '\r' || bytes[at] == '\n') starts.push_back((DWORD)at + 1);
    }
    return starts;
}

// ReadLine itself says where the line it just delivered begins: started from that offset it
// delivers the same line and ends at the same place, started one character later it does
// not. The line's end is at most two bytes (CR and the byte it drops) before the read position.
DWORD StartOfLine(DWORD from, DWORD end, const std::wstring &text) {
    std::wstring saved(LineBuffer);
    DWORD found = end - (DWORD)text.size();
    for (DWORD back = 0; back <= 2; back++) {
        if (end < text.size() + back || end - text.size() - back < from) break;
        DWORD candidate = end - (DWORD)text.size() - back;
        FileReadPosition = candidate;
        bool same = false;
        try {
            same = ReadLine() && FileReadPosition == end && text == LineBuffer;
        } catch (const Reported &) {
        }
        if (same) {
            found = candidate;
            break;
        }
    }
    CopyText(LineBuffer, saved.c_str());
    FileReadPosition = end;
    return found;
}

// Only to go on after a line the launcher refuses: past its end, CR and the byte after it,
// or a zero byte.
DWORD PastRawLine(DWORD at) {
    for (; at < FileByteCount; at++) {
        if (FileBuffer[at] == '\r') return std::min<DWORD>(at + 2, FileByteCount);
        if (FileBuffer[at] == 0) return at + 1;
    }
    return FileByteCount;
}

}  // namespace

ConfigImage OpenConfig(const std::wstring &path) {
    ConfigImage image;
    WCHAR full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2 || length >= ConfigPathCapacity)
        throw CannotRead{L"слишком длинный или неверный путь к файлу: " + path};
    // The launcher creates a missing file; the checker must not.
    DWORD attributes = GetFileAttributesW(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) throw CannotRead{L"файл не найден: " + path};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw CannotRead{L"это папка, а не файл: " + path};
    CopyText(ConfigPath, full);
    try {
        LoadConfigFile();
    } catch (const Reported &report) {
        if (FileByteCount <= FileMaxSize) throw CannotRead{OneLine(report.text)};
        // Over the size limit the launcher stops; the checker goes on with what fits.
        image.tooLarge = true;
        image.sizeReport = report;
        FileByteCount = FileMaxSize;
        FileReadPosition = 0;
    }
    image.bytes.assign((const char *)FileBuffer, FileByteCount);
    image.editorLineStarts = EditorLineStarts(image.bytes);

    for (;;) {
        DWORD from = FileReadPosition;
        bool read;
        try {
            read = ReadLine();
        } catch (const Reported &report) {
            // 511 characters are stored when the report comes.
            DWORD start = FileReadPosition - (DWORD)(LineMaxLength + 1);
            image.readFindings.push_back({image.LineOf(start), image.ColumnOf(start), Severity::Error, "long-line",
                                          OneLine(report.text)});
            FileReadPosition = PastRawLine(FileReadPosition);
            continue;
        }
        if (!read) {
            // A zero byte where a line would begin ends the reading, as the end of the data does.
            if (FileReadPosition < FileByteCount) {
                image.stopped = true;
                image.stoppedAt = FileReadPosition - 1;
            }
            break;
        }
        std::wstring text(LineBuffer);
        DWORD end = FileReadPosition;
        image.lines.push_back({StartOfLine(from, end, text), end, text});
    }
    return image;
}

}  // namespace check
