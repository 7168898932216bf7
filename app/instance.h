// The program's instance handle, all that ui/ needs of the shell.
#ifndef VELANDRIMOUR_INSTANCE_H
#define VELANDRIMOUR_INSTANCE_H

#include <windows.h>

// Stored at start-up; the buttons, the menu bar and the dialogs come from its resources.
extern HINSTANCE AppInstance;

#endif // VELANDRIMOUR_INSTANCE_H
