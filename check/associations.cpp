// Where each extension of the registration pass points today; the registry is only read.
#include "check/launcher.h"

namespace check {

namespace {

std::wstring DefaultValue(HKEY parent, const std::wstring &name, bool &exists) {
    HKEY key;
    exists = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!exists) return L"";
    WCHAR value[1024] = {};
    DWORD type = 0, size = sizeof value - sizeof(WCHAR);
    if (RegQueryValueExW(key, nullptr, nullptr, &type, (BYTE *)value, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        value[0] = 0;
    RegCloseKey(key);
    return value;
}

// Where the shell sends a file of this extension today, by the registry's default values.
Association RegisteredAssociation(const std::wstring &extension) {
    Association association{extension, Association::NotRegistered, L""};
    if (extension.size() > RegisteredExtensionMaxLength) {
        association.state = Association::Refused;
        return association;
    }
    bool exists;
    std::wstring type = DefaultValue(HKEY_CLASSES_ROOT, L"." + extension, exists);
    if (!exists) return association;
    association.state = Association::Other;
    if (!type.empty()) association.command = DefaultValue(HKEY_CLASSES_ROOT, type + L"\\Shell\\Open\\Command", exists);
    if (Lowered(association.command).find(L"velandrimour.exe") != std::wstring::npos)
        association.state = Association::Ours;
    return association;
}

}  // namespace

std::vector<Association> Associations(std::optional<Reported> &report) {
    SavedLauncherState saved;
    std::vector<Association> list;
    try {
        CollectExtensions();
        while (NextExtension()) list.push_back(RegisteredAssociation(CurrentExtension));
    } catch (const Reported &reported) {
        report = reported;
    }
    return list;
}

}  // namespace check
