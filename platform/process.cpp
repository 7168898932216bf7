// Starting a program by image name, as the device does.
#include "platform/platform.h"
#include "base/text.h"

#include <wchar.h>

#ifndef _WIN32_WCE
#undef CreateProcessW

namespace {

const size_t ImagePathCapacity = 520;
// The quoted image path, a blank and parameters of up to 1024 characters.
const size_t DesktopCommandLineCapacity = ImagePathCapacity + 3 + 1024;
const WCHAR ExecutableExtension[] = L".exe";

WCHAR ImagePath[ImagePathCapacity];
WCHAR DesktopCommandLine[DesktopCommandLineCapacity];

bool HasDirectory(const WCHAR *name)
{
    return wcspbrk(name, L"\\/:") != NULL;
}

bool HasExtension(const WCHAR *name)
{
    const WCHAR *dot = wcsrchr(name, L'.');
    return dot && !wcspbrk(dot, L"\\/");
}

bool IsFile(const WCHAR *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// path = directory + name + extension; false when that does not fit.
bool JoinPath(WCHAR (&path)[ImagePathCapacity], const WCHAR *directory, const WCHAR *name, const WCHAR *extension)
{
    return CopyText(path, directory) && AppendText(path, name) && AppendText(path, extension);
}

// The launcher's own directory with its closing backslash, or "" when unknown.
void LauncherDirectory(WCHAR (&directory)[ImagePathCapacity])
{
    DWORD length = GetModuleFileNameW(NULL, directory, ImagePathCapacity);
    if (length == 0 || length >= ImagePathCapacity) {
        directory[0] = 0;
        return;
    }
    WCHAR *backslash = wcsrchr(directory, L'\\');
    if (backslash)
        backslash[1] = 0;
    else
        directory[0] = 0;
}

// The full path of the program an image name names, into ImagePath: a bare name is sought
// in the launcher's directory, then by the system's search; ".exe" is implied.
bool FindImage(const WCHAR *imageName)
{
    const WCHAR *extension = HasExtension(imageName) ? L"" : ExecutableExtension;
    if (HasDirectory(imageName))
        return JoinPath(ImagePath, L"", imageName, extension) && IsFile(ImagePath);
    WCHAR directory[ImagePathCapacity];
    LauncherDirectory(directory);
    if (directory[0] && JoinPath(ImagePath, directory, imageName, extension) && IsFile(ImagePath))
        return true;
    DWORD length = SearchPathW(NULL, imageName, ExecutableExtension, ImagePathCapacity, ImagePath, NULL);
    return length > 0 && length < ImagePathCapacity && IsFile(ImagePath);
}

// What the started program's start-up code takes apart: its quoted path, a blank and the
// command line the device would hand it.
bool ComposeCommandLine(const WCHAR *commandLine)
{
    return CopyText(DesktopCommandLine, L"\"") && AppendText(DesktopCommandLine, ImagePath)
        && AppendText(DesktopCommandLine, L"\" ") && AppendText(DesktopCommandLine, commandLine ? commandLine : L"");
}

} // namespace

BOOL WINAPI DeviceCreateProcessW(LPCWSTR imageName, LPWSTR commandLine,
    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
    LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation)
{
    if (!imageName || !imageName[0]) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    bool found = FindImage(imageName);
    if (!found && _wcsicmp(imageName, PocketWordImage) == 0)
        found = FindImage(PocketWordStandIn);
    if (!found) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (!ComposeCommandLine(commandLine)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    STARTUPINFOW defaultStartup;
    ZeroMemory(&defaultStartup, sizeof defaultStartup);
    defaultStartup.cb = sizeof defaultStartup;
    PROCESS_INFORMATION started;
    BOOL ok = CreateProcessW(ImagePath, DesktopCommandLine, processAttributes, threadAttributes, inheritHandles,
        creationFlags, environment, currentDirectory, startupInfo ? startupInfo : &defaultStartup,
        processInformation ? processInformation : &started);
    if (ok && !processInformation) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    return ok;
}

#endif // _WIN32_WCE
