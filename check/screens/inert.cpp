// What the launcher's window would carry out, for the checker's pictures of it: they take no
// command, and should one ever reach them it starts nothing and registers nothing. Linked into
// velandrimour-check in place of app/commands.cpp and platform/process.cpp.
#include "app/shell.h"

// Every identifier goes to default processing, which does nothing with it.
bool RunMenuCommand(HWND, UINT)
{
    return false;
}

// Starts no program: the launcher then reports that it could not.
BOOL WINAPI DeviceCreateProcessW(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
    LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
