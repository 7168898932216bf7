// Registering the program as the shell's handler of file extensions.
#ifndef VELANDRIMOUR_REGISTRATION_H
#define VELANDRIMOUR_REGISTRATION_H

#include <windows.h>
#include "base/compat.h"

const size_t RegistryValueCapacity = 512;
// Room GetModuleFileNameW is given for the executable's path, terminator included.
const DWORD ModulePathRoom = 500;
extern WCHAR OpenCommandValue[RegistryValueCapacity];
extern WCHAR IconValue[RegistryValueCapacity];
// The open command is the quoted path and " %1"; the icon is the path and ",-101".
STATIC_ASSERT(1 + ModulePathRoom + 4 <= RegistryValueCapacity, "\"path\" %1 and terminator");

// Buffers of one registration: "." and the extension, the file-type name, the question.
const size_t RegisteredExtensionMaxLength = 50;
const size_t KeyNameCapacity = 1 + RegisteredExtensionMaxLength + 1;
const size_t TypeNameCapacity = 72;
const size_t QuestionCapacity = 512;

// The extension to register, without its dot; points into ExtensionList or a caller's text.
extern const WCHAR *CurrentExtension;

const size_t ExtensionListCapacity = 1024;
const size_t ExtensionListMaxLength = 1020;
extern WCHAR ExtensionList[ExtensionListCapacity];
extern WCHAR *ExtensionCursor;
STATIC_ASSERT(ExtensionListMaxLength < ExtensionListCapacity, "headers and terminator");

// Fills OpenCommandValue and IconValue from the executable's path.
void BuildRegistryValues();

// Registers CurrentExtension after asking; returns false when the user chose Cancel.
bool RegisterExtension(HWND owner);

// Registers one typed extension; returns false when the user chose Cancel.
bool RegisterTypedExtension(const WCHAR *extension, HWND owner);

// Collects the extension headers of the configuration file into ExtensionList.
void CollectExtensions();

// Sets CurrentExtension to the next name in ExtensionList; false when none is left.
bool NextExtension();

// Offers every extension of the configuration file, until the names run out or Cancel.
void RegisterAllExtensions(HWND owner);

#endif // VELANDRIMOUR_REGISTRATION_H
