// The command line and the section it selects.
#include "config/config.h"
#include "base/report.h"
#include "base/text.h"

#include <wchar.h>

WCHAR FileArgument[FileArgumentCapacity];
WCHAR SectionKey[SectionKeyCapacity];

// Copies the command line into FileArgument; one longer than it holds is refused.
void SetFileArgument(const WCHAR *commandLine)
{
    if (wcslen(commandLine) > FileArgumentMaxLength)
        ReportFatal(ParameterCaption, LongArgumentText);
    CopyText(FileArgument, commandLine);
}

// Sets SectionKey to "[" extension "]" in lower case, or "[]" without argument; a submenu
// key ("{" name "}") already in place is kept.
void BuildSectionKey()
{
    if (SectionKey[0] == L'{')
        return;
    if (FileArgument[0] == L'\0') {
        CopyText(SectionKey, L"[]");
        return;
    }
    SectionKey[0] = L'\0';
    // The whole argument is searched: a dot in a directory name counts too.
    const WCHAR *dot = wcsrchr(FileArgument, L'.');
    if (dot == NULL)
        ReportFatal(ExtentionErrorCaption, NoDotStart, FileArgument, NoDotEnd);
    if (wcslen(dot + 1) > ExtensionMaxLength)
        ReportFatal(ExtentionCaption, LongExtensionText);
    AppendText(SectionKey, L"[");
    AppendText(SectionKey, dot + 1);
    AppendText(SectionKey, L"]");
    CharLowerW(SectionKey);
}

// Reads lines up to the first header that holds SectionKey once lower-cased, or "[*]"
// for any key but the no-argument one. The reader then stands just behind the header.
bool FindSection()
{
    bool noArgument = wcsstr(SectionKey, L"[]") != NULL;

    while (ReadLine()) {
        if (LineBuffer[0] != L'[' && LineBuffer[0] != L'{')
            continue;
        if (!noArgument && wcsstr(LineBuffer, L"[*]") != NULL)
            return true;
        CharLowerW(LineBuffer);
        if (wcsstr(LineBuffer, SectionKey) != NULL)
            return true;
    }
    if (noArgument)
        return false;
    ReportConfigError(ExtentionErrorCaption, NoSectionStart, SectionKey, NoSectionEnd);
}
