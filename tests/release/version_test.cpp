// The version the build passes in, against what the built executables say: the About
// dialog's "Версия", the version resources, and the package's file name.
#include "support/test_support.h"
#include "ui/resource.h"

#define TEXT_OF_(x) #x
#define TEXT_OF(x) TEXT_OF_(x)

namespace {

const std::string VersionText = TEXT_OF(VELANDRIMOUR_VERSION);
const std::wstring Version(VersionText.begin(), VersionText.end());
const std::wstring Program = ModuleDirectory() + L"\\..\\..\\velandrimour.exe";

std::wstring AboutVersion() {
    HMODULE module = LoadLibraryExW(Program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceW(module, MAKEINTRESOURCEW(IDD_ABOUT), (LPCWSTR)RT_DIALOG) : nullptr;
    if (!found) return L"no About dialog";
    auto text = (const WCHAR *)LockResource(LoadResource(module, found));
    std::wstring all(text, SizeofResource(module, found) / sizeof(WCHAR));
    FreeLibrary(module);
    const std::wstring label = L"Версия ";
    size_t at = all.find(label);
    if (at == std::wstring::npos) return L"no \"Версия\" in the About dialog";
    return all.substr(at + label.size(), all.find(L'\0', at) - at - label.size());
}

TEST(Version, AboutDialogAndPackageNameAgreeWithTheBuild) {
    EXPECT_EQ(AboutVersion(), Version);
    EXPECT_EQ(VELANDRIMOUR_PACKAGE_NAME, "velandrimour-" + VersionText + (sizeof(void *) == 8 ? "-win64" : "-win32"));
}

// Explorer's Properties of each shipped executable: the same version, in text and numbers.
TEST(Version, EveryExecutableCarriesItInItsVersionResource) {
    for (std::wstring file : {L"velandrimour.exe", L"velandrimour-check.exe"}) {
        SCOPED_TRACE(std::string(file.begin(), file.end()));
        std::wstring path = ModuleDirectory() + L"\\..\\..\\" + file;
        DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
        ASSERT_NE(size, 0u) << "no version resource";
        std::vector<BYTE> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        auto value = [&](const std::wstring &name) -> std::wstring {
            WCHAR *text = nullptr;
            UINT length = 0;
            std::wstring key = L"\\StringFileInfo\\041904B0\\" + name;
            return VerQueryValueW(info.data(), key.c_str(), (void **)&text, &length) ? text : L"(none)";
        };
        for (auto name : {L"FileVersion", L"ProductVersion"}) EXPECT_EQ(value(name), Version) << name;
        EXPECT_EQ(value(L"ProductName"), L"Velandrimour");
        EXPECT_EQ(value(L"CompanyName"), L"Velandrimour");
        EXPECT_EQ(value(L"OriginalFilename"), file);
        EXPECT_NE(value(L"FileDescription").find_first_of(L"абвгдежзийклмнопрстуфхцчшщыьэюя"), std::wstring::npos);

        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", (void **)&fixed, &length));
        std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionLS));
        EXPECT_EQ(numbers, std::to_wstring(std::stoi(Version)) + L"." +
                               std::to_wstring(std::stoi(Version.substr(Version.find(L'.') + 1))) + L".0.0");
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    }
}

}  // namespace
