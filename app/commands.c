/* The "Файл" menu's commands. */
#include "app/shell.h"

void RunMenuCommand(HWND window, UINT identifier)
{
    (void)window;
    (void)identifier;
}
