// The program's entry: the command line is the file to open, or nothing.
#include "app/shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
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
