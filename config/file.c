/* The configuration file: where it lies, loading it whole, and its significant lines. */
#include "config/config.h"
#include "app/shell.h"

WCHAR ConfigPath[CONFIG_PATH_CAPACITY];
BYTE FileBuffer[FILE_BUFFER_CAPACITY];
DWORD FileByteCount;
DWORD FileReadPosition;
WCHAR LineBuffer[LINE_CAPACITY];

/* The character a byte yields when the code page has none for it. */
#define UNCONVERTIBLE_BYTE 0xFFFD

/* Appends within the buffer's capacity, cutting what does not fit. */
void AppendText(WCHAR *buffer, size_t capacity, const WCHAR *text)
{
    size_t used = wcslen(buffer);
    if (used + 1 < capacity)
        wcsncat(buffer, text, capacity - 1 - used);
}

/* Builds ConfigPath from the executable's own path; a path that does not fit is refused. */
void LocateConfigFile(void)
{
    DWORD length = GetModuleFileNameW(NULL, ConfigPath, CONFIG_PATH_CAPACITY);
    const WCHAR *backslash;
    size_t directoryLength;

    /* A path cut at the buffer's end has no trustworthy directory, nor always a terminator. */
    ConfigPath[CONFIG_PATH_CAPACITY - 1] = L'\0';
    if (length >= CONFIG_PATH_CAPACITY)
        ReportFatal(L"Path", L"Слишком длинный путь к exe-файлу.", L"", L"");
    backslash = wcsrchr(ConfigPath, L'\\');
    if (ConfigPath[0] == L'\0' || backslash == NULL)
        ReportFatal(L"INI-file", L"Странное название у программы.", L"", L"");
    if (backslash - ConfigPath > CONFIG_DIRECTORY_MAX_INDEX)
        ReportFatal(L"Path", L"Слишком длинный путь к exe-файлу.", L"", L"");
    directoryLength = (size_t)(backslash - ConfigPath) + 1;
    ConfigPath[directoryLength] = L'\0';
    AppendText(ConfigPath, CONFIG_PATH_CAPACITY, CONFIG_FILE_NAME);
}

/* Reads the file whole into FileBuffer and rewinds the reader, or ends the program:
 * a missing file is created empty and reported, never read. */
void LoadConfigFile(void)
{
    HANDLE file = CreateFileW(ConfigPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, NULL);
    BOOL readOk;

    if (file == INVALID_HANDLE_VALUE) {
        file = CreateFileW(ConfigPath, GENERIC_WRITE, FILE_SHARE_WRITE, NULL, CREATE_NEW,
            FILE_ATTRIBUTE_NORMAL, NULL);
        if (file == INVALID_HANDLE_VALUE)
            ReportFatal(L"File error", L"Фатальная ошибка открытия/создания файла \n\r", ConfigPath,
                L". \n\rВероятно доступ заблокирован другой программой.");
        CloseHandle(file);
        ReportConfigError(L"File error", L"Осутствует файл \n\r", ConfigPath, L".\n\rФайл создан заново.");
    }

    FileByteCount = 0;
    readOk = ReadFile(file, FileBuffer, FILE_BUFFER_CAPACITY, &FileByteCount, NULL);
    /* Closed before any report, so that the file is never left open. */
    CloseHandle(file);
    if (!readOk)
        ReportFatal(L"File error", L"Ошибка чтения из файла velandrimour.ini.\n\r",
            L"Вероятно доступ заблокирован другой программой.", L"");
    if (FileByteCount > FILE_MAX_SIZE)
        ReportFatal(L"File error", L"Размер файла velandrimour.ini ", L"должен быть менее 16Кб.", L"");
    FileReadPosition = 0;
}

/* The byte at the read position, sign-extended, advancing; 0 once the data is spent. */
int NextByte(void)
{
    if (FileReadPosition >= FileByteCount)
        return 0;
    return (signed char)FileBuffer[FileReadPosition++];
}

/* One byte of the device's code page as one UTF-16 character. */
static WCHAR ConvertByte(int byte)
{
    char single = (char)byte;
    WCHAR wide;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &single, 1, &wide, 1) != 1)
        return UNCONVERTIBLE_BYTE;
    return wide;
}

/* Places the next significant line in LineBuffer: leading spaces dropped, comments and
 * empty lines skipped. Returns FALSE at the end of the data or at a zero byte that
 * begins a line. A line of 511 characters is reported before its end is seen. */
BOOL ReadLine(void)
{
    for (;;) {
        size_t count = 0;
        for (;;) {
            int byte;
            if (count > LINE_MAX_LENGTH)
                ReportConfigError(L"INI-file", L"Слишком длинная строка в ИНИ-файле", L"", L"");
            byte = NextByte();
            if (byte == '\r') {
                NextByte();
                break;
            }
            if (byte == 0) {
                if (count > 0)
                    break;
                return FALSE;
            }
            if (byte == ' ' && count == 0)
                continue;
            LineBuffer[count++] = ConvertByte(byte);
        }
        LineBuffer[count] = L'\0';
        if (count > 0 && LineBuffer[0] != L';')
            return TRUE;
    }
}
