/* Starting a program by image name, as the device does. */
#include "platform/platform.h"

#undef CreateProcessW

BOOL WINAPI DeviceCreateProcessW(LPCWSTR imageName, LPWSTR commandLine,
    LPSECURITY_ATTRIBUTES processAttributes, LPSECURITY_ATTRIBUTES threadAttributes,
    BOOL inheritHandles, DWORD creationFlags, LPVOID environment, LPCWSTR currentDirectory,
    LPSTARTUPINFOW startupInfo, LPPROCESS_INFORMATION processInformation)
{
    STARTUPINFOW defaultStartup = { sizeof defaultStartup };
    PROCESS_INFORMATION started;
    BOOL ok = CreateProcessW(imageName, commandLine, processAttributes, threadAttributes,
        inheritHandles, creationFlags, environment, currentDirectory,
        startupInfo ? startupInfo : &defaultStartup, processInformation ? processInformation : &started);
    if (ok && !processInformation) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    return ok;
}
