// The device's ANSI code page, for the desktop.
#include "platform/platform.h"

#ifndef _WIN32_WCE
#undef MultiByteToWideChar

int WINAPI DeviceMultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
    int wideCount)
{
    return MultiByteToWideChar(codePage == CP_ACP ? DeviceAnsiCodePage : codePage, flags, bytes, byteCount, wide,
        wideCount);
}

#endif // _WIN32_WCE
