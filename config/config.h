// The configuration file: locating and loading it, its significant lines, the section
// for the current key and the entry table filled from that section.
#ifndef VELANDRIMOUR_CONFIG_H
#define VELANDRIMOUR_CONFIG_H

#include <windows.h>
#include "base/compat.h"

const WCHAR ConfigFileName[] = L"velandrimour.ini";

// The whole command line: up to 511 characters and the terminator.
const size_t FileArgumentCapacity = 512;
const size_t FileArgumentMaxLength = FileArgumentCapacity - 1;
extern WCHAR FileArgument[FileArgumentCapacity];

const size_t ConfigPathCapacity = 512;
// Index of the last backslash of the executable's path beyond which the path is refused.
const ptrdiff_t ConfigDirectoryMaxIndex = 480;
extern WCHAR ConfigPath[ConfigPathCapacity];

// The raw file as last loaded; a file of this size or more is refused.
const DWORD FileBufferCapacity = 16384;
const DWORD FileMaxSize = FileBufferCapacity - 1;
extern BYTE FileBuffer[FileBufferCapacity];
extern DWORD FileByteCount;
extern DWORD FileReadPosition;
// Where the line ReadLine last stored began: the index of its first character after the
// leading spaces. The checker reads it to place what it finds.
extern DWORD FileLineStart;

const size_t LineCapacity = 512;
const size_t LineMaxLength = 510;
extern WCHAR LineBuffer[LineCapacity];

// "[" extension "]" in lower case, "[]" without argument, or "{" name "}" for a submenu.
const size_t SectionKeyCapacity = 44;
const size_t ExtensionMaxLength = 40;
const size_t SubmenuNameMaxLength = 40;
extern WCHAR SectionKey[SectionKeyCapacity];

const int EntrySlots = 6;
const size_t TitleCapacity = 41;
const size_t TitleMaxLength = TitleCapacity - 1;
const size_t CommandCapacity = 512;
const size_t CommandMaxLength = CommandCapacity - 1;
const size_t ParametersCapacity = 512;
const size_t ParametersMaxLength = 510;

// One launcher slot; in use when its title is not empty.
struct LaunchEntry {
    WCHAR Title[TitleCapacity];
    WCHAR Command[CommandCapacity];
    WCHAR Parameters[ParametersCapacity];
};

// The slots in use always form a prefix of the table.
extern LaunchEntry EntryTable[EntrySlots];

// Each limit leaves room for its terminator, and a key holds the brackets around the
// longest extension or submenu name.
STATIC_ASSERT(LineMaxLength + 2 <= LineCapacity, "the character that makes a line too long is stored first");
STATIC_ASSERT(ParametersMaxLength + 1 <= ParametersCapacity, "parameters and terminator");
STATIC_ASSERT(ExtensionMaxLength + 3 <= SectionKeyCapacity, "[extension] and terminator");
STATIC_ASSERT(SubmenuNameMaxLength + 3 <= SectionKeyCapacity, "{name} and terminator");
STATIC_ASSERT(ConfigDirectoryMaxIndex + 1 + ELEMENT_COUNT(ConfigFileName) <= ConfigPathCapacity,
    "directory, file name and terminator");

// Copies the command line into FileArgument; a longer one than it holds is refused.
void SetFileArgument(const WCHAR *commandLine);

// Builds ConfigPath: the executable's directory followed by the file name.
void LocateConfigFile();

// Reads the file afresh into FileBuffer and rewinds the reader; creates it when missing.
void LoadConfigFile();

// The byte at the read position, sign-extended, or 0 at the end of the data.
int NextByte();

// Places the next significant line in LineBuffer; returns false when there is none.
bool ReadLine();

// Derives SectionKey from FileArgument, keeping a submenu key already set.
void BuildSectionKey();

// Reads up to the first header matching SectionKey; returns false only when none matches
// the no-argument key (every other miss is reported).
bool FindSection();

// Fills EntryTable from the section named by SectionKey.
void LoadEntries();

// Parses the entry lines that follow the matched header into EntryTable.
void ParseEntries();

// True when the entry's command names a menu: it opens a submenu instead of a program.
bool IsSubmenuEntry(const LaunchEntry &entry);

// Sets SectionKey to "{" name "}" for the submenu the entry's parameters name, as written;
// a name over 40 characters is refused.
void SelectSubmenu(const LaunchEntry &entry);

#endif // VELANDRIMOUR_CONFIG_H
