/* Registering the program as the shell's handler of file extensions, asking first. */
#include "registration/registration.h"
#include "platform/platform.h"
#include "config/config.h"

WCHAR OpenCommandValue[REGISTRY_VALUE_CAPACITY];
WCHAR IconValue[REGISTRY_VALUE_CAPACITY];
const WCHAR *CurrentExtension;

#define QUESTION_CAPTION L"Подумайте"
#define QUESTION_START L"Вы хотие связать файлы с расширением \""
#define NEW_QUESTION_END L"\" с данной программой?"
#define EXISTING_QUESTION_END L"\" с данной программой?\r\nСтарая связь будет безвозвратно потеряна!"
#define ICON_QUESTION_START L"Вы хотие оставить старую иконку для файлов с расширением\" "
#define ICON_QUESTION_END L"\" (рекомендуется)."
/* Styles 35 and 36: Yes, No and Cancel, and Yes and No, with the question icon. */
#define QUESTION_STYLE (MB_YESNOCANCEL | MB_ICONQUESTION)
#define ICON_QUESTION_STYLE (MB_YESNO | MB_ICONQUESTION)

/* The class string every created key is given. */
static WCHAR KeyClass[] = L"String";

/* What the default value of an existing extension key holds. */
typedef enum StoredTypeName {
    TYPE_NAME_READ,
    TYPE_NAME_MISSING,  /* no default value, an empty one or no text: it names no file type */
    TYPE_NAME_TOO_LONG  /* more than the type-name buffer holds */
} StoredTypeName;

/* The open command "\"path\" %1" and the icon "path,-101" of the running executable. */
void BuildRegistryValues(void)
{
    OpenCommandValue[1] = 0;
    /* A system that cuts a long path does not always terminate it. */
    OpenCommandValue[MODULE_PATH_ROOM + 1] = 0;
    GetModuleFileNameW(NULL, OpenCommandValue + 1, MODULE_PATH_ROOM);
    IconValue[0] = 0;
    AppendText(IconValue, REGISTRY_VALUE_CAPACITY, OpenCommandValue + 1);
    OpenCommandValue[0] = L'"';
    AppendText(OpenCommandValue, REGISTRY_VALUE_CAPACITY, L"\" %1");
    AppendText(IconValue, REGISTRY_VALUE_CAPACITY, L",-101");
}

/* Opens an existing key; NULL when it does not exist or its parent could not be opened. */
static HKEY OpenKey(HKEY parent, const WCHAR *name)
{
    HKEY key = NULL;
    if (!parent || RegOpenKeyExW(parent, name, 0, 0, &key) != ERROR_SUCCESS)
        return NULL;
    return key;
}

/* Creates a key, or opens it when it exists; NULL when that fails. */
static HKEY CreateKey(HKEY parent, const WCHAR *name)
{
    HKEY key = NULL;
    DWORD disposition;
    if (!parent || RegCreateKeyExW(parent, name, 0, KeyClass, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS)
        return NULL;
    return key;
}

static void CloseKey(HKEY key)
{
    if (key)
        RegCloseKey(key);
}

/* Sets the key's default value: type 2, the byte count including the terminator. */
static void SetDefaultValue(HKEY key, const WCHAR *value)
{
    if (key)
        RegSetValueExW(key, NULL, 0, REG_EXPAND_SZ, (const BYTE *)value,
            (DWORD)((wcslen(value) + 1) * sizeof(WCHAR)));
}

/* Asks the question start + CurrentExtension + end and returns the answer. */
static int Ask(HWND owner, const WCHAR *start, const WCHAR *end, UINT style)
{
    WCHAR question[QUESTION_CAPACITY];
    question[0] = 0;
    AppendText(question, QUESTION_CAPACITY, start);
    AppendText(question, QUESTION_CAPACITY, CurrentExtension);
    AppendText(question, QUESTION_CAPACITY, end);
    return MessageBoxW(owner, question, QUESTION_CAPTION, style);
}

/* The extension, "file", and "_" for as long as a key of that name exists.
 * FALSE when the buffer has no room for another "_". */
static BOOL FindFreeTypeName(WCHAR *typeName)
{
    HKEY existing;
    typeName[0] = 0;
    AppendText(typeName, TYPE_NAME_CAPACITY, CurrentExtension);
    AppendText(typeName, TYPE_NAME_CAPACITY, L"file");
    while ((existing = OpenKey(HKEY_CLASSES_ROOT, typeName)) != NULL) {
        size_t length = wcslen(typeName);
        CloseKey(existing);
        if (length + 1 >= TYPE_NAME_CAPACITY)
            return FALSE;
        typeName[length] = L'_';
        typeName[length + 1] = 0;
    }
    return TRUE;
}

/* Writes the whole layout under a free type name: the extension key, the type, its icon
 * and its open command. Writes nothing when no free name fits. */
static void WriteNewRegistration(const WCHAR *keyName)
{
    WCHAR typeName[TYPE_NAME_CAPACITY];
    HKEY extensionKey, typeKey, iconKey, shellKey, openKey, commandKey;
    if (!FindFreeTypeName(typeName))
        return;
    extensionKey = CreateKey(HKEY_CLASSES_ROOT, keyName);
    SetDefaultValue(extensionKey, typeName);
    CloseKey(extensionKey);

    typeKey = CreateKey(HKEY_CLASSES_ROOT, typeName);
    iconKey = CreateKey(typeKey, L"DefaultIcon");
    SetDefaultValue(iconKey, IconValue);
    CloseKey(iconKey);

    shellKey = CreateKey(typeKey, L"Shell");
    openKey = CreateKey(shellKey, L"Open");
    commandKey = CreateKey(openKey, L"Command");
    SetDefaultValue(commandKey, OpenCommandValue);
    CloseKey(commandKey);
    CloseKey(openKey);
    CloseKey(shellKey);
    CloseKey(typeKey);
}

/* Reads the file-type name that an existing extension key names, with the buffer's own size. */
static StoredTypeName ReadTypeName(HKEY extensionKey, WCHAR *typeName)
{
    DWORD type = REG_NONE;
    DWORD size = TYPE_NAME_CAPACITY * sizeof(WCHAR);
    DWORD characters;
    LONG result = RegQueryValueExW(extensionKey, NULL, NULL, &type, (BYTE *)typeName, &size);
    if (result == ERROR_MORE_DATA)
        return TYPE_NAME_TOO_LONG;
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return TYPE_NAME_MISSING;
    /* The stored text need not carry its terminator. */
    characters = size / sizeof(WCHAR);
    if (characters > 0 && typeName[characters - 1] == 0)
        characters--;
    if (characters >= TYPE_NAME_CAPACITY)
        return TYPE_NAME_TOO_LONG;
    typeName[characters] = 0;
    return typeName[0] ? TYPE_NAME_READ : TYPE_NAME_MISSING;
}

/* Points the existing type's open command at the program; creates no key. */
static void RewriteOpenCommand(const WCHAR *typeName)
{
    HKEY typeKey = OpenKey(HKEY_CLASSES_ROOT, typeName);
    HKEY shellKey = OpenKey(typeKey, L"Shell");
    HKEY openKey = OpenKey(shellKey, L"Open");
    HKEY commandKey = OpenKey(openKey, L"Command");
    SetDefaultValue(commandKey, OpenCommandValue);
    CloseKey(commandKey);
    CloseKey(openKey);
    CloseKey(shellKey);
    CloseKey(typeKey);
}

/* Gives the existing type the program's icon; creates no key. */
static void RewriteIcon(const WCHAR *typeName)
{
    HKEY typeKey = OpenKey(HKEY_CLASSES_ROOT, typeName);
    HKEY iconKey = OpenKey(typeKey, L"DefaultIcon");
    SetDefaultValue(iconKey, IconValue);
    CloseKey(iconKey);
    CloseKey(typeKey);
}

/* The extension has no key yet: ask, then write the whole layout. */
static BOOL RegisterNewExtension(HWND owner, const WCHAR *keyName)
{
    int answer = Ask(owner, QUESTION_START, NEW_QUESTION_END, QUESTION_STYLE);
    if (answer == IDCANCEL)
        return FALSE;
    if (answer == IDYES)
        WriteNewRegistration(keyName);
    return TRUE;
}

/* The extension key exists: warn, rewrite the type's open command, ask about the icon.
 * A key that names no type is registered as a new one; one naming a type too long for
 * the buffer gets nothing. Closes extensionKey. */
static BOOL RegisterExistingExtension(HWND owner, const WCHAR *keyName, HKEY extensionKey)
{
    WCHAR typeName[TYPE_NAME_CAPACITY];
    StoredTypeName stored;
    int answer = Ask(owner, QUESTION_START, EXISTING_QUESTION_END, QUESTION_STYLE);
    if (answer != IDYES) {
        CloseKey(extensionKey);
        return answer != IDCANCEL;
    }
    stored = ReadTypeName(extensionKey, typeName);
    CloseKey(extensionKey);
    if (stored == TYPE_NAME_MISSING)
        WriteNewRegistration(keyName);
    if (stored != TYPE_NAME_READ)
        return TRUE;
    RewriteOpenCommand(typeName);
    if (Ask(owner, ICON_QUESTION_START, ICON_QUESTION_END, ICON_QUESTION_STYLE) != IDYES)
        RewriteIcon(typeName);
    return TRUE;
}

/* Registers CurrentExtension after asking; FALSE only when the user chose Cancel. */
BOOL RegisterExtension(HWND owner)
{
    WCHAR keyName[KEY_NAME_CAPACITY];
    HKEY extensionKey;
    if (wcslen(CurrentExtension) > REGISTERED_EXTENSION_MAX_LENGTH) {
        MessageBoxW(owner, L"Слишком длинное расширение.", L"Extention", MB_OK | MB_ICONERROR);
        return TRUE;
    }
    keyName[0] = 0;
    AppendText(keyName, KEY_NAME_CAPACITY, L".");
    AppendText(keyName, KEY_NAME_CAPACITY, CurrentExtension);
    extensionKey = OpenKey(HKEY_CLASSES_ROOT, keyName);
    if (!extensionKey)
        return RegisterNewExtension(owner, keyName);
    return RegisterExistingExtension(owner, keyName, extensionKey);
}

/* Registers one extension as typed, without its dot. */
BOOL RegisterTypedExtension(const WCHAR *extension, HWND owner)
{
    CurrentExtension = extension;
    BuildRegistryValues();
    return RegisterExtension(owner);
}

/* Offers every extension of the configuration file until the names run out or Cancel.
 * Kept beside the registry calls so that the collection stays free of them. */
void RegisterAllExtensions(HWND owner)
{
    BuildRegistryValues();
    CollectExtensions();
    while (NextExtension())
        if (!RegisterExtension(owner))
            break;
}
