// The launcher's menu bar with its one "Файл" drop-down.
#include "ui/dialogs.h"
#include "app/instance.h"

// Makes the bar from the program's own menu-bar template.
HWND CreateMenuBar(HWND parent)
{
    SHMENUBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.hwndParent = parent;
    info.dwFlags = 0;
    info.nToolBarId = IDR_MENUBAR;
    info.hInstRes = AppInstance;
    info.nBmpId = 0;
    info.cBmpImages = 0;
    info.clrBk = 0;
    if (!SHCreateMenuBar(&info))
        return NULL;
    return info.hwndMB;
}
