/* Stand-in <wchar.h> for the native fuzz build. It is compiled with -fshort-wchar, so wide
 * characters are 16 bits as on the device, while the C library's wide-string functions
 * assume 32 bits: every one the program may call is routed here to a 16-bit version, and
 * the C library's own header is never included. */
#ifndef FUZZ_STANDIN_WCHAR_H
#define FUZZ_STANDIN_WCHAR_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int wint_t;
#ifndef WEOF
#define WEOF ((wint_t)0xFFFFu)
#endif

#define wcslen FuzzWcslen
#define wcsnlen FuzzWcsnlen
#define wcscpy FuzzWcscpy
#define wcsncpy FuzzWcsncpy
#define wcscat FuzzWcscat
#define wcsncat FuzzWcsncat
#define wcscmp FuzzWcscmp
#define wcsncmp FuzzWcsncmp
#define wcschr FuzzWcschr
#define wcsrchr FuzzWcsrchr
#define wcsstr FuzzWcsstr
#define wcspbrk FuzzWcspbrk
#define wcsspn FuzzWcsspn
#define wcscspn FuzzWcscspn
#define wcslwr FuzzWcslwr
#define _wcslwr FuzzWcslwr
#define wcsicmp FuzzWcsicmp
#define _wcsicmp FuzzWcsicmp
#define wcsnicmp FuzzWcsnicmp
#define _wcsnicmp FuzzWcsnicmp
#define wmemcpy FuzzWmemcpy
#define wmemmove FuzzWmemmove
#define wmemset FuzzWmemset
#define wmemcmp FuzzWmemcmp
#define wmemchr FuzzWmemchr
#define towlower FuzzTowlower
#define towupper FuzzTowupper
#define iswspace FuzzIswspace

size_t FuzzWcslen(const wchar_t *text);
size_t FuzzWcsnlen(const wchar_t *text, size_t limit);
wchar_t *FuzzWcscpy(wchar_t *to, const wchar_t *from);
wchar_t *FuzzWcsncpy(wchar_t *to, const wchar_t *from, size_t count);
wchar_t *FuzzWcscat(wchar_t *to, const wchar_t *from);
wchar_t *FuzzWcsncat(wchar_t *to, const wchar_t *from, size_t count);
int FuzzWcscmp(const wchar_t *a, const wchar_t *b);
int FuzzWcsncmp(const wchar_t *a, const wchar_t *b, size_t count);
wchar_t *FuzzWcschr(const wchar_t *text, wchar_t character);
wchar_t *FuzzWcsrchr(const wchar_t *text, wchar_t character);
wchar_t *FuzzWcsstr(const wchar_t *text, const wchar_t *sought);
wchar_t *FuzzWcspbrk(const wchar_t *text, const wchar_t *set);
size_t FuzzWcsspn(const wchar_t *text, const wchar_t *set);
size_t FuzzWcscspn(const wchar_t *text, const wchar_t *set);
wchar_t *FuzzWcslwr(wchar_t *text);
int FuzzWcsicmp(const wchar_t *a, const wchar_t *b);
int FuzzWcsnicmp(const wchar_t *a, const wchar_t *b, size_t count);
wchar_t *FuzzWmemcpy(wchar_t *to, const wchar_t *from, size_t count);
wchar_t *FuzzWmemmove(wchar_t *to, const wchar_t *from, size_t count);
wchar_t *FuzzWmemset(wchar_t *to, wchar_t character, size_t count);
int FuzzWmemcmp(const wchar_t *a, const wchar_t *b, size_t count);
wchar_t *FuzzWmemchr(const wchar_t *text, wchar_t character, size_t count);
wint_t FuzzTowlower(wint_t character);
wint_t FuzzTowupper(wint_t character);
int FuzzIswspace(wint_t character);

#ifdef __cplusplus
}
#endif

#endif /* FUZZ_STANDIN_WCHAR_H */
