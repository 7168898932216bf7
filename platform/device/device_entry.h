// Read before every source of the device's branch. The desktop headers declare WinMain
// with a narrow command line, the device's with a wide one: the desktop's declaration is
// moved aside while they are read, and the device's takes its place.
#ifndef VELANDRIMOUR_DEVICE_ENTRY_H
#define VELANDRIMOUR_DEVICE_ENTRY_H

#define WinMain DesktopWinMain
#include <windows.h>
#undef WinMain

#ifdef __cplusplus
extern "C"
#endif
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPWSTR commandLine, int showCommand);

#endif // VELANDRIMOUR_DEVICE_ENTRY_H
