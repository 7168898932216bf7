// The extensions that the configuration file's section headers name. Free of registry
// calls, so that what only reads the file's extensions links no registry writing.
#include "registration/registration.h"
#include "config/config.h"
#include "base/report.h"

#include <wchar.h>

WCHAR ExtensionList[ExtensionListCapacity];
WCHAR *ExtensionCursor = ExtensionList;
const WCHAR *CurrentExtension;

// Reads the file afresh and gathers the extension headers before the first "[*]" header,
// whole and in file order.
void CollectExtensions()
{
    size_t length = 0;
    LoadConfigFile();
    ExtensionList[0] = 0;
    ExtensionCursor = ExtensionList;
    while (ReadLine()) {
        if (LineBuffer[0] != L'[')
            continue;
        if (wcsstr(LineBuffer, L"[*]"))
            break;
        size_t lineLength = wcslen(LineBuffer);
        if (length + lineLength > ExtensionListMaxLength)
            ReportFatal(AssociateCaption, ExtensionsTooLongText);
        wmemcpy(ExtensionList + length, LineBuffer, lineLength + 1);
        length += lineLength;
    }
}

// Yields the next non-empty name between "[" and "]", terminating it in place; an unclosed
// last name is not yielded.
bool NextExtension()
{
    for (;;) {
        while (*ExtensionCursor != L'[') {
            if (!*ExtensionCursor)
                return false;
            ExtensionCursor++;
        }
        WCHAR *name = ExtensionCursor + 1;
        WCHAR *close = name;
        for (; *close != L']'; close++)
            if (!*close)
                return false;
        *close = 0;
        CurrentExtension = name;
        ExtensionCursor = close + 1;
        if (*name)
            return true;
    }
}
