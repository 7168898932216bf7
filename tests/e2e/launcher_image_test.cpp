// The shipped executable itself: the DLLs it imports.
#include "launcher_harness.h"

#include <algorithm>
#include <cctype>

namespace {

// The names of the DLLs the image imports, upper-cased and sorted.
std::vector<std::string> ImportedDlls(const std::wstring &image) {
    std::vector<std::string> names;
    HMODULE module = LoadLibraryExW(image.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!module) return names;
    auto base = reinterpret_cast<const BYTE *>(module);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + directory.VirtualAddress);
         directory.VirtualAddress && entry->Name; entry++) {
        std::string name(reinterpret_cast<const char *>(base + entry->Name));
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
        names.push_back(name);
    }
    FreeLibrary(module);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// No C++ run-time library, and no DLL the program does not call for its own purpose
// (comctl32's start-up alone would cost more than the window).
TEST(LauncherImage, ImportsOnlyTheSystemDllsItCalls) {
    LauncherInstall install;
    EXPECT_EQ(ImportedDlls(install.exe()),
              (std::vector<std::string>{"ADVAPI32.DLL", "GDI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL"}));
}
