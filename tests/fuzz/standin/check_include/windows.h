/* The stand-in <windows.h> for the checker's fuzz target, which uses the C library's own
 * <wchar.h> (its wide characters are 32 bits there, as the C library expects). */
#include "../include/windows.h"
