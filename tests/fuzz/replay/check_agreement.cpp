// velandrimour-check against the launcher, file for file, under Wine. For every start the file
// makes possible (without a file, on a name ending in a dot, on each extension the registration
// pass offers, on one no header names when a "[*]" header stands) the checker's --show must be
// the launcher's own outcome, row for row down every submenu; and the plain check must find an
// error exactly when one of those starts, a submenu reachable from them, or the registration
// pass makes the launcher report; and it must note exactly the lines of the program buttons that a
// start with a file shows without the path. Over the size limit the same holds for the lines
// wholly within it; with a too-long line, for the file in which each is mended. The starts are
// found with the launcher's procedures alone.
#include "check_agreement.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <set>

#include "check/launcher.h"
#include "base/text.h"
#include "support/test_support.h"

namespace {

struct Tally {
    unsigned files = 0, shown = 0, starts = 0, checks = 0, withErrors = 0, notes = 0;
} Counted;

std::string InputPath;
std::string Failure;          // the file's first disagreement
std::set<std::string> Kinds;  // every kind of disagreement the file shows

void Disagree(const std::string &what, const std::wstring &detail) {
    if (Failure.empty()) Failure = what + ": " + check::ToUtf8(detail);
    Kinds.insert(what);
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
    // A file over the size limit is refused before the list is emptied: no earlier file's names.
    ExtensionList[0] = 0;
    try {
        CollectExtensions();
    } catch (const Reported &) {
        reported = true;
    }
    ExtensionCursor = ExtensionList;
    while (NextExtension())
        if (wcslen(CurrentExtension) <= RegisteredExtensionMaxLength)
            starts.push_back(check::PathWithExtension(CurrentExtension, pathLength));
    // A file of each extension FindSection can find in a lowered header line; for "[*]", one no header names.
    bool wildcard = false;
    for (const check::SignificantLine &line : image.lines) {
        if (!line.header()) continue;
        wildcard |= line.text.find(L"[*]") != std::wstring::npos;
        std::wstring lowered = check::Lowered(line.text);
        for (size_t open = lowered.find(L'['); open != std::wstring::npos; open = lowered.find(L'[', open + 1))
            for (size_t close = open + 1; close < lowered.size() && close <= open + 1 + ExtensionMaxLength; close++) {
                if (lowered[close] == L'.') break;
                if (lowered[close] == L']' && lowered.compare(open, close - open + 1, L"[*]") != 0)
                    starts.push_back(check::PathWithExtension(lowered.substr(open + 1, close - open - 1), pathLength));
            }
    }
    if (wildcard) {
        std::wstring unnamed = check::UnnamedExtension(image);
        if (check::SectionFoundBy(image, L"[" + unnamed + L"]").header != check::SectionFoundBy(image, L"[*]").header)
            Disagree("a file of the extension for those no header names finds no wildcard", unnamed);
        starts.push_back(check::PathWithExtension(unnamed, pathLength));
    }
    return reported;
}

// What the launcher does over every start, every submenu reachable from it, and the registration
// pass: whether any reports (the first, for the message), where it reports about one line, and
// the lines on which a start with a file shows a program button without the path.
struct Walked {
    bool reports = false;
    std::wstring what;
    std::set<DWORD> reportedAt;
    std::set<int> noteLines;
};

// The launcher again on an argument whose first character no 1251 file yields; each slot's
// line is where ReadLine stands when ParseEntries's reading is repeated after FindSection.
void NoteLines(const check::ConfigImage &image, std::wstring argument, const std::wstring &submenuKey, Walked &walked) {
    argument[0] = L'\xE000';
    std::vector<LaunchEntry> entries;
    if (Launcher(argument, submenuKey, &entries).report) return;
    LoadConfigFile();
    FindSection();
    for (const LaunchEntry &entry : entries)
        if (ReadLine() && !IsSubmenuEntry(entry) && !wcschr(entry.Parameters, L'\xE000'))
            walked.noteLines.insert(image.LineOf(FileLineStart));
}

Walked WalkLauncher(const check::ConfigImage &image, const std::vector<std::wstring> &arguments, bool passReports) {
    Walked walked;
    auto reports = [&](const std::wstring &what) {
        if (!walked.reports) walked.what = what;
        walked.reports = true;
    };
    if (passReports) reports(L"the registration pass");
    std::deque<std::pair<std::wstring, std::wstring>> starts;
    for (const std::wstring &argument : arguments) starts.push_back({argument, L""});
    std::set<std::pair<std::wstring, std::wstring>> seen(starts.begin(), starts.end());
    std::set<std::wstring> withoutFile;
    while (!starts.empty()) {
        auto [argument, submenuKey] = starts.front();
        starts.pop_front();
        std::vector<LaunchEntry> entries;
        Outcome outcome = Launcher(argument, submenuKey, &entries);
        Counted.starts++;
        if (outcome.report) {
            reports(argument + L" " + outcome.Describe());
            // Reported about the line ReadLine last stood at.
            for (const WCHAR *caption : {TextErrorCaption, ButtonTitleCaption, ParamlineCaption, IniFileCaption})
                if (outcome.report->caption == caption) walked.reportedAt.insert(FileLineStart);
            continue;
        }
        // Without a file, or on a name ending in a dot, a start's key is the no-argument key itself.
        if (submenuKey.empty() && outcome.key == L"[]") withoutFile.insert(argument);
        if (!withoutFile.count(argument)) NoteLines(image, argument, submenuKey, walked);
        for (const LaunchEntry &entry : entries) {
            if (!IsSubmenuEntry(entry)) continue;
            try {
                SelectSubmenu(entry);
            } catch (const Reported &report) {
                reports(argument + L" " + report.text);
                continue;
            }
            if (seen.insert({argument, SectionKey}).second) starts.push_back({argument, SectionKey});
        }
    }
    return walked;
}

check::ConfigImage Written(const std::wstring &path, const std::string &bytes) {
    if (!WriteBytes(path, bytes)) throw check::CannotRead{L"cannot write " + path};
    return check::OpenConfig(path);
}

// The launcher's lines of the file, to its first report; over the size limit, of the bytes it read.
std::vector<std::pair<DWORD, std::wstring>> LauncherLines() {
    std::vector<std::pair<DWORD, std::wstring>> lines;
    try {
        FileReadPosition = 0;
        LoadConfigFile();
    } catch (const Reported &) {
    }
    try {
        while (ReadLine()) lines.push_back({FileLineStart, LineBuffer});
    } catch (const Reported &) {
    }
    return lines;
}

// The checker's errors (but those of some codes) against the launcher's reports, and its notes
// against the lines on which the launcher shows a start with a file a program without the path.
void CompareWalk(const check::ConfigImage &image, const std::vector<check::Finding> &findings, const Walked &walked,
                 const std::set<std::string> &ignored, bool notes, const std::string &file) {
    bool errors = false;
    std::set<int> noteLines;
    std::set<std::pair<int, int>> errorPlaces, unread;
    for (const check::Finding &finding : findings) {
        errors |= finding.severity == check::Severity::Error && !ignored.count(finding.code);
        if (finding.severity == check::Severity::Error) errorPlaces.insert({finding.line, finding.column});
        if (finding.severity == check::Severity::Note) noteLines.insert(finding.line);
        if (finding.code == "entry-never-read") unread.insert({finding.line, finding.column});
    }
    for (const auto &place : unread)
        if (errorPlaces.count(place)) Disagree("a line is both an error and never read", std::to_wstring(place.first));
    if (errors && !walked.reports) Disagree("the check finds an error where no start makes the launcher report" + file, L"");
    if (!errors && walked.reports) Disagree("the check finds no error, but the launcher reports" + file, walked.what);
    for (DWORD at : walked.reportedAt)
        if (!errorPlaces.count({image.LineOf(at), image.ColumnOf(at)}))
            Disagree("the launcher reports about a line the check finds no error on" + file, std::to_wstring(image.LineOf(at)));
    if (!notes) return;
    Counted.notes += (unsigned)noteLines.size();
    Counted.withErrors += !errorPlaces.empty();
    // A start that reports shows nothing, where the checker goes on as if the fault were mended:
    // only in a file without errors must every note be shown.
    if (!std::includes(noteLines.begin(), noteLines.end(), walked.noteLines.begin(), walked.noteLines.end()) ||
        (!errors && !walked.reports && noteLines != walked.noteLines))
        Disagree("the notes are not the lines the launcher shows a program without the path on",
                 std::to_wstring(noteLines.size()) + L" noted, " + std::to_wstring(walked.noteLines.size()) + L" shown");
}

void CompareFile(const std::wstring &text, const uint8_t *file, size_t size, const std::wstring &path,
                 unsigned pathLength) {
    check::ConfigImage image;
    try {
        image = Written(path, std::string((const char *)file, size));
    } catch (const check::CannotRead &cannot) {
        return Disagree("the checker cannot read the file", cannot.message);
    }
    Counted.files++;
    std::vector<std::wstring> arguments;
    bool passReports = StartsOf(image, pathLength, arguments);
    if (!text.empty()) CompareShow(image, L"", L"{" + text.substr(0, std::min(text.size(), SubmenuNameMaxLength)) + L"}");
    for (const std::wstring &argument : arguments) CompareShow(image, argument, L"");
    if (!text.empty()) CompareShow(image, text, L"");
    std::vector<check::Finding> findings = check::CheckConfig(image, {pathLength});
    Counted.checks++;
    try {
        // Over the size limit every start and the registration pass report the size: the rest is
        // the file cut after the last line wholly within the limit.
        std::set<std::string> ignored;
        const check::ConfigImage original = image;
        if (image.tooLarge) {
            std::vector<std::pair<DWORD, std::wstring>> whole = LauncherLines();
            check::ConfigImage cut = Written(path, image.bytes);
            std::vector<std::pair<DWORD, std::wstring>> kept = LauncherLines();
            if (cut.tooLarge || kept.size() > whole.size() || !std::equal(kept.begin(), kept.end(), whole.begin()))
                return Disagree("the lines read over the size limit are not those wholly within it", L"");
            ignored.insert("file-too-large");
            image = cut;
        }
        passReports &= !original.tooLarge;
        CompareWalk(original, findings, WalkLauncher(image, arguments, passReports), ignored, true, "");
        bool tooLong = false;
        for (const check::SignificantLine &line : image.lines) tooLong |= line.tooLong;
        if (!tooLong) return;
        // Past a too-long line the checker goes on as if it were mended.
        check::ConfigImage mended = Written(path, check::MendedBytes(image));
        ignored.insert("long-line");
        if (!original.tooLarge) passReports = StartsOf(mended, pathLength, arguments);
        CompareWalk(original, findings, WalkLauncher(mended, arguments, passReports), ignored, false, " (too-long lines mended)");
    } catch (const check::CannotRead &cannot) {
        Disagree("cannot write the file", cannot.message);
    }
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

std::set<std::string> CheckAgreementFile(const std::string &name, const std::string &bytes, unsigned pathLength) {
    InputPath = name;
    Failure.clear();
    Kinds.clear();
    CompareFile(L"", (const uint8_t *)bytes.data(), bytes.size(), std::wstring(ConfigPath), pathLength);
    if (!Failure.empty()) std::fprintf(stderr, "check agreement broken for %s: %s\n", InputPath.c_str(), Failure.c_str());
    return Kinds;
}

void CheckAgreementSummary(void) {
    std::printf("check: %u files: %u --show rows equal to the launcher's, %u files checked (%u with errors, %u notes) "
                "against %u starts of the launcher\n",
                Counted.files, Counted.shown, Counted.checks, Counted.withErrors, Counted.notes, Counted.starts);
}
