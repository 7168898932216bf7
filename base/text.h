// Bounded wide-text copies and appends whose capacity is the destination array's own.
#ifndef VELANDRIMOUR_TEXT_H
#define VELANDRIMOUR_TEXT_H

#include <windows.h>
#include "base/compat.h"

// The one bounded worker: appends text to a zero-terminated buffer of capacity characters,
// cutting what does not fit and always leaving a terminator. Reached through AppendText.
void AppendTextWithin(WCHAR *buffer, size_t capacity, const WCHAR *text);

// Appends text to buffer, cutting what does not fit.
template <size_t Capacity>
inline void AppendText(WCHAR (&buffer)[Capacity], const WCHAR *text)
{
    AppendTextWithin(buffer, Capacity, text);
}

// Replaces buffer's text with text, cutting what does not fit.
template <size_t Capacity>
inline void CopyText(WCHAR (&buffer)[Capacity], const WCHAR *text)
{
    buffer[0] = L'\0';
    AppendTextWithin(buffer, Capacity, text);
}

#endif // VELANDRIMOUR_TEXT_H
