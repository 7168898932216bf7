// The two error reporters: a box over the joined texts, then exit status 1.
#include "app/shell.h"

#include <stdlib.h>

// One OK button; the answer does not matter.
void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    WCHAR text[ReportCapacity];

    JoinReport(text, text1, text2, text3, false);
    MessageBoxW(NULL, text, caption, FatalReportFlags);
    exit(1);
}

// Offers Pocket Word on the configuration file; its start is not checked.
void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    WCHAR text[ReportCapacity];

    JoinReport(text, text1, text2, text3, true);
    if (MessageBoxW(NULL, text, caption, ConfigErrorReportFlags) == IDYES)
        CreateProcessW(L"PWord", ConfigPath, NULL, NULL, FALSE, 0, NULL, NULL, NULL, NULL);
    exit(1);
}
