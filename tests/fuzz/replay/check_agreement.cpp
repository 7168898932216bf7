// velandrimour-check against the launcher, input for input, under Wine: for every kind of key
// the checker's --show outcome is the launcher's own, and a file the checker passes without an
// error never makes the launcher report, for an extension it names, the quick-launch start,
// any submenu reachable from those, or the registration pass.
#include "check_agreement.h"

#include <cstdio>
#include <deque>
#include <set>

#include "check/checker.h"
#include "check/launcher.h"
#include "check/procedures.h"
#include "base/text.h"

namespace {

struct Tally {
    unsigned inputs = 0, compared = 0, clean = 0, starts = 0;
} Counted;

std::string InputPath;

[[noreturn]] void Disagree(const std::string &what, const std::wstring &detail) {
    std::fprintf(stderr, "check agreement broken for %s: %s: %s\n", InputPath.c_str(), what.c_str(),
                 check::ToUtf8(detail).c_str());
    std::fflush(stderr);
    ExitProcess(3);
}

std::wstring Widen(const uint8_t *bytes, size_t size) {
    std::wstring text;
    for (size_t at = 0; at < size; at++) {
        char narrow = (char)bytes[at];
        WCHAR wide = 0;
        MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &wide, 1);
        text += wide;
    }
    return text;
}

// What a start shows: the report, or the key and the table.
struct Outcome {
    std::optional<Reported> report;
    std::wstring key;
    std::vector<std::wstring> table;

    std::wstring Describe() const {
        std::wstring text = L"key=" + key;
        if (report) return text + L" report=" + report->caption + L"|" + report->text + (report->configError ? L"|C" : L"|F");
        for (const std::wstring &entry : table) text += L" [" + entry + L"]";
        return text;
    }
};

std::wstring Slot(const LaunchEntry &entry) {
    return std::wstring(entry.Title) + L";" + entry.Command + L";" + entry.Parameters;
}

// The launcher's own steps: the argument, the key the window sets for a submenu, LoadEntries.
Outcome Launcher(const std::wstring &argument, const std::wstring &submenuKey) {
    Outcome outcome;
    SectionKey[0] = 0;
    FileArgument[0] = 0;
    try {
        SetFileArgument(argument.c_str());
        if (!submenuKey.empty()) CopyText(SectionKey, submenuKey.c_str());
        LoadEntries();
        for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++)
            outcome.table.push_back(Slot(EntryTable[slot]));
    } catch (const Reported &report) {
        outcome.report = report;
    }
    outcome.key = SectionKey;
    return outcome;
}

Outcome FromRow(const check::Row &row) {
    Outcome outcome{row.report, row.key, {}};
    for (const check::Button &button : row.buttons) outcome.table.push_back(Slot(button.entry));
    return outcome;
}

void CompareShow(const check::ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey) {
    Outcome checker = FromRow(submenuKey.empty() ? check::Show(image, argument)
                                                 : check::ShowFromKey(image, argument, submenuKey));
    Outcome launcher = Launcher(argument, submenuKey);
    if (checker.Describe() != launcher.Describe())
        Disagree("--show differs from the launcher", L"checker " + checker.Describe() + L"\nlauncher " + launcher.Describe());
    Counted.compared++;
}

// Every start the file names, and every submenu reachable from them: none may report.
void CheckCleanFile(const check::ConfigImage &image) {
    std::deque<std::pair<std::wstring, std::wstring>> starts{{L"", L""}};
    for (const check::SignificantLine &line : image.lines) {
        if (!line.header()) continue;
        for (const check::HeaderKey &key : check::KeysOfHeader(line.text))
            if (key.key[0] == L'[' && !key.wildcard && !key.name.empty() && key.name.size() <= ExtensionMaxLength &&
                key.name.find(L'.') == std::wstring::npos)
                starts.push_back({L"\\My Documents\\a." + key.name, L""});
    }
    std::set<std::pair<std::wstring, std::wstring>> seen(starts.begin(), starts.end());
    while (!starts.empty()) {
        auto [argument, submenuKey] = starts.front();
        starts.pop_front();
        Outcome outcome = Launcher(argument, submenuKey);
        Counted.starts++;
        if (outcome.report) Disagree("a file without errors makes the launcher report", argument + L" " + outcome.Describe());
        std::vector<LaunchEntry> table(EntryTable, EntryTable + outcome.table.size());
        for (const LaunchEntry &entry : table) {
            if (!OpensSubmenu(entry)) continue;
            try {
                SelectSubmenu(entry);
            } catch (const Reported &report) {
                Disagree("a file without errors has a submenu the launcher refuses", report.text);
            }
            if (seen.insert({argument, SectionKey}).second) starts.push_back({argument, SectionKey});
        }
    }
    try {
        CollectExtensions();
    } catch (const Reported &report) {
        Disagree("a file without errors makes the registration pass report", report.text);
    }
}

// One reading of an input: the argument text and the file.
void CompareFile(const std::wstring &text, const uint8_t *file, size_t size, const std::wstring &path) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (handle == INVALID_HANDLE_VALUE || (size && !WriteFile(handle, file, (DWORD)size, &written, nullptr)))
        Disagree("cannot write the file", path);
    CloseHandle(handle);
    check::ConfigImage image;
    try {
        image = check::OpenConfig(path);
    } catch (const check::CannotRead &cannot) {
        Disagree("the checker cannot read the file", cannot.message);
    }
    std::wstring name = text.substr(0, std::min(text.size(), SubmenuNameMaxLength));
    CompareShow(image, text, L"");
    CompareShow(image, L"", L"");
    CompareShow(image, text, L"{" + name + L"}");
    bool errors = false;
    for (const check::Finding &finding : check::CheckConfig(image, {})) errors |= finding.severity == check::Severity::Error;
    if (!errors) {
        Counted.clean++;
        CheckCleanFile(image);
    }
}

}  // namespace

void CheckAgreementInput(const char *inputPath, const uint8_t *data, size_t size) {
    // The replay's own file beside it, which each input rewrites anyway.
    std::wstring path(ConfigPath);
    InputPath = inputPath;
    Counted.inputs++;
    // As the entries target reads it: byte 0 a choice, the argument up to a zero, then the file.
    size_t textEnd = size ? 1 : 0;
    while (textEnd < size && data[textEnd]) textEnd++;
    size_t fileStart = textEnd < size ? textEnd + 1 : size;
    CompareFile(Widen(data + (size ? 1 : 0), textEnd - (size ? 1 : 0)), data + fileStart, size - fileStart, path);
    // As the collection target reads it: the whole input is the file.
    CompareFile(L"\\My Documents\\a.txt", data, size, path);
}

void CheckAgreementSummary(void) {
    std::printf("check: %u inputs read two ways, %u --show outcomes equal to the launcher's, %u files without "
                "errors and %u starts of the launcher on them without a report\n",
                Counted.inputs, Counted.compared, Counted.clean, Counted.starts);
}
