// The configuration file: where it lies, loading it whole, and its significant lines.
#include "config/config.h"
#include "platform/platform.h"
#include "base/report.h"
#include "base/text.h"

#include <wchar.h>

WCHAR ConfigPath[ConfigPathCapacity];
BYTE FileBuffer[FileBufferCapacity];
DWORD FileByteCount;
DWORD FileReadPosition;
DWORD FileLineStart;
WCHAR LineBuffer[LineCapacity];

namespace {

// The character a byte yields when the code page has none for it.
const WCHAR UnconvertibleByte = 0xFFFD;

// One byte of the device's code page as one UTF-16 character.
WCHAR ConvertByte(int byte)
{
    char single = static_cast<char>(byte);
    WCHAR wide;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &single, 1, &wide, 1) != 1)
        return UnconvertibleByte;
    return wide;
}

} // namespace

// Builds ConfigPath from the executable's own path; a path that does not fit is refused.
void LocateConfigFile()
{
    DWORD length = GetModuleFileNameW(NULL, ConfigPath, ConfigPathCapacity);

    // A path cut at the buffer's end has no trustworthy directory, nor always a terminator.
    ConfigPath[ConfigPathCapacity - 1] = L'\0';
    const WCHAR *backslash = wcsrchr(ConfigPath, L'\\');
    if (length >= ConfigPathCapacity || (backslash != NULL && backslash - ConfigPath > ConfigDirectoryMaxIndex))
        ReportFatal(PathCaption, LongExecutablePathText);
    if (ConfigPath[0] == L'\0' || backslash == NULL)
        ReportFatal(IniFileCaption, StrangeProgramNameText);
    ConfigPath[backslash - ConfigPath + 1] = L'\0';
    AppendText(ConfigPath, ConfigFileName);
}

// Reads the file whole into FileBuffer and rewinds the reader, or ends the program:
// a missing file is created empty and reported, never read.
void LoadConfigFile()
{
    HANDLE file = CreateFileW(ConfigPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, NULL);

    if (file == INVALID_HANDLE_VALUE) {
        file = CreateFileW(ConfigPath, GENERIC_WRITE, FILE_SHARE_WRITE, NULL, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
            ReportFatal(FileErrorCaption, OpenOrCreateFailedStart, ConfigPath, FileLockedEnd);
        CloseHandle(file);
        ReportConfigError(FileErrorCaption, MissingFileStart, ConfigPath, MissingFileEnd);
    }

    FileByteCount = 0;
    BOOL readOk = ReadFile(file, FileBuffer, FileBufferCapacity, &FileByteCount, NULL);
    // Closed before any report, so that the file is never left open.
    CloseHandle(file);
    if (!readOk)
        ReportFatal(FileErrorCaption, ReadFailedText, ReadLockedText);
    if (FileByteCount > FileMaxSize)
        ReportFatal(FileErrorCaption, FileSizeText, FileSizeLimitText);
    FileReadPosition = 0;
}

// The byte at the read position, sign-extended, advancing; 0 once the data is spent.
int NextByte()
{
    if (FileReadPosition >= FileByteCount)
        return 0;
    return static_cast<signed char>(FileBuffer[FileReadPosition++]);
}

// Places the next significant line in LineBuffer: leading spaces dropped, comments and
// empty lines skipped. Returns false at the end of the data or at a zero byte that
// begins a line. A line of 511 characters is reported before its end is seen.
bool ReadLine()
{
    for (;;) {
        size_t count = 0;
        for (;;) {
            if (count > LineMaxLength)
                ReportConfigError(IniFileCaption, LongLineText);
            int byte = NextByte();
            if (byte == '\r') {
                NextByte();
                break;
            }
            if (byte == 0) {
                if (count > 0)
                    break;
                return false;
            }
            if (byte == ' ' && count == 0)
                continue;
            if (count == 0)
                FileLineStart = FileReadPosition - 1;
            LineBuffer[count++] = ConvertByte(byte);
        }
        LineBuffer[count] = L'\0';
        if (count > 0 && LineBuffer[0] != L';')
            return true;
    }
}
