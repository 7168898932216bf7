// What the launcher shows for a start: LoadEntries for the key, then every submenu that its
// buttons open, the way the launcher window opens them. The walk keeps its own stack, so that
// a file's chain of submenus, however long, never deepens the checker's.
#include "check/launcher.h"
#include "app/shell.h"
#include "base/text.h"

#include <algorithm>
#include <set>
#include <utility>

namespace check {

namespace {

// The text's lines, each line break of the launcher's ("\r\n", "\n\r", or one alone) one break.
std::vector<std::wstring> Lines(const std::wstring &text) {
    std::vector<std::wstring> lines(1);
    for (size_t at = 0; at < text.size(); at++) {
        wchar_t c = text[at];
        if (c != L'\r' && c != L'\n') {
            lines.back() += c;
            continue;
        }
        if (at + 1 < text.size() && (text[at + 1] == L'\r' || text[at + 1] == L'\n') && text[at + 1] != c) at++;
        lines.emplace_back();
    }
    return lines;
}

// LoadEntries for the key in SectionKey, as a row; the notice only where the window is made.
Row LoadRow(const ConfigImage &image, int depth, bool atStartUp) {
    Row row;
    row.depth = depth;
    try {
        LoadEntries();
    } catch (const Reported &report) {
        row.key = SectionKey;
        row.report = report;
        return row;
    }
    row.key = SectionKey;
    std::vector<LaunchEntry> table;
    for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++) table.push_back(EntryTable[slot]);
    // Which header it was: FindSection again over the file LoadEntries has just loaded.
    int header = SectionFoundBy(image, row.key).header;
    if (header >= 0) {
        row.headerLine = image.LineOf(image.lines[header].start);
        row.header = image.lines[header].text;
    }
    row.notice = table.empty() && atStartUp;
    for (const LaunchEntry &entry : table) {
        Button button;
        button.entry = entry;
        button.submenu = IsSubmenuEntry(entry);
        row.buttons.push_back(button);
    }
    return row;
}

}  // namespace

Shown Show(const ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey) {
    SavedLauncherState saved;
    Shown shown;
    SectionKey[0] = 0;
    FileArgument[0] = 0;
    try {
        SetFileArgument(argument.c_str());
    } catch (const Reported &report) {
        shown.rows.push_back(Row{});
        shown.rows[0].report = report;
        return shown;
    }
    std::set<std::wstring> keys;
    if (!submenuKey.empty()) {
        CopyText(SectionKey, submenuKey.c_str());
        keys.insert(submenuKey);
    }
    shown.rows.push_back(LoadRow(image, 0, submenuKey.empty()));
    // Depth first, as printed: each row's buttons in turn, a submenu's rows before the next button.
    std::vector<std::pair<int, size_t>> stack{{0, 0}};
    while (!stack.empty()) {
        int rowIndex = stack.back().first;
        size_t buttonIndex = stack.back().second++;
        if (buttonIndex == shown.rows[rowIndex].buttons.size()) {
            stack.pop_back();
            continue;
        }
        Row submenu;
        submenu.depth = shown.rows[rowIndex].depth + 1;
        Button &button = shown.rows[rowIndex].buttons[buttonIndex];
        if (!button.submenu) continue;
        try {
            SelectSubmenu(button.entry);
            button.submenuKey = SectionKey;
            button.repeated = !keys.insert(button.submenuKey).second;
            if (button.repeated) continue;
            submenu = LoadRow(image, submenu.depth, false);
            stack.push_back({(int)shown.rows.size(), 0});
        } catch (const Reported &report) {
            submenu.report = report;
        }
        button.row = (int)shown.rows.size();
        shown.rows.push_back(std::move(submenu));
    }
    return shown;
}

std::wstring OneLine(const std::wstring &text) {
    std::wstring out;
    for (const std::wstring &line : Lines(text)) {
        if (!out.empty() && out.back() != L' ' && !line.empty() && line[0] != L' ') out += L' ';
        out += line;
    }
    return out;
}

// No line ends with blanks, which a box does not show either: an empty one is empty.
std::wstring FormatBox(const std::wstring &indent, const std::wstring &caption, const std::wstring &text) {
    std::wstring out = indent + L"Окно «" + caption + L"»:\n";
    for (std::wstring line : Lines(text)) {
        line.erase(line.find_last_not_of(L' ') + 1);
        out += (line.empty() ? L"" : indent + L"  " + line) + L"\n";
    }
    return out;
}

// Rows deeper than this keep its indent and name their depth instead, so that a long chain
// of submenus does not grow the output with the square of its length.
const int IndentedDepths = 8;

std::wstring FormatShown(const Shown &shown) {
    std::wstring out;
    // Depth first without recursion: each row, then its buttons, a submenu's rows under its button.
    std::vector<std::pair<int, size_t>> stack{{0, 0}};
    while (!stack.empty()) {
        auto [index, next] = stack.back();
        const Row &row = shown.rows[index];
        std::wstring indent(4 * std::min(row.depth, IndentedDepths), L' ');
        if (next == 0) {
            std::wstring depth = row.depth > IndentedDepths ? L" (подменю уровня " + Decimal(row.depth) + L")" : L"";
            if (!row.key.empty()) out += indent + L"Ключ: " + row.key + depth + L"\n";
            if (row.report) {
                out += FormatBox(indent, row.report->caption, row.report->text + (row.report->configError ? EditOffer : L""));
                stack.pop_back();
                continue;
            }
            if (row.headerLine)
                out += indent + L"Раздел: строка " + Decimal(row.headerLine) + L": " + row.header + L"\n";
            if (row.notice) out += FormatBox(indent, NoQuickLaunchCaption, NoQuickLaunchNotice);
            if (row.buttons.empty()) out += indent + L"Кнопок нет.\n";
        }
        if (next == row.buttons.size()) {
            stack.pop_back();
            continue;
        }
        stack.back().second++;
        const Button &button = row.buttons[next];
        out += indent + Decimal(next + 1) + L". «" + button.entry.Title + L"»: команда «" + button.entry.Command +
               L"», параметры «" + button.entry.Parameters + L"»\n";
        if (button.repeated) out += indent + L"    подменю " + button.submenuKey + L" уже показано выше\n";
        else if (button.row >= 0) stack.push_back({button.row, 0});
    }
    return out;
}

bool Reports(const Shown &shown) {
    for (const Row &row : shown.rows)
        if (row.report) return true;
    return false;
}

}  // namespace check
