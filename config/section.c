#include "config/config.h"
#include "app/shell.h"

WCHAR FileArgument[FILE_ARGUMENT_CAPACITY];

void SetFileArgument(const WCHAR *commandLine)
{
    if (wcslen(commandLine) > FILE_ARGUMENT_MAX_LENGTH)
        ReportFatal(L"Parameter", L"Слишком длинный параметр программы.", L"", L"");
    wcscpy(FileArgument, commandLine);
}
