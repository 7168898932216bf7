/* The program's entry: the command line is the file to open, or nothing. */
#include "app/shell.h"

#ifdef _WIN32_WCE
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPTSTR commandLine, int showCommand)
#else
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand)
#endif
{
    MSG message;
    (void)previous;
    SetFileArgument(commandLine);
    LocateConfigFile();
    LoadEntries();
    if (!InitInstance(instance, showCommand))
        return 0;
    while (GetMessageW(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return (int)message.wParam;
}
