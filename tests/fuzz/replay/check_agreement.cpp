// velandrimour-check against the launcher, file for file, under Wine. For every start the file
// makes possible (without a file, on a name ending in a dot, on each extension the registration
// pass offers, on one no header names when a "[*]" header stands) the checker's --show must be
// the launcher's own outcome, row for row down every submenu; and the plain check must find an
// error exactly when one of those starts, a submenu reachable from them, or the registration
// pass makes the launcher report. The starts are found with the launcher's procedures alone.
#include "check_agreement.h"

#include <cstdio>
#include <deque>
#include <set>

#include "check/launcher.h"
#include "base/text.h"

namespace {

struct Tally {
    unsigned files = 0, shown = 0, starts = 0, checks = 0, withErrors = 0;
} Counted;

std::string InputPath;
std::string Failure;

void Disagree(const std::string &what, const std::wstring &detail) {
    if (Failure.empty()) Failure = what + ": " + check::ToUtf8(detail);
}

std::wstring Widen(const uint8_t *bytes, size_t size) {
    std::wstring text;
    for (size_t at = 0; at < size; at++) {
        char narrow = (char)bytes[at];
        WCHAR wide = 0;
        MultiByteToWideChar(1251, 0, &narrow, 1, &wide, 1);
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
Outcome Launcher(const std::wstring &argument, const std::wstring &submenuKey, std::vector<LaunchEntry> *entries = nullptr) {
    Outcome outcome;
    SectionKey[0] = 0;
    FileArgument[0] = 0;
    try {
        SetFileArgument(argument.c_str());
        if (!submenuKey.empty()) CopyText(SectionKey, submenuKey.c_str());
        LoadEntries();
        for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++) {
            outcome.table.push_back(Slot(EntryTable[slot]));
            if (entries) entries->push_back(EntryTable[slot]);
        }
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

// --show for one start, row for row against the launcher's LoadEntries for the same key.
void CompareShow(const check::ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey) {
    check::Shown shown = check::Show(image, argument, submenuKey);
    const check::Row &first = shown.rows[0];
    std::wstring launcher = Launcher(argument, submenuKey).Describe();
    if (FromRow(first).Describe() != launcher)
        return Disagree("--show differs from the launcher", L"checker " + FromRow(first).Describe() + L"\nlauncher " + launcher);
    if (first.notice != (submenuKey.empty() && !first.report && first.buttons.empty()))
        return Disagree("--show puts the notice where the launcher does not", argument);
    Counted.shown++;
    for (size_t index = 0; index < shown.rows.size(); index++) {
        for (const check::Button &button : shown.rows[index].buttons) {
            if (button.submenu != IsSubmenuEntry(button.entry)) return Disagree("--show takes a button for another kind", Slot(button.entry));
            if (button.row < 0) {
                if (button.submenu && !button.repeated) return Disagree("--show leaves out a submenu", Slot(button.entry));
                continue;
            }
            const check::Row &row = shown.rows[button.row];
            if (row.notice) return Disagree("--show puts the notice under a submenu", row.key);
            std::wstring expected = row.key.empty() ? L"" : Launcher(argument, button.submenuKey).Describe();
            if (row.key.empty()) {
                try {
                    SelectSubmenu(button.entry);
                } catch (const Reported &report) {
                    expected = Outcome{report, L"", {}}.Describe();
                }
            }
            if (FromRow(row).Describe() != expected)
                return Disagree("--show differs from the launcher in a submenu",
                                L"checker " + FromRow(row).Describe() + L"\nlauncher " + expected);
            Counted.shown++;
        }
    }
}

// The starts the file makes possible, by the launcher's own procedures; true when the
// registration pass reports.
bool StartsOf(const check::ConfigImage &image, unsigned pathLength, std::vector<std::wstring> &starts) {
    starts = {L"", check::PathWithExtension(L"", pathLength)};
    bool reported = false;
    try {
        CollectExtensions();
    } catch (const Reported &) {
        reported = true;
    }
    ExtensionCursor = ExtensionList;
    while (NextExtension())
        if (wcslen(CurrentExtension) <= RegisteredExtensionMaxLength)
            starts.push_back(check::PathWithExtension(CurrentExtension, pathLength));
    // A file of each extension FindSection can find in a lowered header line.
    bool wildcard = false;
    for (const check::SignificantLine &line : image.lines) {
        if (!line.header()) continue;
        wildcard |= line.text.find(L"[*]") != std::wstring::npos;
        std::wstring lowered = check::Lowered(line.text);
        for (size_t open = lowered.find(L'['); open != std::wstring::npos; open = lowered.find(L'[', open + 1))
            for (size_t close = open + 1; close < lowered.size() && close <= open + 1 + ExtensionMaxLength; close++) {
                if (lowered[close] == L'.') break;
                if (lowered[close] == L']')
                    starts.push_back(check::PathWithExtension(lowered.substr(open + 1, close - open - 1), pathLength));
            }
    }
    if (wildcard) starts.push_back(check::PathWithExtension(L"*", pathLength));
    return reported;
}

// Whether any start, any submenu reachable from it, or the registration pass makes the
// launcher report; what it reports, for the message.
bool LauncherReports(const check::ConfigImage &image, unsigned pathLength, std::wstring &what) {
    std::vector<std::wstring> arguments;
    if (StartsOf(image, pathLength, arguments)) {
        what = L"the registration pass";
        return true;
    }
    std::deque<std::pair<std::wstring, std::wstring>> starts;
    for (const std::wstring &argument : arguments) starts.push_back({argument, L""});
    std::set<std::pair<std::wstring, std::wstring>> seen(starts.begin(), starts.end());
    while (!starts.empty()) {
        auto [argument, submenuKey] = starts.front();
        starts.pop_front();
        std::vector<LaunchEntry> entries;
        Outcome outcome = Launcher(argument, submenuKey, &entries);
        Counted.starts++;
        if (outcome.report) {
            what = argument + L" " + outcome.Describe();
            return true;
        }
        for (const LaunchEntry &entry : entries) {
            if (!IsSubmenuEntry(entry)) continue;
            try {
                SelectSubmenu(entry);
            } catch (const Reported &report) {
                what = argument + L" " + report.text;
                return true;
            }
            if (seen.insert({argument, SectionKey}).second) starts.push_back({argument, SectionKey});
        }
    }
    return false;
}

void CompareFile(const std::wstring &text, const uint8_t *file, size_t size, const std::wstring &path,
                 unsigned pathLength) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (handle == INVALID_HANDLE_VALUE || (size && !WriteFile(handle, file, (DWORD)size, &written, nullptr)))
        return Disagree("cannot write the file", path);
    CloseHandle(handle);
    Counted.files++;
    check::ConfigImage image;
    try {
        image = check::OpenConfig(path);
    } catch (const check::CannotRead &cannot) {
        return Disagree("the checker cannot read the file", cannot.message);
    }
    std::vector<std::wstring> arguments;
    StartsOf(image, pathLength, arguments);
    if (!text.empty()) {
        arguments.push_back(text);
        CompareShow(image, L"", L"{" + text.substr(0, std::min(text.size(), SubmenuNameMaxLength)) + L"}");
    }
    for (const std::wstring &argument : arguments) CompareShow(image, argument, L"");
    bool errors = false;
    for (const check::Finding &finding : check::CheckConfig(image, {pathLength}))
        errors |= finding.severity == check::Severity::Error;
    std::wstring what;
    bool reports = LauncherReports(image, pathLength, what);
    Counted.checks++;
    Counted.withErrors += errors;
    if (errors && !reports) Disagree("the check finds an error where no start makes the launcher report", L"");
    if (!errors && reports) Disagree("the check finds no error, but the launcher reports", what);
}

void Finish() {
    if (Failure.empty()) return;
    std::fprintf(stderr, "check agreement broken for %s: %s\n", InputPath.c_str(), Failure.c_str());
    std::fflush(stderr);
    ExitProcess(3);
}

}  // namespace

void CheckAgreementInput(const char *inputPath, const uint8_t *data, size_t size) {
    // The replay's own file beside it, which each input rewrites anyway.
    std::wstring path(ConfigPath);
    InputPath = inputPath;
    // As the entries target reads it: byte 0 a choice, the argument up to a zero, then the file.
    size_t textEnd = size ? 1 : 0;
    while (textEnd < size && data[textEnd]) textEnd++;
    size_t fileStart = textEnd < size ? textEnd + 1 : size;
    CompareFile(Widen(data + (size ? 1 : 0), textEnd - (size ? 1 : 0)), data + fileStart, size - fileStart, path, 100);
    Finish();
    // As the collection target reads it: the whole input is the file.
    CompareFile(L"", data, size, path, 100);
    Finish();
}

bool CheckAgreementFile(const std::string &name, const std::string &bytes, unsigned pathLength) {
    InputPath = name;
    CompareFile(L"", (const uint8_t *)bytes.data(), bytes.size(), std::wstring(ConfigPath), pathLength);
    if (Failure.empty()) return true;
    std::fprintf(stderr, "check agreement broken for %s: %s\n", InputPath.c_str(), Failure.c_str());
    Failure.clear();
    return false;
}

void CheckAgreementSummary(void) {
    std::printf("check: %u files: %u --show rows equal to the launcher's, %u files checked (%u with errors) against "
                "%u starts of the launcher\n",
                Counted.files, Counted.shown, Counted.checks, Counted.withErrors, Counted.starts);
}
