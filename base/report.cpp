// The text the two reporters show, shared with the checker's pictures of their boxes.
#include "base/report.h"
#include "base/text.h"

void JoinReport(WCHAR (&text)[ReportCapacity], const WCHAR *text1, const WCHAR *text2, const WCHAR *text3,
    bool offerEdit)
{
    CopyText(text, text1);
    AppendText(text, text2);
    AppendText(text, text3);
    if (offerEdit)
        AppendText(text, EditOffer);
}
