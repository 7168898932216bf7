// The program's entry: the command line is the file to open, or nothing.
#include "app/shell.h"

#ifdef _WIN32_WCE
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPTSTR commandLine, int showCommand)
#else
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
#endif
{
    SetFileArgument(commandLine);
    LocateConfigFile();
    LoadEntries();
    if (!InitInstance(instance, showCommand))
        return 0;
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
