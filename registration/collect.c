/* The extensions that the configuration file's section headers name. Free of registry
 * calls: the registration itself lives beside them. */
#include "registration/registration.h"
#include "config/config.h"
#include "app/shell.h"

#include <string.h>

WCHAR ExtensionList[EXTENSION_LIST_CAPACITY];
WCHAR *ExtensionCursor = ExtensionList;

/* Reads the file afresh and gathers the extension headers before the first "[*]" header,
 * whole and in file order. */
void CollectExtensions(void)
{
    size_t length = 0;
    LoadConfigFile();
    ExtensionList[0] = 0;
    ExtensionCursor = ExtensionList;
    while (ReadLine()) {
        size_t lineLength;
        if (LineBuffer[0] != L'[')
            continue;
        if (wcsstr(LineBuffer, L"[*]"))
            break;
        lineLength = wcslen(LineBuffer);
        if (length + lineLength > EXTENSION_LIST_MAX_LENGTH)
            ReportFatal(L"Associate", L"Суммарная длина расширений превышает 1024 символа.", L"", L"");
        memcpy(ExtensionList + length, LineBuffer, (lineLength + 1) * sizeof(WCHAR));
        length += lineLength;
    }
}

/* Yields the next non-empty name between "[" and "]", terminating it in place; an unclosed
 * last name is not yielded. */
BOOL NextExtension(void)
{
    for (;;) {
        WCHAR *name;
        WCHAR *close;
        while (*ExtensionCursor != L'[') {
            if (!*ExtensionCursor)
                return FALSE;
            ExtensionCursor++;
        }
        name = ExtensionCursor + 1;
        for (close = name; *close != L']'; close++)
            if (!*close)
                return FALSE;
        *close = 0;
        CurrentExtension = name;
        ExtensionCursor = close + 1;
        if (*name)
            return TRUE;
    }
}
