// Bounded wide-text appends.
#include "base/text.h"

#include <wchar.h>

// Terminates after every character, so that a text cut short is still terminated; a buffer
// without room for one more character gets nothing.
bool AppendTextWithin(WCHAR *buffer, size_t capacity, const WCHAR *text, size_t count)
{
    size_t used = wcslen(buffer);
    for (; count > 0 && *text != L'\0'; count--, text++) {
        if (used + 1 >= capacity)
            return false;
        buffer[used++] = *text;
        buffer[used] = L'\0';
    }
    return true;
}
