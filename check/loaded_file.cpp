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

// Characters of the file's encoding, as an editor counts them; the byte-order mark is none.
int ConfigImage::ColumnOf(DWORD offset) const {
    size_t at = std::max<size_t>(editorLineStarts[LineOf(offset) - 1], MarkLength(encoding));
    int column = 1;
    for (; at < offset; column++) at += CharacterAt(loaded, at, encoding).length;
    return column;
}

int ConfigImage::LineStartingAt(DWORD start) const {
    auto found = std::lower_bound(lines.begin(), lines.end(), start,
                                  [](const SignificantLine &line, DWORD at) { return line.start < at; });
    return found != lines.end() && found->start == start ? (int)(found - lines.begin()) : -1;
}

namespace {

// Editors end a line at CR LF, at a lone CR and at a lone LF, each a character of the file's encoding.
std::vector<DWORD> EditorLineStarts(const std::string &bytes, Encoding encoding) {
    std::vector<DWORD> starts{0};
    for (size_t at = MarkLength(encoding); at < bytes.size();) {
        Character character = CharacterAt(bytes, at, encoding);
        at += character.length;
        if (!character.valid || (character.code != '\r' && character.code != '\n')) continue;
        if (character.code == '\r' && at < bytes.size() && CharacterAt(bytes, at, encoding).code == '\n')
            at += CharacterAt(bytes, at, encoding).length;
        starts.push_back((DWORD)at);
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

// The significant lines of the loaded bytes up to the count, as ReadLine delivers them; a line
// it refuses as too long is kept, and reading goes on past it.
void ReadLines(ConfigImage &image, DWORD count) {
    image.lines.clear();
    image.stopped = false;
    FileByteCount = count;
    FileReadPosition = 0;
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
            return;
        }
        image.lines.push_back({FileLineStart, FileReadPosition, LineBuffer});
    }
}

bool Same(const SignificantLine &a, const SignificantLine &b) {
    return a.start == b.start && a.text == b.text && a.tooLong == b.tooLong;
}

}  // namespace

ConfigImage ReadConfigImage() {
    ConfigImage image;
    try {
        LoadConfigFile();
    } catch (const Reported &report) {
        if (!report.Is(FileErrorCaption, FileSizeText)) throw CannotRead{OneLine(report.text)};
        image.tooLarge = true;
        image.sizeReport = report;
    }
    DWORD loaded = FileByteCount;
    image.loaded.assign((const char *)FileBuffer, loaded);
    image.encoding = EncodingOf(image.loaded);
    image.editorLineStarts = EditorLineStarts(image.loaded, image.encoding);
    ReadLines(image, loaded);
    DWORD cut = loaded;
    if (image.tooLarge) {
        // Over the size limit the launcher reads nothing; the checker goes on with the lines
        // that lie wholly within the limit: those that the bytes up to it give as the bytes it
        // read do. The line the limit cuts in two is no line of the file.
        ConfigImage whole = image;
        ReadLines(image, cut = FileMaxSize);
        size_t kept = 0;
        while (kept < image.lines.size() && kept < whole.lines.size() && Same(image.lines[kept], whole.lines[kept])) kept++;
        if (kept < whole.lines.size() && whole.lines[kept].start < FileMaxSize) {
            image.cutLine = whole.lines[kept].start;
            cut = kept ? image.lines[kept - 1].end : 0;
        }
        image.lines.resize(kept);
        image.stopped = whole.stopped && whole.stoppedAt < cut;
    }
    image.bytes.assign((const char *)FileBuffer, cut);
    return image;
}

}  // namespace check
