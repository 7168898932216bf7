/* 16-bit wide-string functions for the native fuzz build (see the stand-in <wchar.h>). Bounded
 * by nothing but the terminators, as the platform's own are, so an overrun by the caller
 * shows up as one. */
#include <wchar.h>

size_t FuzzWcslen(const wchar_t *text) {
    const wchar_t *end = text;
    while (*end) end++;
    return (size_t)(end - text);
}

size_t FuzzWcsnlen(const wchar_t *text, size_t limit) {
    size_t length = 0;
    while (length < limit && text[length]) length++;
    return length;
}

wchar_t *FuzzWcscpy(wchar_t *to, const wchar_t *from) {
    wchar_t *at = to;
    while ((*at++ = *from++) != 0) {
    }
    return to;
}

wchar_t *FuzzWcsncpy(wchar_t *to, const wchar_t *from, size_t count) {
    size_t index = 0;
    for (; index < count && from[index]; index++) to[index] = from[index];
    for (; index < count; index++) to[index] = 0;
    return to;
}

wchar_t *FuzzWcscat(wchar_t *to, const wchar_t *from) {
    FuzzWcscpy(to + FuzzWcslen(to), from);
    return to;
}

wchar_t *FuzzWcsncat(wchar_t *to, const wchar_t *from, size_t count) {
    wchar_t *at = to + FuzzWcslen(to);
    while (count-- && *from) *at++ = *from++;
    *at = 0;
    return to;
}

int FuzzWcscmp(const wchar_t *a, const wchar_t *b) {
    while (*a && *a == *b) a++, b++;
    return (*a > *b) - (*a < *b);
}

int FuzzWcsncmp(const wchar_t *a, const wchar_t *b, size_t count) {
    for (; count; count--, a++, b++) {
        if (*a != *b) return (*a > *b) - (*a < *b);
        if (!*a) break;
    }
    return 0;
}

wchar_t *FuzzWcschr(const wchar_t *text, wchar_t character) {
    for (;; text++) {
        if (*text == character) return (wchar_t *)text;
        if (!*text) return NULL;
    }
}

wchar_t *FuzzWcsrchr(const wchar_t *text, wchar_t character) {
    const wchar_t *found = NULL;
    for (;; text++) {
        if (*text == character) found = text;
        if (!*text) return (wchar_t *)found;
    }
}

wchar_t *FuzzWcsstr(const wchar_t *text, const wchar_t *sought) {
    if (!*sought) return (wchar_t *)text;
    for (; *text; text++) {
        size_t index = 0;
        while (sought[index] && text[index] == sought[index]) index++;
        if (!sought[index]) return (wchar_t *)text;
    }
    return NULL;
}

wchar_t *FuzzWcspbrk(const wchar_t *text, const wchar_t *set) {
    for (; *text; text++)
        if (FuzzWcschr(set, *text)) return (wchar_t *)text;
    return NULL;
}

size_t FuzzWcsspn(const wchar_t *text, const wchar_t *set) {
    size_t length = 0;
    while (text[length] && FuzzWcschr(set, text[length])) length++;
    return length;
}

size_t FuzzWcscspn(const wchar_t *text, const wchar_t *set) {
    size_t length = 0;
    while (text[length] && !FuzzWcschr(set, text[length])) length++;
    return length;
}

/* The C run time's lower case under the "C" locale: Latin capitals only. */
wint_t FuzzTowlower(wint_t character) {
    return character >= L'A' && character <= L'Z' ? character + 32 : character;
}

wint_t FuzzTowupper(wint_t character) {
    return character >= L'a' && character <= L'z' ? character - 32 : character;
}

int FuzzIswspace(wint_t character) {
    return character == L' ' || (character >= 9 && character <= 13);
}

wchar_t *FuzzWcslwr(wchar_t *text) {
    for (wchar_t *at = text; *at; at++) *at = (wchar_t)FuzzTowlower(*at);
    return text;
}

int FuzzWcsnicmp(const wchar_t *a, const wchar_t *b, size_t count) {
    for (; count; count--, a++, b++) {
        wint_t left = FuzzTowlower(*a), right = FuzzTowlower(*b);
        if (left != right) return (left > right) - (left < right);
        if (!left) break;
    }
    return 0;
}

int FuzzWcsicmp(const wchar_t *a, const wchar_t *b) { return FuzzWcsnicmp(a, b, (size_t)-1); }

wchar_t *FuzzWmemcpy(wchar_t *to, const wchar_t *from, size_t count) {
    for (size_t index = 0; index < count; index++) to[index] = from[index];
    return to;
}

wchar_t *FuzzWmemmove(wchar_t *to, const wchar_t *from, size_t count) {
    if (to < from)
        for (size_t index = 0; index < count; index++) to[index] = from[index];
    else
        for (size_t index = count; index > 0; index--) to[index - 1] = from[index - 1];
    return to;
}

wchar_t *FuzzWmemset(wchar_t *to, wchar_t character, size_t count) {
    for (size_t index = 0; index < count; index++) to[index] = character;
    return to;
}

int FuzzWmemcmp(const wchar_t *a, const wchar_t *b, size_t count) {
    for (size_t index = 0; index < count; index++)
        if (a[index] != b[index]) return (a[index] > b[index]) - (a[index] < b[index]);
    return 0;
}

wchar_t *FuzzWmemchr(const wchar_t *text, wchar_t character, size_t count) {
    for (size_t index = 0; index < count; index++)
        if (text[index] == character) return (wchar_t *)(text + index);
    return NULL;
}
