/* The fuzzed procedures: input decoding, the program's own procedures over it, a reference
 * reading of the same input by the file format's rules, the invariants that must hold after
 * every input, and the canonical outcome line that the replays compare. */
#include "targets.h"

#include <stdio.h>
#include <string.h>

FuzzReport LastReport;

#define TARGET_ENTRIES 1u
#define TARGET_ARGUMENT 2u
#define TARGET_COLLECT 4u

/* Room for decoded input text and for the reference reading's fields, larger than any limit. */
#define TEXT_ROOM 20000

#define REQUIRE(condition, what) \
    do {                         \
        if (!(condition)) GlueFail(what); \
    } while (0)

/* ---------------------------------------------------------------- wide-text helpers */
/* Own helpers, so that the checks never rely on the string functions under test. */

static size_t Length(const WCHAR *text) {
    size_t length = 0;
    while (text[length]) length++;
    return length;
}

/* Index of the first zero within capacity, or capacity when there is none. */
static size_t BoundedLength(const WCHAR *text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length]) length++;
    return length;
}

static int Same(const WCHAR *a, const WCHAR *b) {
    while (*a && *a == *b) a++, b++;
    return *a == *b;
}

/* Whether the text begins with the prefix. */
static int Begins(const WCHAR *text, const WCHAR *prefix) {
    while (*prefix && *text == *prefix) text++, prefix++;
    return *prefix == 0;
}

static const WCHAR *Find(const WCHAR *text, const WCHAR *sought) {
    for (; *text; text++)
        if (Begins(text, sought)) return text;
    return *sought == 0 ? text : NULL;
}

static int Contains(const WCHAR *text, const WCHAR *sought) { return Find(text, sought) != NULL; }

static void Copy(WCHAR *to, const WCHAR *from) {
    while ((*to++ = *from++) != 0) {
    }
}

static void Append(WCHAR *to, const WCHAR *from) { Copy(to + Length(to), from); }

/* One byte of the configuration file's code page as the platform converts it. */
static WCHAR Widen(uint8_t byte) {
    char narrow = (char)byte;
    WCHAR wide = 0;
    MultiByteToWideChar(1251, 0, &narrow, 1, &wide, 1);
    return wide;
}

static size_t WidenText(const uint8_t *bytes, size_t size, WCHAR *wide, size_t room) {
    size_t count = 0;
    while (count < size && count + 1 < room) {
        wide[count] = Widen(bytes[count]);
        count++;
    }
    wide[count] = 0;
    return count;
}

/* Lower case through the platform's own call, the one the program uses for keys and headers. */
static void Lower(WCHAR *text) {
    if (*text) CharLowerW(text);
}

/* ---------------------------------------------------------------- the program's reports */

typedef enum Variable { NO_VARIABLE, VARIABLE_SECTION_KEY, VARIABLE_FILE_ARGUMENT, VARIABLE_CONFIG_PATH } Variable;

typedef enum ReportId {
    R_NONE = -1,
    R_PARAMETER,
    R_OPEN_CREATE,
    R_MISSING,
    R_READ,
    R_SIZE,
    R_LINE,
    R_NO_DOT,
    R_LONG_EXTENSION,
    R_NO_SECTION,
    R_NO_SEMICOLON,
    R_NO_SECOND_PARAMETER,
    R_NO_SECOND_SEMICOLON,
    R_NO_ENTRIES,
    R_LONG_TITLE,
    R_LONG_COMMAND,
    R_LONG_PARAMETERS,
    R_ASSOCIATE,
    REPORT_COUNT
} ReportId;

/* A report the program may show: caption over head + variable piece + tail. */
typedef struct AllowedReport {
    unsigned targets; /* which targets may meet it */
    int configError;
    const WCHAR *caption;
    const WCHAR *head;
    Variable variable;
    const WCHAR *tail;
} AllowedReport;

#define IN_SECTION L"В файле velandrimour.ini, в разделе для расширения \""
static const AllowedReport AllowedReports[REPORT_COUNT] = {
    /* R_PARAMETER */ {TARGET_ENTRIES | TARGET_ARGUMENT, 0, L"Parameter", L"Слишком длинный параметр программы.",
                     NO_VARIABLE, L""},
    /* R_OPEN_CREATE */ {TARGET_ENTRIES, 0, L"File error", L"Фатальная ошибка открытия/создания файла \n\r",
                       VARIABLE_CONFIG_PATH, L". \n\rВероятно доступ заблокирован другой программой."},
    /* R_MISSING */ {TARGET_ENTRIES, 1, L"File error", L"Осутствует файл \n\r", VARIABLE_CONFIG_PATH,
                   L".\n\rФайл создан заново."},
    /* No input makes the read itself fail. */
    /* R_READ */ {0, 0, L"File error",
                L"Ошибка чтения из файла velandrimour.ini.\n\rВероятно доступ заблокирован другой программой.",
                NO_VARIABLE, L""},
    /* R_SIZE */ {TARGET_ENTRIES | TARGET_COLLECT, 0, L"File error",
                L"Размер файла velandrimour.ini должен быть менее 16Кб.", NO_VARIABLE, L""},
    /* R_LINE */ {TARGET_ENTRIES | TARGET_COLLECT, 1, L"INI-file", L"Слишком длинная строка в ИНИ-файле", NO_VARIABLE,
                L""},
    /* R_NO_DOT */ {TARGET_ENTRIES | TARGET_ARGUMENT, 0, L"Extention error", L"Параметр программы: ",
                  VARIABLE_FILE_ARGUMENT, L" не содержит точки, а значит и расширения."},
    /* R_LONG_EXTENSION */ {TARGET_ENTRIES | TARGET_ARGUMENT, 0, L"Extention", L"Слишком длинное расширение.",
                          NO_VARIABLE, L""},
    /* R_NO_SECTION */ {TARGET_ENTRIES, 1, L"Extention error", L"В файле velandrimour.ini нет раздела для расширения \"",
                      VARIABLE_SECTION_KEY, L",\" а так же раздела для [*]."},
    /* R_NO_SEMICOLON */ {TARGET_ENTRIES, 1, L"Text error", IN_SECTION, VARIABLE_SECTION_KEY,
                        L"\" содержиться строка без ';'."},
    /* R_NO_SECOND_PARAMETER */ {TARGET_ENTRIES, 1, L"Text error", IN_SECTION, VARIABLE_SECTION_KEY,
                               L"\" содержиться строка без второго параметра."},
    /* R_NO_SECOND_SEMICOLON */ {TARGET_ENTRIES, 1, L"Text error", IN_SECTION, VARIABLE_SECTION_KEY,
                               L"\" содержиться строка без второго ';'."},
    /* R_NO_ENTRIES */ {TARGET_ENTRIES, 1, L"Button title error", IN_SECTION, VARIABLE_SECTION_KEY,
                      L"\" нет записей."},
    /* R_LONG_TITLE */ {TARGET_ENTRIES, 1, L"Button title", L"Слишком длинная надпись на кнопке.", NO_VARIABLE, L""},
    /* A line holds at most 510 characters, so no file reaches the command's limit. */
    /* R_LONG_COMMAND */ {0, 0, L"Execline", L"Слишком длинная комантная строка.", NO_VARIABLE, L""},
    /* R_LONG_PARAMETERS */ {TARGET_ENTRIES, 0, L"Paramline", L"Слишком длинная строка параметров.", NO_VARIABLE,
                           L""},
    /* R_ASSOCIATE */ {TARGET_COLLECT, 0, L"Associate", L"Суммарная длина расширений превышает 1024 символа.",
                     NO_VARIABLE, L""},
};

static WCHAR ConfigPathAtStart[ConfigPathCapacity];

static const WCHAR *VariableText(Variable variable, const WCHAR *sectionKey, const WCHAR *fileArgument) {
    switch (variable) {
    case VARIABLE_SECTION_KEY: return sectionKey;
    case VARIABLE_FILE_ARGUMENT: return fileArgument;
    case VARIABLE_CONFIG_PATH: return ConfigPathAtStart;
    default: return L"";
    }
}

/* Whether the text is head + variable + tail. */
static int TextIs(const WCHAR *text, const AllowedReport *allowed, const WCHAR *variable) {
    size_t head = Length(allowed->head), middle = Length(variable);
    return Begins(text, allowed->head) && Begins(text + head, variable) && Same(text + head + middle, allowed->tail);
}

/* The program's own report that the last report is, for this target; fails on any other. */
static ReportId IdentifyReport(unsigned target) {
    for (int id = 0; id < REPORT_COUNT; id++) {
        const AllowedReport *allowed = &AllowedReports[id];
        if (!(allowed->targets & target) || allowed->configError != LastReport.configError) continue;
        if (!Same(LastReport.caption, allowed->caption)) continue;
        if (TextIs(LastReport.text, allowed, VariableText(allowed->variable, SectionKey, FileArgument)))
            return (ReportId)id;
    }
    GlueFail("a report that is not one of the program's own texts");
}

/* ---------------------------------------------------------------- state */

/* Stale contents that no input converts to: a buffer that the program leaves unterminated, or
 * reads past what it wrote, then shows in the outcome instead of passing for a zero. */
#define STALE_CHARACTER 0xFDD0
#define STALE_BYTE 'A'

/* A text of the given length, as long as the buffer's limit allows. */
static void FillStale(WCHAR *buffer, size_t length) {
    for (size_t index = 0; index < length; index++) buffer[index] = STALE_CHARACTER;
    buffer[length] = 0;
}

/* The state at start-up; the line, file and list buffers as a previous pass leaves them. */
static void ResetProgramState(void) {
    memset(FileArgument, 0, sizeof FileArgument);
    memset(FileBuffer, STALE_BYTE, sizeof FileBuffer);
    FileByteCount = 0;
    FileReadPosition = 0;
    FillStale(LineBuffer, LineMaxLength);
    memset(SectionKey, 0, sizeof SectionKey);
    memset(EntryTable, 0, sizeof EntryTable);
    FillStale(ExtensionList, ExtensionListMaxLength);
    ExtensionCursor = ExtensionList;
    CurrentExtension = NULL;
    memset(&LastReport, 0, sizeof LastReport);
}

/* A full table, as a load before a submenu's leaves it. */
static void FillStaleTable(void) {
    for (int slot = 0; slot < EntrySlots; slot++) {
        FillStale(EntryTable[slot].Title, TitleMaxLength);
        FillStale(EntryTable[slot].Command, CommandMaxLength);
        FillStale(EntryTable[slot].Parameters, ParametersMaxLength);
    }
}

/* The table before the load, to tell a field that was written from one left alone. */
static LaunchEntry TableBefore[EntrySlots];

void FuzzSetUp(void) {
    ResetProgramState();
    if (GlueGuardedCall(LocateConfigFile)) GlueFail("LocateConfigFile reported");
    memcpy(ConfigPathAtStart, ConfigPath, sizeof ConfigPath);
    REQUIRE(BoundedLength(ConfigPath, ConfigPathCapacity) <= 497, "ConfigPath longer than 497 characters");
}

static WCHAR InputText[TEXT_ROOM];

static void SetArgumentFromInput(void) { SetFileArgument(InputText); }

/* ---------------------------------------------------------------- invariants */

/* After every input, whatever its outcome. */
static void CheckBuffers(int reported, ReportId report) {
    REQUIRE(BoundedLength(FileArgument, FileArgumentCapacity) <= FileArgumentMaxLength,
            "FileArgument not terminated within 511 characters");
    REQUIRE(memcmp(ConfigPath, ConfigPathAtStart, sizeof ConfigPath) == 0, "ConfigPath changed");
    REQUIRE(FileByteCount <= FileBufferCapacity, "FileByteCount beyond 16384");
    REQUIRE(FileReadPosition <= FileByteCount, "FileReadPosition beyond FileByteCount");
    size_t line = BoundedLength(LineBuffer, LineCapacity);
    REQUIRE(line < LineCapacity, "LineBuffer not terminated within its capacity");
    REQUIRE(line <= LineMaxLength || (reported && report == R_LINE && line == LineMaxLength + 1),
            "LineBuffer longer than 510 characters");
    REQUIRE(BoundedLength(SectionKey, SectionKeyCapacity) <= ExtensionMaxLength + 2,
            "SectionKey not terminated within 42 characters");
    REQUIRE(BoundedLength(ExtensionList, ExtensionListCapacity) < ExtensionListCapacity,
            "ExtensionList not terminated within its capacity");
    REQUIRE(ExtensionCursor == NULL ||
                (ExtensionCursor >= ExtensionList && ExtensionCursor < ExtensionList + ExtensionListCapacity),
            "ExtensionCursor outside ExtensionList");

    int inUse = 1;
    for (int slot = 0; slot < EntrySlots; slot++) {
        const LaunchEntry *entry = &EntryTable[slot];
        size_t title = BoundedLength(entry->Title, TitleCapacity);
        /* The title report may come once the 41st character is stored, at the field's last
         * place; the command after it must then be untouched. */
        REQUIRE(title <= TitleMaxLength ||
                    (reported && report == R_LONG_TITLE && title == TitleCapacity &&
                     entry->Command[0] == TableBefore[slot].Command[0]),
                "title longer than 40 characters");
        REQUIRE(BoundedLength(entry->Command, CommandCapacity) <= CommandMaxLength,
                "command not terminated within 511 characters");
        REQUIRE(BoundedLength(entry->Parameters, ParametersCapacity) <= ParametersMaxLength,
                "parameters not terminated within 510 characters");
        if (!reported) {
            REQUIRE(inUse || entry->Title[0] == 0, "the slots in use are not a prefix of the table");
            if (entry->Title[0] == 0) inUse = 0;
        }
    }
}

/* The key is one of its three forms. */
static void CheckSectionKeyForm(void) {
    size_t length = Length(SectionKey);
    if (SectionKey[0] == L'{') {
        REQUIRE(length >= 2 && SectionKey[length - 1] == L'}', "submenu key not closed");
        return;
    }
    REQUIRE(length >= 2 && SectionKey[0] == L'[' && SectionKey[length - 1] == L']', "SectionKey in no known form");
    WCHAR lowered[SectionKeyCapacity];
    Copy(lowered, SectionKey);
    Lower(lowered);
    REQUIRE(Same(lowered, SectionKey), "SectionKey not in lower case");
}

/* A filled table: each slot in use as an entry line can make it. */
static void CheckTable(void) {
    for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++) {
        const LaunchEntry *entry = &EntryTable[slot];
        REQUIRE(entry->Title[0] != L' ' && entry->Title[0] != L'[' && entry->Title[0] != L'{',
                "title begins with a blank or a bracket");
        REQUIRE(!Contains(entry->Title, L";") && !Contains(entry->Command, L";"), "';' inside a title or command");
        REQUIRE(entry->Command[0] != L' ', "command begins with a blank");
        size_t parameters = Length(entry->Parameters);
        REQUIRE(parameters == 0 || entry->Parameters[parameters - 1] != L' ', "parameters end with a blank");
    }
}

/* ---------------------------------------------------------------- reference reading */
/* The file format's rules, read independently of the program, over the same input. */

typedef struct Model {
    const uint8_t *bytes;
    size_t size, position;
    WCHAR key[TEXT_ROOM];
    WCHAR argument[TEXT_ROOM];
    WCHAR line[TEXT_ROOM];
    ReportId report;
    int slots;
    WCHAR title[EntrySlots][TEXT_ROOM];
    WCHAR command[EntrySlots][TEXT_ROOM];
    WCHAR parameters[EntrySlots][TEXT_ROOM];
    WCHAR list[TEXT_ROOM];
} Model;

static Model Reference;

static int ModelByte(Model *model) {
    if (model->position >= model->size) return 0;
    return model->bytes[model->position++];
}

/* 1: a significant line in model->line; 0: none left; -1: a line reached 511 characters. */
static int ModelReadLine(Model *model) {
    for (;;) {
        size_t count = 0;
        for (;;) {
            if (count > LineMaxLength) return -1;
            int byte = ModelByte(model);
            if (byte == 13) {
                ModelByte(model);
                break;
            }
            if (byte == 0) {
                if (count > 0) break;
                return 0;
            }
            if (byte == ' ' && count == 0) continue;
            model->line[count++] = Widen((uint8_t)byte);
        }
        model->line[count] = 0;
        if (count > 0 && model->line[0] != L';') return 1;
    }
}

/* The loaded file as the program sees it; R_NONE when it loads. */
static ReportId ModelLoad(Model *model, ConfigFileState state, const uint8_t *bytes, size_t size) {
    if (state == CONFIG_MISSING) return R_MISSING;
    if (state == CONFIG_LOCKED) return R_OPEN_CREATE;
    if (size >= FileBufferCapacity) return R_SIZE;
    model->bytes = bytes;
    model->size = size;
    model->position = 0;
    return R_NONE;
}

/* The key for the model's argument, unless the key already is a submenu key. */
static ReportId ModelBuildKey(Model *model) {
    if (model->key[0] == L'{') return R_NONE;
    size_t length = Length(model->argument);
    if (length == 0) {
        Copy(model->key, L"[]");
        return R_NONE;
    }
    size_t dot = length;
    while (dot > 0 && model->argument[dot - 1] != L'.') dot--;
    if (dot == 0) return R_NO_DOT;
    if (length - dot > ExtensionMaxLength) return R_LONG_EXTENSION;
    Copy(model->key, L"[");
    Append(model->key, model->argument + dot);
    Append(model->key, L"]");
    Lower(model->key);
    return R_NONE;
}

/* R_NONE with found set, or the report. */
static ReportId ModelFindSection(Model *model, int *found) {
    *found = 0;
    for (;;) {
        int read = ModelReadLine(model);
        if (read < 0) return R_LINE;
        if (read == 0) return Contains(model->key, L"[]") ? R_NONE : R_NO_SECTION;
        if (model->line[0] != L'[' && model->line[0] != L'{') continue;
        if (Contains(model->line, L"[*]") && !Contains(model->key, L"[]")) break;
        Lower(model->line);
        if (Contains(model->line, model->key)) break;
    }
    *found = 1;
    return R_NONE;
}

static ReportId ModelParseEntries(Model *model) {
    size_t argument = Length(model->argument);
    for (model->slots = 0; model->slots < EntrySlots;) {
        int read = ModelReadLine(model);
        if (read < 0) return R_LINE;
        if (read == 0 || model->line[0] == L'[' || model->line[0] == L'{') break;
        const WCHAR *at = model->line;
        WCHAR *title = model->title[model->slots], *command = model->command[model->slots],
              *parameters = model->parameters[model->slots];
        size_t count = 0;
        for (;;) {
            if (*at == 0) return R_NO_SEMICOLON;
            title[count++] = *at++;
            if (count > TitleMaxLength) return R_LONG_TITLE;
            if (*at == L';') break;
        }
        title[count] = 0;
        for (at++; *at == L' ';) at++;
        if (*at == 0) return R_NO_SECOND_PARAMETER;
        count = 0;
        while (*at != L';') {
            command[count++] = *at++;
            if (count > CommandMaxLength) return R_LONG_COMMAND;
            if (*at == 0) return R_NO_SECOND_SEMICOLON;
        }
        command[count] = 0;
        for (at++; *at == L' ';) at++;
        count = 0;
        while (*at) {
            if (at[0] == L'%' && at[1] == L'1') {
                if (count + argument > ParametersMaxLength) return R_LONG_PARAMETERS;
                memcpy(parameters + count, model->argument, argument * sizeof(WCHAR));
                count += argument;
                at += 2;
            } else {
                if (count + 1 > ParametersMaxLength) return R_LONG_PARAMETERS;
                parameters[count++] = *at++;
            }
        }
        while (count > 0 && parameters[count - 1] == L' ') count--;
        parameters[count] = 0;
        model->slots++;
    }
    return model->slots == 0 ? R_NO_ENTRIES : R_NONE;
}

static ReportId ModelCollect(Model *model) {
    model->list[0] = 0;
    size_t length = 0;
    for (;;) {
        int read = ModelReadLine(model);
        if (read < 0) return R_LINE;
        if (read == 0) return R_NONE;
        if (model->line[0] != L'[') continue;
        if (Contains(model->line, L"[*]")) return R_NONE;
        size_t line = Length(model->line);
        if (length + line > ExtensionListMaxLength) return R_ASSOCIATE;
        Copy(model->list + length, model->line);
        length += line;
    }
}

/* The program's outcome must be the reference reading's: the same report, or none. */
static void RequireReport(int reported, ReportId actual, ReportId expected, const char *what) {
    if (expected == R_NONE) REQUIRE(!reported, what);
    else REQUIRE(reported && actual == expected, what);
}

/* ---------------------------------------------------------------- outcome lines */

typedef struct Line {
    char *text;
    size_t length;
} Line;

static void Put(Line *line, const char *text) {
    if (!line->text) return;
    size_t length = strlen(text);
    if (line->length + length + 1 > OUTCOME_CAPACITY) length = OUTCOME_CAPACITY - 1 - line->length;
    memcpy(line->text + line->length, text, length);
    line->length += length;
    line->text[line->length] = 0;
}

/* Wide text in printable ASCII, ConfigPath named rather than spelled (it differs by build). */
static void PutWide(Line *line, const WCHAR *text) {
    if (!line->text) return;
    size_t configPath = Length(ConfigPathAtStart);
    while (*text) {
        if (configPath && Begins(text, ConfigPathAtStart)) {
            Put(line, "<ConfigPath>");
            text += configPath;
            continue;
        }
        char piece[8];
        unsigned character = *text++;
        if (character >= 0x20 && character < 0x7F && character != '\\' && character != '|' && character != '<')
            snprintf(piece, sizeof piece, "%c", (char)character);
        else
            snprintf(piece, sizeof piece, "\\u%04X", character);
        Put(line, piece);
    }
}

static void PutReport(Line *line) {
    Put(line, LastReport.configError ? " report=C|" : " report=F|");
    PutWide(line, LastReport.caption);
    Put(line, "|");
    PutWide(line, LastReport.text);
}

static void PutReadPosition(Line *line) {
    char figures[48];
    snprintf(figures, sizeof figures, " read=%u/%u", (unsigned)FileReadPosition, (unsigned)FileByteCount);
    Put(line, figures);
}

/* ---------------------------------------------------------------- target 1: LoadEntries */

enum { KEY_EXTENSION, KEY_NO_ARGUMENT, KEY_SUBMENU };

/* Byte 0 chooses the kind of key (mod 3) and the file's state; the bytes up to the first
 * zero are the argument (and, for a submenu, its name); the rest is the file. */
void RunEntriesInput(const uint8_t *data, size_t size, char *outcome) {
    ResetProgramState();
    uint8_t choice = size ? data[0] : 0;
    int kind = choice % 3;
    int stateChoice = (choice / 3) % 8;
    ConfigFileState state = stateChoice == 6 ? CONFIG_MISSING : stateChoice == 7 ? CONFIG_LOCKED : CONFIG_PRESENT;
    size_t textEnd = size ? 1 : 0;
    while (textEnd < size && data[textEnd]) textEnd++;
    size_t textLength = WidenText(data + 1, textEnd > 0 ? textEnd - 1 : 0, InputText, TEXT_ROOM);
    const uint8_t *file = textEnd < size ? data + textEnd + 1 : data + size;
    size_t fileSize = (size_t)(data + size - file);

    Model *model = &Reference;
    model->key[0] = 0;
    model->argument[0] = 0;
    model->report = R_NONE;
    model->slots = 0;
    if (kind != KEY_NO_ARGUMENT) {
        if (textLength > FileArgumentMaxLength) model->report = R_PARAMETER;
        else Copy(model->argument, InputText);
    }
    WCHAR submenuKey[SectionKeyCapacity];
    if (kind == KEY_SUBMENU) {
        size_t name = textLength > SubmenuNameMaxLength ? SubmenuNameMaxLength : textLength;
        submenuKey[0] = L'{';
        memcpy(submenuKey + 1, InputText, name * sizeof(WCHAR));
        submenuKey[name + 1] = L'}';
        submenuKey[name + 2] = 0;
        Copy(model->key, submenuKey);
    }
    int found = 0;
    if (model->report == R_NONE) model->report = ModelBuildKey(model);
    if (model->report == R_NONE) model->report = ModelLoad(model, state, file, fileSize);
    if (model->report == R_NONE) model->report = ModelFindSection(model, &found);
    if (model->report == R_NONE && found) model->report = ModelParseEntries(model);

    if (kind == KEY_SUBMENU) FillStaleTable();
    memcpy(TableBefore, EntryTable, sizeof EntryTable);
    GlueSetConfigFile(state, file, fileSize);
    int reported = 0;
    if (kind != KEY_NO_ARGUMENT) reported = GlueGuardedCall(SetArgumentFromInput);
    if (!reported && kind == KEY_SUBMENU) Copy(SectionKey, submenuKey);
    if (!reported) reported = GlueGuardedCall(LoadEntries);
    ReportId report = reported ? IdentifyReport(TARGET_ENTRIES) : R_NONE;

    CheckBuffers(reported, report);
    if (SectionKey[0]) CheckSectionKeyForm();
    if (!reported) {
        CheckTable();
        REQUIRE(EntryTable[0].Title[0] || Contains(SectionKey, L"[]"), "an empty table for a key with arguments");
    }
    RequireReport(reported, report, model->report, "LoadEntries: another report than the file's rules give");
    if (model->report != R_PARAMETER && model->report != R_NO_DOT && model->report != R_LONG_EXTENSION)
        REQUIRE(Same(SectionKey, model->key), "LoadEntries: another SectionKey than the argument gives");
    if (!reported) {
        for (int slot = 0; slot < EntrySlots; slot++) {
            const LaunchEntry *entry = &EntryTable[slot];
            if (slot >= model->slots) {
                REQUIRE(entry->Title[0] == 0, "LoadEntries: more slots in use than entry lines");
                continue;
            }
            REQUIRE(Same(entry->Title, model->title[slot]) && Same(entry->Command, model->command[slot]) &&
                        Same(entry->Parameters, model->parameters[slot]),
                    "LoadEntries: a slot that differs from its entry line");
        }
    }
    GlueEndInput(reported);

    Line line = {outcome, 0};
    if (outcome) outcome[0] = 0;
    Put(&line, "E key=");
    PutWide(&line, SectionKey);
    if (reported) {
        PutReport(&line);
    } else {
        Put(&line, " table=");
        for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++) {
            if (slot) Put(&line, "|");
            PutWide(&line, EntryTable[slot].Title);
            Put(&line, ";");
            PutWide(&line, EntryTable[slot].Command);
            Put(&line, ";");
            PutWide(&line, EntryTable[slot].Parameters);
        }
    }
    PutReadPosition(&line);
}

/* ---------------------------------------------------------------- target 2: the key */

static const WCHAR *const LeftoverKeys[] = {L"", L"[old]", L"{menu}", L"[]"};

/* Byte 0 chooses the key left from before (mod 4); the rest is the command line. */
void RunArgumentInput(const uint8_t *data, size_t size, char *outcome) {
    ResetProgramState();
    uint8_t choice = size ? data[0] : 0;
    const WCHAR *leftover = LeftoverKeys[choice % 4];
    size_t textLength = WidenText(data + (size ? 1 : 0), size ? size - 1 : 0, InputText, TEXT_ROOM);
    size_t commandLength = BoundedLength(InputText, textLength + 1);

    Model *model = &Reference;
    Copy(model->key, leftover);
    model->argument[0] = 0;
    model->report = R_NONE;
    if (commandLength > FileArgumentMaxLength) model->report = R_PARAMETER;
    else Copy(model->argument, InputText);
    if (model->report == R_NONE) model->report = ModelBuildKey(model);

    Copy(SectionKey, leftover);
    memcpy(TableBefore, EntryTable, sizeof EntryTable);
    int reported = GlueGuardedCall(SetArgumentFromInput);
    if (!reported) reported = GlueGuardedCall(BuildSectionKey);
    ReportId report = reported ? IdentifyReport(TARGET_ARGUMENT) : R_NONE;

    CheckBuffers(reported, report);
    if (!reported) {
        CheckSectionKeyForm();
        REQUIRE(Same(FileArgument, InputText), "FileArgument is not the command line");
    }
    RequireReport(reported, report, model->report, "BuildSectionKey: another report than the argument gives");
    if (!reported) REQUIRE(Same(SectionKey, model->key), "BuildSectionKey: another SectionKey than the argument gives");

    Line line = {outcome, 0};
    if (outcome) outcome[0] = 0;
    Put(&line, "A key=");
    PutWide(&line, SectionKey);
    Put(&line, " argument=");
    PutWide(&line, FileArgument);
    if (reported) PutReport(&line);
}

/* ---------------------------------------------------------------- target 3: extensions */

static BOOL LastNext;
static void CallNextExtension(void) { LastNext = NextExtension(); }

/* The whole input is the file. */
void RunCollectInput(const uint8_t *data, size_t size, char *outcome) {
    ResetProgramState();
    Model *model = &Reference;
    model->report = ModelLoad(model, CONFIG_PRESENT, data, size);
    if (model->report == R_NONE) model->report = ModelCollect(model);

    memcpy(TableBefore, EntryTable, sizeof EntryTable);
    GlueSetConfigFile(CONFIG_PRESENT, data, size);
    int reported = GlueGuardedCall(CollectExtensions);
    ReportId report = reported ? IdentifyReport(TARGET_COLLECT) : R_NONE;
    CheckBuffers(reported, report);
    RequireReport(reported, report, model->report, "CollectExtensions: another report than the file's rules give");
    GlueEndInput(reported);

    Line line = {outcome, 0};
    if (outcome) outcome[0] = 0;
    Put(&line, "X");
    if (reported) {
        PutReport(&line);
        PutReadPosition(&line);
        return;
    }
    REQUIRE(Length(ExtensionList) <= ExtensionListMaxLength, "ExtensionList longer than 1020 characters");
    REQUIRE(ExtensionCursor == ExtensionList, "ExtensionCursor not at the start of the list");
    REQUIRE(Same(ExtensionList, model->list), "CollectExtensions: another list than the file's headers give");
    Put(&line, " list=");
    PutWide(&line, ExtensionList);
    Put(&line, " names=");

    /* The names, as the list's brackets give them, and where each lies in the list. */
    WCHAR *list = model->list;
    size_t at = 0;
    for (int names = 0;; names++) {
        REQUIRE((size_t)names <= ExtensionListCapacity, "NextExtension does not end");
        size_t begin = 0, end = 0;
        int expected = 0;
        for (;;) {
            while (list[at] && list[at] != L'[') at++;
            if (!list[at]) break;
            begin = ++at;
            while (list[at] && list[at] != L']') at++;
            if (!list[at]) break;
            end = at;
            list[at++] = 0;
            if (end > begin) {
                expected = 1;
                break;
            }
        }
        if (GlueGuardedCall(CallNextExtension)) GlueFail("NextExtension reported");
        CheckBuffers(0, R_NONE);
        REQUIRE(!!LastNext == expected, "NextExtension: another end than the list's brackets give");
        if (!expected) break;
        const WCHAR *name = CurrentExtension;
        REQUIRE(name >= ExtensionList && name < ExtensionList + ExtensionListCapacity,
                "CurrentExtension outside ExtensionList");
        size_t room = (size_t)(ExtensionList + ExtensionListCapacity - name);
        REQUIRE(BoundedLength(name, room) < room, "CurrentExtension not terminated inside ExtensionList");
        REQUIRE((size_t)(name - ExtensionList) == begin && Same(name, list + begin),
                "NextExtension: another name than the list's brackets give");
        if (names) Put(&line, ",");
        PutWide(&line, name);
    }
}
