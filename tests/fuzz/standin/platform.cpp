/* The native fuzz build's platform: the configuration file as an in-memory image behind the
 * file calls, the code page 1251 conversion, the platform's lower case, and the two reporters,
 * which record the report and leave the procedure under test. Message boxes and process
 * starts belong to the reporters alone, so the code under test calling them is a failure. */
#include <windows.h>

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

#include "app/shell.h"
#include "cp1251_table.h"
#include "targets.h"

static DWORD LastError;

DWORD WINAPI GetLastError(void) { return LastError; }
void WINAPI SetLastError(DWORD error) { LastError = error; }

/* ---------------------------------------------------------------- the executable's path */

static const WCHAR ModulePath[] = L"\\Program Files\\Velandrimour\\velandrimour.exe";

/* As the platform does: truncated and terminated when the room is too small. */
DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR name, DWORD size) {
    if (module != NULL) GlueFail("GetModuleFileNameW for another module");
    DWORD length = (DWORD)(sizeof ModulePath / sizeof ModulePath[0] - 1);
    if (size == 0) return 0;
    if (length >= size) {
        memcpy(name, ModulePath, (size - 1) * sizeof(WCHAR));
        name[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    memcpy(name, ModulePath, (length + 1) * sizeof(WCHAR));
    return length;
}

/* ---------------------------------------------------------------- the file */

#define IMAGE_CAPACITY (1u << 20)
static unsigned char Image[IMAGE_CAPACITY];
static size_t ImageSize;
static int ImageExists, ImageLocked;

/* One open handle at a time: the reader never holds two. */
static struct OpenFile {
    int open;
    int forReading;
    size_t offset;
} OpenFile;
#define FILE_HANDLE ((HANDLE)(UINT_PTR)0x4649)

HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templateFile) {
    (void)shareMode, (void)security, (void)flags, (void)templateFile;
    if (OpenFile.open) GlueFail("a second file opened while the first is open");
    if (wcscmp(name, ConfigPath) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    switch (disposition) {
    case OPEN_EXISTING:
        if (!ImageExists || ImageLocked) {
            SetLastError(ImageLocked ? ERROR_SHARING_VIOLATION : ERROR_FILE_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        break;
    case CREATE_NEW:
        if (ImageExists) {
            SetLastError(ERROR_FILE_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
        ImageExists = 1;
        ImageSize = 0;
        break;
    default:
        GlueFail("CreateFileW with a disposition the reader does not use");
    }
    OpenFile.open = 1;
    OpenFile.forReading = (access & GENERIC_READ) != 0;
    OpenFile.offset = 0;
    return FILE_HANDLE;
}

BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped) {
    if (file != FILE_HANDLE || !OpenFile.open) GlueFail("ReadFile on a handle that is not open");
    if (overlapped) GlueFail("ReadFile with an OVERLAPPED");
    if (!OpenFile.forReading) {
        SetLastError(ERROR_ACCESS_DENIED);
        if (read) *read = 0;
        return FALSE;
    }
    size_t left = ImageSize - OpenFile.offset;
    size_t count = toRead < left ? toRead : left;
    memcpy(buffer, Image + OpenFile.offset, count);
    OpenFile.offset += count;
    *read = (DWORD)count;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, LPOVERLAPPED overlapped) {
    (void)buffer, (void)toWrite, (void)written, (void)overlapped, (void)file;
    GlueFail("the reader writes to a file");
}

DWORD WINAPI GetTempPathW(DWORD, LPWSTR) { return 0; }
UINT WINAPI GetTempFileNameW(LPCWSTR, LPCWSTR, UINT, LPWSTR) { GlueFail("a temporary file asked for"); }
BOOL WINAPI DeleteFileW(LPCWSTR) { GlueFail("a file deleted"); }

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD high) {
    if (file != FILE_HANDLE || !OpenFile.open) GlueFail("GetFileSize on a handle that is not open");
    if (high) *high = 0;
    return (DWORD)ImageSize;
}

BOOL WINAPI CloseHandle(HANDLE object) {
    if (object != FILE_HANDLE || !OpenFile.open) GlueFail("CloseHandle on a handle that is not open");
    OpenFile.open = 0;
    return TRUE;
}

void GlueSetConfigFile(ConfigFileState state, const uint8_t *bytes, size_t size) {
    if (size > IMAGE_CAPACITY) size = IMAGE_CAPACITY;
    memcpy(Image, bytes, size);
    ImageSize = size;
    ImageExists = state != CONFIG_MISSING;
    ImageLocked = state == CONFIG_LOCKED;
    OpenFile.open = 0;
}

void GlueEndInput(int reported) {
    /* A reporter ends the program, open file or not; every other path has closed it. */
    if (!reported && OpenFile.open) GlueFail("the configuration file left open");
    OpenFile.open = 0;
}

/* ---------------------------------------------------------------- code page and case */

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide, int wideCount) {
    if (codePage != CP_ACP && codePage != 1251) GlueFail("MultiByteToWideChar with another code page");
    if (flags & ~(DWORD)(MB_ERR_INVALID_CHARS | MB_PRECOMPOSED)) GlueFail("MultiByteToWideChar with other flags");
    if (byteCount < 0) byteCount = (int)strlen(bytes) + 1;
    if (wideCount == 0) return byteCount;
    if (wideCount < byteCount) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (int index = 0; index < byteCount; index++) wide[index] = Cp1251ToUtf16[(unsigned char)bytes[index]];
    return byteCount;
}

/* The platform's lower case for the Latin and Cyrillic letters, as Wine's CharLowerW folds
 * them (the replay compares the two over U+0000-U+017F and U+0400-U+052F). */
static WCHAR LowerCharacter(WCHAR c) {
    if ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return (WCHAR)(c + 0x20);
    if ((c >= 0x100 && c <= 0x137 && c != 0x130) || (c >= 0x14A && c <= 0x177))
        return (WCHAR)(c % 2 == 0 ? c + 1 : c);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (WCHAR)(c % 2 == 1 ? c + 1 : c);
    if (c == 0x178) return 0xFF;
    if (c >= 0x400 && c <= 0x40F) return (WCHAR)(c + 0x50);
    if (c >= 0x410 && c <= 0x42F) return (WCHAR)(c + 0x20);
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
        return (WCHAR)(c % 2 == 0 ? c + 1 : c);
    if (c == 0x4C0) return 0x4CF;
    if (c >= 0x4C1 && c <= 0x4CE) return (WCHAR)(c % 2 == 1 ? c + 1 : c);
    return c;
}

/* A pointer below 0x10000 is one character in its low word, as on the platform. */
LPWSTR WINAPI CharLowerW(LPWSTR text) {
    if (((UINT_PTR)text >> 16) == 0) return (LPWSTR)(UINT_PTR)LowerCharacter((WCHAR)(UINT_PTR)text);
    for (WCHAR *at = text; *at; at++) *at = LowerCharacter(*at);
    return text;
}

DWORD WINAPI CharLowerBuffW(LPWSTR text, DWORD length) {
    for (DWORD index = 0; index < length; index++) text[index] = LowerCharacter(text[index]);
    return length;
}

LPWSTR WINAPI CharUpperW(LPWSTR text) {
    (void)text;
    GlueFail("CharUpperW: the program folds to lower case only");
}

int WINAPI lstrlenW(LPCWSTR text) { return text ? (int)wcslen(text) : 0; }
LPWSTR WINAPI lstrcpyW(LPWSTR to, LPCWSTR from) { return wcscpy(to, from); }
LPWSTR WINAPI lstrcatW(LPWSTR to, LPCWSTR from) { return wcscat(to, from); }
int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b) { return wcscmp(a, b); }
int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b) { return _wcsicmp(a, b); }

/* Copies at most size - 1 characters and always terminates, as the platform does. */
LPWSTR WINAPI lstrcpynW(LPWSTR to, LPCWSTR from, int size) {
    if (size <= 0) return to;
    int index = 0;
    for (; index < size - 1 && from[index]; index++) to[index] = from[index];
    to[index] = 0;
    return to;
}

/* ---------------------------------------------------------------- boxes, processes, exit */

int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags) {
    (void)owner, (void)text, (void)caption, (void)flags;
    GlueFail("a message box shown outside the reporters");
}

BOOL WINAPI DeviceCreateProcessW(LPCWSTR imageName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                                 LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                                 LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                                 LPPROCESS_INFORMATION processInformation) {
    (void)imageName, (void)commandLine, (void)processAttributes, (void)threadAttributes, (void)inheritHandles,
        (void)creationFlags, (void)environment, (void)currentDirectory, (void)startupInfo, (void)processInformation;
    GlueFail("a process started outside the reporters");
}

void WINAPI ExitProcess(UINT status) {
    (void)status;
    GlueFail("the process ended outside the reporters");
}

/* ---------------------------------------------------------------- the reporters */

/* The checker's fuzz target links the checker's own reporters, which throw. */
#ifndef FUZZ_THROWING_REPORTERS

static jmp_buf *ReportExit;

static void Join(WCHAR *to, const WCHAR *a, const WCHAR *b, const WCHAR *c) {
    const WCHAR *pieces[3] = {a, b, c};
    size_t length = 0;
    for (int piece = 0; piece < 3; piece++) {
        if (!pieces[piece]) GlueFail("a report piece that is a null pointer");
        for (const WCHAR *at = pieces[piece]; *at; at++) {
            if (length + 1 >= REPORT_TEXT_CAPACITY) GlueFail("a report text beyond any of the program's");
            to[length++] = *at;
        }
    }
    to[length] = 0;
}

static __attribute__((noreturn)) void Record(int configError, const WCHAR *caption, const WCHAR *text1, const WCHAR *text2,
                   const WCHAR *text3) {
    if (!ReportExit) GlueFail("a report outside a procedure under test");
    LastReport.configError = configError;
    Join(LastReport.caption, caption, L"", L"");
    Join(LastReport.text, text1, text2, text3);
    longjmp(*ReportExit, 1);
}

void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3) {
    Record(0, caption, text1, text2, text3);
}

void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3) {
    Record(1, caption, text1, text2, text3);
}

int GlueGuardedCall(void (*procedure)(void)) {
    jmp_buf exit;
    if (setjmp(exit)) {
        ReportExit = NULL;
        return 1;
    }
    ReportExit = &exit;
    procedure();
    ReportExit = NULL;
    return 0;
}

#endif

void GlueFail(const char *what) {
    fprintf(stderr, "fuzz invariant broken: %s\n", what);
    __builtin_trap();
}
