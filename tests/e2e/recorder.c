/* A program for the launcher to start: it appends what it was started with to started.log
 * beside itself, one line per start, in UTF-8: the command line its wWinMain received, a
 * tab, the whole process command line, a tab, its own path. */
#include <windows.h>
#include <wchar.h>

#define PATH_CAPACITY 1024
#define LINE_CAPACITY 4096
#define LOG_NAME L"started.log"

static void Append(WCHAR *line, size_t *used, const WCHAR *text)
{
    size_t length = wcslen(text);
    if (*used + length >= LINE_CAPACITY)
        length = LINE_CAPACITY - 1 - *used;
    wmemcpy(line + *used, text, length);
    *used += length;
    line[*used] = 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand)
{
    static WCHAR module[PATH_CAPACITY], logPath[PATH_CAPACITY + 16], line[LINE_CAPACITY];
    static char bytes[LINE_CAPACITY * 3];
    size_t used = 0;
    WCHAR *backslash;
    HANDLE log = INVALID_HANDLE_VALUE;
    DWORD written;
    int size, attempt;
    (void)instance; (void)previous; (void)showCommand;

    GetModuleFileNameW(NULL, module, PATH_CAPACITY);
    wcscpy(logPath, module);
    backslash = wcsrchr(logPath, L'\\');
    wcscpy(backslash ? backslash + 1 : logPath, LOG_NAME);

    Append(line, &used, commandLine);
    Append(line, &used, L"\t");
    Append(line, &used, GetCommandLineW());
    Append(line, &used, L"\t");
    Append(line, &used, module);
    Append(line, &used, L"\n");
    size = WideCharToMultiByte(CP_UTF8, 0, line, (int)used, bytes, sizeof bytes, NULL, NULL);

    /* Another recorder may be writing just now. */
    for (attempt = 0; attempt < 200 && log == INVALID_HANDLE_VALUE; attempt++) {
        log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (log == INVALID_HANDLE_VALUE)
            Sleep(10);
    }
    if (log == INVALID_HANDLE_VALUE)
        return 2;
    WriteFile(log, bytes, (DWORD)size, &written, NULL);
    CloseHandle(log);
    return 0;
}
