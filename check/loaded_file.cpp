// The file in the launcher's buffers: LoadConfigFile reads it, ReadLine splits it and says
// where each line began, and the checker only notes how an editor numbers the lines.
#include "check/launcher.h"
#include "base/text.h"

#include <algorithm>

namespace check {

int ConfigImage::LineOf(DWORD offset) const {
    return (int)(std::upper_bound(editorLineStarts.begin(), editorLineStarts.end(), offset) -
                 editorLineStarts.begin());
}

int ConfigImage::ColumnOf(DWORD offset) const { return (int)(offset - editorLineStarts[LineOf(offset) - 1]) + 1; }

int ConfigImage::LineStartingAt(DWORD start) const {
    auto found = std::lower_bound(lines.begin(), lines.end(), start,
                                  [](const SignificantLine &line, DWORD at) { return line.start < at; });
    return found != lines.end() && found->start == start ? (int)(found - lines.begin()) : -1;
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

ConfigImage ReadConfigImage() {
    ConfigImage image;
    try {
        LoadConfigFile();
    } catch (const Reported &report) {
        if (!report.Is(FileErrorCaption, FileSizeText)) throw CannotRead{OneLine(report.text)};
        // Over the size limit the launcher stops; the checker goes on with what fits.
        image.tooLarge = true;
        image.sizeReport = report;
        FileByteCount = FileMaxSize;
        FileReadPosition = 0;
    }
    image.bytes.assign((const char *)FileBuffer, FileByteCount);
    image.editorLineStarts = EditorLineStarts(image.bytes);

    for (;;) {
        bool read;
        try {
            read = ReadLine();
        } catch (const Reported &) {
            LineBuffer[LineMaxLength + 1] = 0;
            FileReadPosition = PastRawLine(FileReadPosition);
            image.lines.push_back({FileLineStart, FileReadPosition, LineBuffer, true});
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
        image.lines.push_back({FileLineStart, FileReadPosition, LineBuffer});
    }
    return image;
}

}  // namespace check
