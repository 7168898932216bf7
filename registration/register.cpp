// Registering the program as the shell's handler of file extensions, asking first.
#include "registration/registration.h"
#include "platform/platform.h"
#include "base/report.h"
#include "base/text.h"

#include <wchar.h>

WCHAR OpenCommandValue[RegistryValueCapacity];
WCHAR IconValue[RegistryValueCapacity];

namespace {

const WCHAR QuestionCaption[] = L"Подумайте";
const WCHAR QuestionStart[] = L"Вы хотие связать файлы с расширением \"";
const WCHAR NewQuestionEnd[] = L"\" с данной программой?";
const WCHAR ExistingQuestionEnd[] = L"\" с данной программой?\r\nСтарая связь будет безвозвратно потеряна!";
const WCHAR IconQuestionStart[] = L"Вы хотие оставить старую иконку для файлов с расширением\" ";
const WCHAR IconQuestionEnd[] = L"\" (рекомендуется).";
const UINT QuestionStyle = MB_YESNOCANCEL | MB_ICONQUESTION;
const UINT IconQuestionStyle = MB_YESNO | MB_ICONQUESTION;

// The class string every created key is given; the registry call takes it unqualified.
WCHAR KeyClass[] = L"String";

// The type's icon key, opened as one subkey of HKEY_CLASSES_ROOT: T "\DefaultIcon".
const WCHAR IconSubkeySuffix[] = L"\\DefaultIcon";
const size_t IconKeyNameCapacity = TypeNameCapacity - 1 + ELEMENT_COUNT(IconSubkeySuffix);

// What the default value of an existing extension key holds.
enum StoredTypeName {
    TypeNameRead,
    TypeNameMissing, // no default value, an empty one or no text: it names no file type
    TypeNameTooLong  // more than the type-name buffer holds
};

// Opens an existing key; NULL when it does not exist or its parent could not be opened.
HKEY OpenKey(HKEY parent, const WCHAR *name)
{
    HKEY key = NULL;
    if (!parent || RegOpenKeyExW(parent, name, 0, 0, &key) != ERROR_SUCCESS)
        return NULL;
    return key;
}

// Creates a key, or opens it when it exists; NULL when that fails.
HKEY CreateKey(HKEY parent, const WCHAR *name)
{
    HKEY key = NULL;
    DWORD disposition;
    if (!parent || RegCreateKeyExW(parent, name, 0, KeyClass, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS)
        return NULL;
    return key;
}

// Closes a key that was opened or created; a null key is left alone.
void CloseKey(HKEY key)
{
    if (key)
        RegCloseKey(key);
}

// Sets the key's default value, the byte count including the terminator.
void SetDefaultValue(HKEY key, const WCHAR *value)
{
    if (key)
        RegSetValueExW(key, NULL, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE *>(value),
            static_cast<DWORD>((wcslen(value) + 1) * sizeof(WCHAR)));
}

// Points the type's Shell\Open\Command at the program. Each key is reached by reach:
// CreateKey for a new type, OpenKey for an existing one, which gets no key made.
void SetOpenCommand(HKEY typeKey, HKEY (*reach)(HKEY parent, const WCHAR *name))
{
    HKEY shellKey = reach(typeKey, L"Shell");
    HKEY openKey = reach(shellKey, L"Open");
    HKEY commandKey = reach(openKey, L"Command");
    SetDefaultValue(commandKey, OpenCommandValue);
    CloseKey(commandKey);
    CloseKey(openKey);
    CloseKey(shellKey);
}

// Asks the question start + CurrentExtension + end and returns the answer.
int Ask(HWND owner, const WCHAR *start, const WCHAR *end, UINT style)
{
    WCHAR question[QuestionCapacity];
    CopyText(question, start);
    AppendText(question, CurrentExtension);
    AppendText(question, end);
    return MessageBoxW(owner, question, QuestionCaption, style);
}

// The extension, "file", and "_" for as long as a key of that name exists.
// Returns false when the buffer has no room for another "_".
bool FindFreeTypeName(WCHAR (&typeName)[TypeNameCapacity])
{
    CopyText(typeName, CurrentExtension);
    AppendText(typeName, L"file");
    HKEY existing;
    while ((existing = OpenKey(HKEY_CLASSES_ROOT, typeName)) != NULL) {
        size_t length = wcslen(typeName);
        CloseKey(existing);
        if (length + 1 >= TypeNameCapacity)
            return false;
        typeName[length] = L'_';
        typeName[length + 1] = 0;
    }
    return true;
}

// Writes the whole layout under a free type name: the extension key, the type, its icon
// and its open command. Writes nothing when no free name fits.
void WriteNewRegistration(const WCHAR *keyName)
{
    WCHAR typeName[TypeNameCapacity];
    if (!FindFreeTypeName(typeName))
        return;
    HKEY extensionKey = CreateKey(HKEY_CLASSES_ROOT, keyName);
    SetDefaultValue(extensionKey, typeName);
    CloseKey(extensionKey);

    HKEY typeKey = CreateKey(HKEY_CLASSES_ROOT, typeName);
    HKEY iconKey = CreateKey(typeKey, L"DefaultIcon");
    SetDefaultValue(iconKey, IconValue);
    CloseKey(iconKey);
    SetOpenCommand(typeKey, CreateKey);
    CloseKey(typeKey);
}

// Reads the file-type name that an existing extension key names, with the buffer's own size.
StoredTypeName ReadTypeName(HKEY extensionKey, WCHAR (&typeName)[TypeNameCapacity])
{
    DWORD type = REG_NONE;
    DWORD size = sizeof typeName;
    LONG result = RegQueryValueExW(extensionKey, NULL, NULL, &type, reinterpret_cast<BYTE *>(typeName), &size);
    if (result == ERROR_MORE_DATA)
        return TypeNameTooLong;
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return TypeNameMissing;
    // The stored text need not carry its terminator.
    DWORD characters = size / sizeof(WCHAR);
    if (characters > 0 && typeName[characters - 1] == 0)
        characters--;
    if (characters >= TypeNameCapacity)
        return TypeNameTooLong;
    typeName[characters] = 0;
    return typeName[0] ? TypeNameRead : TypeNameMissing;
}

// Points the existing type's open command at the program; creates no key.
void RewriteOpenCommand(const WCHAR *typeName)
{
    HKEY typeKey = OpenKey(HKEY_CLASSES_ROOT, typeName);
    SetOpenCommand(typeKey, OpenKey);
    CloseKey(typeKey);
}

// Gives the existing type the program's icon: its icon key is opened as the one subkey
// T "\DefaultIcon" of HKEY_CLASSES_ROOT. Creates no key.
void RewriteIcon(const WCHAR *typeName)
{
    WCHAR iconKeyName[IconKeyNameCapacity];
    CopyText(iconKeyName, typeName);
    AppendText(iconKeyName, IconSubkeySuffix);
    HKEY iconKey = OpenKey(HKEY_CLASSES_ROOT, iconKeyName);
    SetDefaultValue(iconKey, IconValue);
    CloseKey(iconKey);
}

// The extension has no key yet: ask, then write the whole layout.
bool RegisterNewExtension(HWND owner, const WCHAR *keyName)
{
    int answer = Ask(owner, QuestionStart, NewQuestionEnd, QuestionStyle);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        WriteNewRegistration(keyName);
    return true;
}

// The extension key exists: warn, rewrite the type's open command, ask about the icon.
// A key that names no type is registered as a new one; one naming a type too long for
// the buffer gets nothing. Closes extensionKey.
bool RegisterExistingExtension(HWND owner, const WCHAR *keyName, HKEY extensionKey)
{
    int answer = Ask(owner, QuestionStart, ExistingQuestionEnd, QuestionStyle);
    if (answer != IDYES) {
        CloseKey(extensionKey);
        return answer != IDCANCEL;
    }
    WCHAR typeName[TypeNameCapacity];
    StoredTypeName stored = ReadTypeName(extensionKey, typeName);
    CloseKey(extensionKey);
    if (stored == TypeNameMissing)
        WriteNewRegistration(keyName);
    if (stored != TypeNameRead)
        return true;
    RewriteOpenCommand(typeName);
    if (Ask(owner, IconQuestionStart, IconQuestionEnd, IconQuestionStyle) != IDYES)
        RewriteIcon(typeName);
    return true;
}

} // namespace

// The open command "\"path\" %1" and the icon "path,-101" of the running executable.
void BuildRegistryValues()
{
    OpenCommandValue[1] = 0;
    // A system that cuts a long path does not always terminate it.
    OpenCommandValue[ModulePathRoom + 1] = 0;
    GetModuleFileNameW(NULL, OpenCommandValue + 1, ModulePathRoom);
    CopyText(IconValue, OpenCommandValue + 1);
    OpenCommandValue[0] = L'"';
    AppendText(OpenCommandValue, L"\" %1");
    AppendText(IconValue, L",-101");
}

// Registers CurrentExtension after asking; false only when the user chose Cancel.
bool RegisterExtension(HWND owner)
{
    if (wcslen(CurrentExtension) > RegisteredExtensionMaxLength) {
        MessageBoxW(owner, LongExtensionText, ExtentionCaption, MB_OK | MB_ICONERROR);
        return true;
    }
    WCHAR keyName[KeyNameCapacity];
    CopyText(keyName, L".");
    AppendText(keyName, CurrentExtension);
    HKEY extensionKey = OpenKey(HKEY_CLASSES_ROOT, keyName);
    if (!extensionKey)
        return RegisterNewExtension(owner, keyName);
    return RegisterExistingExtension(owner, keyName, extensionKey);
}

// Registers one extension as typed, without its dot.
bool RegisterTypedExtension(const WCHAR *extension, HWND owner)
{
    CurrentExtension = extension;
    BuildRegistryValues();
    return RegisterExtension(owner);
}

// Offers every extension of the configuration file until the names run out or Cancel.
// Kept beside the registry calls so that the collection stays free of them.
void RegisterAllExtensions(HWND owner)
{
    BuildRegistryValues();
    CollectExtensions();
    while (NextExtension())
        if (!RegisterExtension(owner))
            break;
}
