// Reading back and cleaning up what the registration writes under HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// A key's default value as stored.
struct StoredValue {
    DWORD type;
    DWORD bytes;
    std::wstring text;  // the data as characters, a stored terminator included
};

// The default value of HKEY_CLASSES_ROOT\path, or nullopt when the key or the value is missing.
inline std::optional<StoredValue> DefaultValueOf(const std::wstring &path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, bytes = 0;
    LONG result = RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes);
    std::optional<StoredValue> value;
    if (result == ERROR_SUCCESS) {
        std::vector<BYTE> data(bytes + sizeof(WCHAR));
        DWORD got = bytes;
        RegQueryValueExW(key, nullptr, nullptr, &type, data.data(), &got);
        value = StoredValue{type, got, std::wstring(reinterpret_cast<const WCHAR *>(data.data()), got / sizeof(WCHAR))};
    }
    RegCloseKey(key);
    return value;
}

inline bool KeyExists(const std::wstring &path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The class string a key was created with.
inline std::wstring KeyClassOf(const std::wstring &path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<no key>";
    WCHAR keyClass[64] = L"";
    DWORD length = 64;
    RegQueryInfoKeyW(key, keyClass, &length, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return std::wstring(keyClass, length);
}

// Passes when the key's default value is the text, of type 2 (REG_EXPAND_SZ), with the
// terminator stored and counted: (characters + 1) x 2 bytes.
inline ::testing::AssertionResult HasExpandValue(const std::wstring &path, const std::wstring &text) {
    std::optional<StoredValue> value = DefaultValueOf(path);
    std::string where = std::string("key ") + std::string(path.begin(), path.end());
    if (!value) return ::testing::AssertionFailure() << where << ": no default value";
    if (value->type != REG_EXPAND_SZ) return ::testing::AssertionFailure() << where << ": type " << value->type;
    if (value->bytes != (text.size() + 1) * sizeof(WCHAR))
        return ::testing::AssertionFailure() << where << ": " << value->bytes << " bytes, wanted "
                                             << (text.size() + 1) * sizeof(WCHAR);
    if (value->text != text + L'\0') return ::testing::AssertionFailure() << where << ": other data";
    return ::testing::AssertionSuccess();
}

// Creates HKEY_CLASSES_ROOT\path, with a REG_SZ default value when one is given.
inline bool CreateKeyWithValue(const std::wstring &path, const std::optional<std::wstring> &value = std::nullopt) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = ERROR_SUCCESS;
    if (value)
        result = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value->c_str()),
                                (DWORD)((value->size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

inline void DeleteKeyTree(const std::wstring &path) { RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str()); RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str()); }

// Deletes the named keys, with everything under them, when made and when destroyed.
class ThrowawayKeys {
public:
    explicit ThrowawayKeys(std::vector<std::wstring> names) : names_(std::move(names)) { Clean(); }
    ~ThrowawayKeys() { Clean(); }
    ThrowawayKeys(const ThrowawayKeys &) = delete;
    ThrowawayKeys &operator=(const ThrowawayKeys &) = delete;
    void Add(const std::wstring &name) {
        names_.push_back(name);
        DeleteKeyTree(name);
    }

private:
    void Clean() {
        for (const std::wstring &name : names_) DeleteKeyTree(name);
    }
    std::vector<std::wstring> names_;
};

// The exact name under which HKEY_CLASSES_ROOT stores a key, whose lookup ignores case.
inline std::optional<std::wstring> StoredKeyName(const std::wstring &name) {
    for (DWORD index = 0;; ++index) {
        WCHAR found[256];
        DWORD length = 256;
        LONG result = RegEnumKeyExW(HKEY_CLASSES_ROOT, index, found, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) return std::nullopt;
        if (result == ERROR_SUCCESS && CompareStringOrdinal(found, length, name.c_str(), (int)name.size(), TRUE) == CSTR_EQUAL)
            return std::wstring(found, length);
    }
}

// What the program writes for itself: the open command and the icon of its own executable.
inline std::wstring ExecutablePath() {
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}
inline std::wstring ExpectedOpenCommand() { return L"\"" + ExecutablePath() + L"\" %1"; }
inline std::wstring ExpectedIcon() { return ExecutablePath() + L",-101"; }
