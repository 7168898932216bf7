// The extensions that the configuration file's section headers name. Free of registry
// calls, so that what only reads the file's extensions links no registry writing.
#include "registration/registration.h"
#include "config/config.h"
#include "base/report.h"
#include "base/text.h"

#include <wchar.h>

WCHAR ExtensionList[ExtensionListCapacity];
WCHAR *ExtensionCursor = ExtensionList;
const WCHAR *CurrentExtension;

// Reads the file afresh and gathers the extension headers before the first "[*]" header,
// whole and in file order.
void CollectExtensions()
{
    LoadConfigFile();
    ExtensionList[0] = 0;
    ExtensionCursor = ExtensionList;
    while (ReadLine()) {
        if (LineBuffer[0] != L'[')
            continue;
        if (wcsstr(LineBuffer, L"[*]"))
            break;
        // The list's limit is 1020 characters, less than its buffer holds.
        if (!AppendTextWithin(ExtensionList, ExtensionListMaxLength + 1, LineBuffer))
            ReportFatal(AssociateCaption, ExtensionsTooLongText);
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
