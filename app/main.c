#include "app/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand)
{
    (void)instance; (void)previous; (void)showCommand;
    SetFileArgument(commandLine);
    LocateConfigFile();
    LoadEntries();
    return 0;
}
