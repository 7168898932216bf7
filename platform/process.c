/* Starting a program by image name, as the device does. */
#include "platform/platform.h"

#ifndef _WIN32_WCE
#undef CreateProcessW

#define IMAGE_PATH_CAPACITY 520
/* The quoted image path, a blank and parameters of up to 1024 characters. */
#define DESKTOP_COMMAND_LINE_CAPACITY (IMAGE_PATH_CAPACITY + 3 + 1024)
#define EXECUTABLE_EXTENSION L".exe"

static WCHAR ImagePath[IMAGE_PATH_CAPACITY];
static WCHAR DesktopCommandLine[DESKTOP_COMMAND_LINE_CAPACITY];

static BOOL HasDirectory(const WCHAR *name)
{
    return wcspbrk(name, L"\\/:") != NULL;
}

static BOOL HasExtension(const WCHAR *name)
{
    const WCHAR *dot = wcsrchr(name, L'.');
    return dot && !wcspbrk(dot, L"\\/");
}

static BOOL IsFile(const WCHAR *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* path = directory + name + extension; FALSE when that does not fit. */
static BOOL JoinPath(WCHAR *path, const WCHAR *directory, const WCHAR *name, const WCHAR *extension)
{
    size_t directoryLength = wcslen(directory), nameLength = wcslen(name), extensionLength = wcslen(extension);
    if (directoryLength + nameLength + extensionLength >= IMAGE_PATH_CAPACITY)
        return FALSE;
    wmemcpy(path, directory, directoryLength);
    wmemcpy(path + directoryLength, name, nameLength);
    wmemcpy(path + directoryLength + nameLength, extension, extensionLength + 1);
    return TRUE;
}

/* The launcher's own directory with its closing backslash, or "" when unknown. */
static void LauncherDirectory(WCHAR *directory)
{
    DWORD length = GetModuleFileNameW(NULL, directory, IMAGE_PATH_CAPACITY);
    WCHAR *backslash;
    if (length == 0 || length >= IMAGE_PATH_CAPACITY) {
        directory[0] = 0;
        return;
    }
    backslash = wcsrchr(directory, L'\\');
    if (backslash)
        backslash[1] = 0;
    else
        directory[0] = 0;
}

/* The full path of the program an image name names, into ImagePath: a bare name is sought
 * in the launcher's directory, then by the system's search; ".exe" is implied. */
static BOOL FindImage(const WCHAR *imageName)
{
    WCHAR directory[IMAGE_PATH_CAPACITY];
    const WCHAR *extension = HasExtension(imageName) ? L"" : EXECUTABLE_EXTENSION;
    DWORD length;
    if (HasDirectory(imageName))
        return JoinPath(ImagePath, L"", imageName, extension) && IsFile(ImagePath);
    LauncherDirectory(directory);
    if (directory[0] && JoinPath(ImagePath, directory, imageName, extension) && IsFile(ImagePath))
        return TRUE;
    length = SearchPathW(NULL, imageName, EXECUTABLE_EXTENSION, IMAGE_PATH_CAPACITY, ImagePath, NULL);
    return length > 0 && length < IMAGE_PATH_CAPACITY && IsFile(ImagePath);
}

/* What the started program's start-up code takes apart: its quoted path, a blank and the
 * command line the device would hand it. */
static BOOL ComposeCommandLine(const WCHAR *commandLine)
{
    size_t pathLength = wcslen(ImagePath), lineLength = commandLine ? wcslen(commandLine) : 0;
    WCHAR *end = DesktopCommandLine;
    if (pathLength + lineLength + 3 >= DESKTOP_COMMAND_LINE_CAPACITY)
        return FALSE;
    *end++ = L'"';
    wmemcpy(end, ImagePath, pathLength);
    end += pathLength;
    *end++ = L'"';
    *end++ = L' ';
    if (lineLength)
        wmemcpy(end, commandLine, lineLength);
    end[lineLength] = 0;
    return TRUE;
}

BOOL WINAPI DeviceCreateProcessW(LPCWSTR imageName, LPWSTR commandLine,
    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
    LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation)
{
    STARTUPINFOW defaultStartup;
    PROCESS_INFORMATION started;
    BOOL found, ok;
    if (!imageName || !imageName[0]) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    found = FindImage(imageName);
    if (!found && _wcsicmp(imageName, POCKET_WORD_IMAGE) == 0)
        found = FindImage(POCKET_WORD_STAND_IN);
    if (!found) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!ComposeCommandLine(commandLine)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    ZeroMemory(&defaultStartup, sizeof defaultStartup);
    defaultStartup.cb = sizeof defaultStartup;
    ok = CreateProcessW(ImagePath, DesktopCommandLine, processAttributes, threadAttributes, inheritHandles,
        creationFlags, environment, currentDirectory, startupInfo ? startupInfo : &defaultStartup,
        processInformation ? processInformation : &started);
    if (ok && !processInformation) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    return ok;
}

#endif /* _WIN32_WCE */
