#include "app/shell.h"
#include <stdlib.h>

void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    (void)caption; (void)text1; (void)text2; (void)text3;
    exit(1);
}

void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3)
{
    (void)caption; (void)text1; (void)text2; (void)text3;
    exit(1);
}
