// Bounded wide-text appends.
#include "base/text.h"

#include <wchar.h>

void AppendTextWithin(WCHAR *buffer, size_t capacity, const WCHAR *text)
{
    size_t used = wcslen(buffer);
    if (used + 1 < capacity)
        wcsncat(buffer, text, capacity - 1 - used);
}
