// Bounded wide-text copies and appends whose capacity is the destination array's own.
#ifndef VELANDRIMOUR_TEXT_H
#define VELANDRIMOUR_TEXT_H

#include <windows.h>
#include "base/compat.h"

// A count of characters that takes the text up to its terminator.
const size_t WholeText = static_cast<size_t>(-1);

// The one bounded worker: appends the first count characters of text to a zero-terminated
// buffer of capacity characters, cutting what does not fit and always leaving a terminator.
// Returns whether all of them fit. Reached through AppendText, or directly with a capacity
// below the buffer's where a limit is stricter than the buffer.
bool AppendTextWithin(WCHAR *buffer, size_t capacity, const WCHAR *text, size_t count = WholeText);

// Appends text to buffer, cutting what does not fit; returns whether all of it fit.
template <size_t Capacity>
inline bool AppendText(WCHAR (&buffer)[Capacity], const WCHAR *text)
{
    return AppendTextWithin(buffer, Capacity, text);
}

// Replaces buffer's text with text, cutting what does not fit; returns whether all of it fit.
template <size_t Capacity>
inline bool CopyText(WCHAR (&buffer)[Capacity], const WCHAR *text)
{
    buffer[0] = L'\0';
    return AppendTextWithin(buffer, Capacity, text);
}

#endif // VELANDRIMOUR_TEXT_H
