/* The configuration file: locating and loading it, its significant lines, the section
 * for the current key and the entry table filled from that section. */
#ifndef VELANDRIMOUR_CONFIG_H
#define VELANDRIMOUR_CONFIG_H

#include <windows.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CONFIG_FILE_NAME L"velandrimour.ini"

/* The whole command line: up to 511 characters and the terminator. */
#define FILE_ARGUMENT_CAPACITY 512
#define FILE_ARGUMENT_MAX_LENGTH 511
extern WCHAR FileArgument[FILE_ARGUMENT_CAPACITY];

#define CONFIG_PATH_CAPACITY 512
/* Index of the last backslash of the executable's path beyond which the path is refused. */
#define CONFIG_DIRECTORY_MAX_INDEX 480
extern WCHAR ConfigPath[CONFIG_PATH_CAPACITY];

/* The raw file as last loaded; a file of this size or more is refused. */
#define FILE_BUFFER_CAPACITY 16384
#define FILE_MAX_SIZE (FILE_BUFFER_CAPACITY - 1)
extern BYTE FileBuffer[FILE_BUFFER_CAPACITY];
extern DWORD FileByteCount;
extern DWORD FileReadPosition;

#define LINE_CAPACITY 512
#define LINE_MAX_LENGTH 510
extern WCHAR LineBuffer[LINE_CAPACITY];

/* "[" extension "]" in lower case, "[]" without argument, or "{" name "}" for a submenu. */
#define SECTION_KEY_CAPACITY 44
#define EXTENSION_MAX_LENGTH 40
#define SUBMENU_NAME_MAX_LENGTH 40
extern WCHAR SectionKey[SECTION_KEY_CAPACITY];

#define ENTRY_SLOTS 6
#define TITLE_CAPACITY 41
#define TITLE_MAX_LENGTH 40
#define COMMAND_CAPACITY 512
#define COMMAND_MAX_LENGTH 511
#define PARAMETERS_CAPACITY 512
#define PARAMETERS_MAX_LENGTH 510

/* One launcher slot; in use when its title is not empty. */
typedef struct LaunchEntry {
    WCHAR Title[TITLE_CAPACITY];
    WCHAR Command[COMMAND_CAPACITY];
    WCHAR Parameters[PARAMETERS_CAPACITY];
} LaunchEntry;

/* The slots in use always form a prefix of the table. */
extern LaunchEntry EntryTable[ENTRY_SLOTS];

/* Appends text to a zero-terminated buffer of capacity characters, cutting what does not fit. */
void AppendText(WCHAR *buffer, size_t capacity, const WCHAR *text);

/* Copies the command line into FileArgument; a longer one than it holds is refused. */
void SetFileArgument(const WCHAR *commandLine);

/* Builds ConfigPath: the executable's directory followed by the file name. */
void LocateConfigFile(void);

/* Reads the file afresh into FileBuffer and rewinds the reader; creates it when missing. */
void LoadConfigFile(void);

/* The byte at the read position, sign-extended, or 0 at the end of the data. */
int NextByte(void);

/* Places the next significant line in LineBuffer; returns FALSE when there is none. */
BOOL ReadLine(void);

/* Derives SectionKey from FileArgument, keeping a submenu key already set. */
void BuildSectionKey(void);

/* Reads up to the first header matching SectionKey; returns FALSE only when none matches
 * the no-argument key (every other miss is reported). */
BOOL FindSection(void);

/* Fills EntryTable from the section named by SectionKey. */
void LoadEntries(void);

/* Parses the entry lines that follow the matched header into EntryTable. */
void ParseEntries(void);

#ifdef __cplusplus
}
#endif

#endif /* VELANDRIMOUR_CONFIG_H */
