/* The command line and the section it selects. */
#include "config/config.h"
#include "app/shell.h"

WCHAR FileArgument[FILE_ARGUMENT_CAPACITY];
WCHAR SectionKey[SECTION_KEY_CAPACITY];

/* Copies the command line into FileArgument; one longer than it holds is refused. */
void SetFileArgument(const WCHAR *commandLine)
{
    if (wcslen(commandLine) > FILE_ARGUMENT_MAX_LENGTH)
        ReportFatal(L"Parameter", L"Слишком длинный параметр программы.", L"", L"");
    FileArgument[0] = L'\0';
    AppendText(FileArgument, FILE_ARGUMENT_CAPACITY, commandLine);
}

/* Sets SectionKey to "[" extension "]" in lower case, or "[]" without argument; a submenu
 * key ("{" name "}") already in place is kept. */
void BuildSectionKey(void)
{
    const WCHAR *dot;

    if (SectionKey[0] == L'{')
        return;
    SectionKey[0] = L'\0';
    if (FileArgument[0] == L'\0') {
        AppendText(SectionKey, SECTION_KEY_CAPACITY, L"[]");
        return;
    }
    /* The whole argument is searched: a dot in a directory name counts too. */
    dot = wcsrchr(FileArgument, L'.');
    if (dot == NULL)
        ReportFatal(L"Extention error", L"Параметр программы: ", FileArgument,
            L" не содержит точки, а значит и расширения.");
    if (wcslen(dot + 1) > EXTENSION_MAX_LENGTH)
        ReportFatal(L"Extention", L"Слишком длинное расширение.", L"", L"");
    AppendText(SectionKey, SECTION_KEY_CAPACITY, L"[");
    AppendText(SectionKey, SECTION_KEY_CAPACITY, dot + 1);
    AppendText(SectionKey, SECTION_KEY_CAPACITY, L"]");
    CharLowerW(SectionKey);
}

/* Reads lines up to the first header that holds SectionKey once lower-cased, or "[*]"
 * for any key but the no-argument one. The reader then stands just behind the header. */
BOOL FindSection(void)
{
    BOOL noArgument = wcsstr(SectionKey, L"[]") != NULL;

    while (ReadLine()) {
        if (LineBuffer[0] != L'[' && LineBuffer[0] != L'{')
            continue;
        if (!noArgument && wcsstr(LineBuffer, L"[*]") != NULL)
            return TRUE;
        CharLowerW(LineBuffer);
        if (wcsstr(LineBuffer, SectionKey) != NULL)
            return TRUE;
    }
    if (noArgument)
        return FALSE;
    ReportConfigError(L"Extention error", L"В файле velandrimour.ini нет раздела для расширения \"", SectionKey,
        L",\" а так же раздела для [*].");
}
