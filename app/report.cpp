// The two error reporters: a box over the joined texts, then exit status 1.
#include "app/shell.h"
#include "base/text.h"

#include <stdlib.h>

namespace {

// Joins the three pieces into text.
void JoinReport(WCHAR (&text)[ReportCapacity], const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    CopyText(text, text1);
    AppendText(text, text2);
    AppendText(text, text3);
}

} // namespace

// One OK button; the answer does not matter.
void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    WCHAR text[ReportCapacity];

    JoinReport(text, text1, text2, text3);
    MessageBoxW(NULL, text, caption, MB_OK | MB_ICONERROR);
    exit(1);
}

// Offers Pocket Word on the configuration file; its start is not checked.
void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    WCHAR text[ReportCapacity];

    JoinReport(text, text1, text2, text3);
    AppendText(text, EditOffer);
    if (MessageBoxW(NULL, text, caption, MB_YESNO | MB_ICONERROR) == IDYES)
        CreateProcessW(L"PWord", ConfigPath, NULL, NULL, FALSE, 0, NULL, NULL, NULL, NULL);
    exit(1);
}
