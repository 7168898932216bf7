// LocateConfigFile, given executable paths of every shape. The test binary's own import
// of GetModuleFileNameW is replaced: it hands out a chosen path while one is set, and
// otherwise passes the call on to the system.
#include "config_fixture.h"

namespace {

std::optional<std::wstring> modulePath;  // the path to hand out, when set

DWORD WINAPI ChosenModuleFileName(HMODULE module, LPWSTR buffer, DWORD size) {
    if (!modulePath || module != nullptr) {
        using Real = DWORD(WINAPI *)(HMODULE, LPWSTR, DWORD);
        static Real real = (Real)(void *)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetModuleFileNameW");
        return real(module, buffer, size);
    }
    // As the platform does: a path that does not fit is cut at the buffer's size and
    // then has no terminator.
    DWORD length = (DWORD)modulePath->size();
    if (length >= size) {
        wmemcpy(buffer, modulePath->data(), size);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    wmemcpy(buffer, modulePath->data(), length + 1);
    return length;
}

// The path, or the report's caption, that LocateConfigFile gives for this executable.
std::wstring LocateFor(const std::wstring &executable) {
    modulePath = executable;
    wmemset(ConfigPath, L'x', ConfigPathCapacity);  // no terminator of its own
    std::optional<Reported> report = ReportOf([] { LocateConfigFile(); });
    modulePath.reset();
    if (report) return L"report " + report->caption + L": " + report->text;
    return ConfigPath;
}

// The directory of this length (its closing backslash at that index) with a file name.
std::wstring PathWithBackslashAt(size_t index, const std::wstring &name) {
    return L"C:" + std::wstring(index - 2, L'd') + L"\\" + name;
}

}  // namespace

// Takes the place of kernel32's import entry for the whole test binary, under the entry's
// own name: 32-bit Windows decorates it with the leading underscore and the stdcall bytes.
#if defined(__i386__)
#define GET_MODULE_FILE_NAME_IMPORT "__imp__GetModuleFileNameW@12"
#else
#define GET_MODULE_FILE_NAME_IMPORT "__imp_GetModuleFileNameW"
#endif
DWORD(WINAPI *GetModuleFileNameImport)(HMODULE, LPWSTR, DWORD) __asm__(GET_MODULE_FILE_NAME_IMPORT) =
    ChosenModuleFileName;

TEST(ConfigLocate, FileBesideTheExecutable) {
    ConfigPath[0] = L'\0';
    EXPECT_TRUE(RaisesNoReport([] { LocateConfigFile(); }));
    EXPECT_EQ(std::wstring(ConfigPath), ModuleDirectory() + L"\\velandrimour.ini");
}

TEST(ConfigLocate, EveryShapeOfPath) {
    const std::wstring tooLong = L"report Path: Слишком длинный путь к exe-файлу.";
    const std::wstring strange = L"report INI-file: Странное название у программы.";
    const struct Case {
        const char *name;
        std::wstring executable;
        std::wstring result;
    } cases[] = {
        {"device path", L"\\Windows\\velandrimour.exe", L"\\Windows\\velandrimour.ini"},
        {"desktop path", L"C:\\Program Files\\Velandrimour\\velandrimour.exe",
         L"C:\\Program Files\\Velandrimour\\velandrimour.ini"},
        {"root of the device", L"\\velandrimour.exe", L"\\velandrimour.ini"},
        {"other name, longer than the file name", L"\\Программы\\" + std::wstring(60, L'v') + L".exe",
         L"\\Программы\\velandrimour.ini"},
        {"backslash last", L"\\Windows\\", L"\\Windows\\velandrimour.ini"},
        {"backslash at 480", PathWithBackslashAt(480, L"v.exe"), PathWithBackslashAt(480, L"velandrimour.ini")},
        {"backslash at 481", PathWithBackslashAt(481, L"v.exe"), tooLong},
        {"backslash at 480, path of 511", PathWithBackslashAt(480, std::wstring(30, L'v')),
         PathWithBackslashAt(480, L"velandrimour.ini")},
        {"path of 512, cut by the platform", PathWithBackslashAt(400, std::wstring(111, L'v')), tooLong},
        {"path of 600, its backslash cut off", PathWithBackslashAt(540, L"v.exe"), tooLong},
        {"no backslash", L"velandrimour.exe", strange},
        {"empty", L"", strange},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring result = LocateFor(c.executable);
        EXPECT_EQ(result, c.result);
        if (result.size() <= 497) continue;
        ADD_FAILURE() << "ConfigPath of " << result.size() << " characters";
    }
}
