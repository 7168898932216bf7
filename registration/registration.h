/* Registering the program as the shell's handler of file extensions. */
#ifndef VELANDRIMOUR_REGISTRATION_H
#define VELANDRIMOUR_REGISTRATION_H

#include <windows.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

#define REGISTRY_VALUE_CAPACITY 512
/* Room GetModuleFileNameW is given for the executable's path, terminator included. */
#define MODULE_PATH_ROOM 500
extern WCHAR OpenCommandValue[REGISTRY_VALUE_CAPACITY];
extern WCHAR IconValue[REGISTRY_VALUE_CAPACITY];

/* Buffers of one registration: "." and the extension, the file-type name, the question. */
#define KEY_NAME_CAPACITY 52
#define REGISTERED_EXTENSION_MAX_LENGTH 50
#define TYPE_NAME_CAPACITY 72
#define QUESTION_CAPACITY 512

/* The extension to register, without its dot; points into ExtensionList or a caller's text. */
extern const WCHAR *CurrentExtension;

#define EXTENSION_LIST_CAPACITY 1024
#define EXTENSION_LIST_MAX_LENGTH 1020
extern WCHAR ExtensionList[EXTENSION_LIST_CAPACITY];
extern WCHAR *ExtensionCursor;

/* Fills OpenCommandValue and IconValue from the executable's path. */
void BuildRegistryValues(void);

/* Registers CurrentExtension after asking; returns FALSE when the user chose Cancel. */
BOOL RegisterExtension(HWND owner);

/* Registers one typed extension; returns FALSE when the user chose Cancel. */
BOOL RegisterTypedExtension(const WCHAR *extension, HWND owner);

/* Collects the extension headers of the configuration file into ExtensionList. */
void CollectExtensions(void);

/* Sets CurrentExtension to the next name in ExtensionList; FALSE when none is left. */
BOOL NextExtension(void);

/* Offers every extension of the configuration file, until the names run out or Cancel. */
void RegisterAllExtensions(HWND owner);

#ifdef __cplusplus
}
#endif

#endif /* VELANDRIMOUR_REGISTRATION_H */
