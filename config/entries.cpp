// The entry table and the entry lines of the selected section.
#include "config/config.h"
#include "base/report.h"
#include "base/text.h"

#include <wchar.h>

LaunchEntry EntryTable[EntrySlots];

namespace {

// Copies the title, up to the first ";", and returns the position of that ";".
const WCHAR *ParseTitle(const WCHAR *line, WCHAR (&title)[TitleCapacity])
{
    size_t length = 0;

    do {
        if (*line == L'\0')
            ReportConfigError(TextErrorCaption, SectionReportStart, SectionKey, NoSemicolonEnd);
        if (length == TitleMaxLength)
            ReportConfigError(ButtonTitleCaption, LongTitleText);
        title[length++] = *line++;
    } while (*line != L';');
    title[length] = L'\0';
    return line;
}

// Copies the command, from the first character after the first ";" and its spaces up to
// the second ";", and returns the position of that ";".
const WCHAR *ParseCommand(const WCHAR *text, WCHAR (&command)[CommandCapacity])
{
    size_t length = 0;

    if (*text == L'\0')
        ReportConfigError(TextErrorCaption, SectionReportStart, SectionKey, NothingAfterSemicolonEnd);
    while (*text != L';') {
        if (length == CommandMaxLength)
            ReportFatal(ExeclineCaption, LongCommandText);
        command[length++] = *text++;
        if (*text == L'\0')
            ReportConfigError(TextErrorCaption, SectionReportStart, SectionKey, NoSecondSemicolonEnd);
    }
    command[length] = L'\0';
    return text;
}

// Copies the parameters with every "%1" replaced by FileArgument, trailing spaces removed.
// Their limit, 510 characters, is below the field's capacity.
void ParseParameters(const WCHAR *text, WCHAR (&parameters)[ParametersCapacity])
{
    const size_t room = ParametersMaxLength + 1;

    parameters[0] = L'\0';
    while (*text != L'\0') {
        const WCHAR *marker = wcsstr(text, L"%1");
        size_t plain = marker ? static_cast<size_t>(marker - text) : wcslen(text);
        if (!AppendTextWithin(parameters, room, text, plain)
            || (marker && !AppendTextWithin(parameters, room, FileArgument)))
            ReportFatal(ParamlineCaption, LongParametersText);
        text = marker ? marker + 2 : text + plain;
    }
    size_t length = wcslen(parameters);
    while (length > 0 && parameters[length - 1] == L' ')
        length--;
    parameters[length] = L'\0';
}

// The first character that is not a space.
const WCHAR *SkipSpaces(const WCHAR *text)
{
    while (*text == L' ')
        text++;
    return text;
}

} // namespace

// Fills EntryTable afresh from the section that SectionKey names. The commands and parameters
// are emptied with the titles: a row left empty then starts no program of an older row, since
// slot 0's command is acted on whatever its title.
void LoadEntries()
{
    for (int slot = 0; slot < EntrySlots; slot++) {
        EntryTable[slot].Title[0] = L'\0';
        EntryTable[slot].Command[0] = L'\0';
        EntryTable[slot].Parameters[0] = L'\0';
    }
    BuildSectionKey();
    LoadConfigFile();
    if (FindSection())
        ParseEntries();
}

// Fills the slots from the entry lines after the matched header, until the next header,
// the end of the file or six slots; the lines after the sixth entry are not read.
void ParseEntries()
{
    int slot = 0;

    while (slot < EntrySlots) {
        LaunchEntry &entry = EntryTable[slot];

        if (!ReadLine() || LineBuffer[0] == L'[' || LineBuffer[0] == L'{')
            break;
        const WCHAR *cursor = ParseTitle(LineBuffer, entry.Title);
        cursor = ParseCommand(SkipSpaces(cursor + 1), entry.Command);
        ParseParameters(SkipSpaces(cursor + 1), entry.Parameters);
        slot++;
    }
    if (slot == 0)
        ReportConfigError(ButtonTitleErrorCaption, SectionReportStart, SectionKey, NoEntriesEnd);
}

// A command that holds "menu" or "MENU" anywhere names a submenu.
bool IsSubmenuEntry(const LaunchEntry &entry)
{
    return wcsstr(entry.Command, L"menu") != NULL || wcsstr(entry.Command, L"MENU") != NULL;
}

// The submenu's key: its name as written in the parameters, between braces.
void SelectSubmenu(const LaunchEntry &entry)
{
    if (wcslen(entry.Parameters) > SubmenuNameMaxLength)
        ReportFatal(SubMenuCaption, LongSubmenuNameText);
    CopyText(SectionKey, L"{");
    AppendText(SectionKey, entry.Parameters);
    AppendText(SectionKey, L"}");
}
