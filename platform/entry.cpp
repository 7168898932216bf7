// The desktop's entry point, standing in for the device's start-up.
#include "platform/platform.h"

#ifndef _WIN32_WCE

// The run time's own command line argument has lost its leading blanks and tabs; the
// program gets the process's command line as the device would hand it.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR, int showCommand)
{
    return DeviceWinMain(instance, previousInstance, DeviceCommandLine(GetCommandLineW()), showCommand);
}

#endif // _WIN32_WCE
