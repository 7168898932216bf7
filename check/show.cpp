// What the launcher shows for a start: LoadEntries for the key, then every submenu that its
// buttons open, the way the launcher window opens them.
#include "check/checker.h"
#include "check/launcher.h"
#include "check/procedures.h"
#include "base/text.h"

#include <set>

namespace check {

namespace {

Row ShowCurrent(const ConfigImage &image, std::set<std::wstring> &shown) {
    Row row;
    try {
        LoadEntries();
    } catch (const Reported &report) {
        row.key = SectionKey;
        row.report = report;
        return row;
    }
    row.key = SectionKey;
    // Which header it was: FindSection again over the file LoadEntries has just loaded.
    FileReadPosition = 0;
    try {
        int header = FindSection() ? image.LineEndingAt(FileReadPosition) : -1;
        if (header >= 0) {
            row.headerLine = image.LineOf(image.lines[header].start);
            row.header = image.lines[header].text;
        }
    } catch (const Reported &) {
    }
    std::vector<LaunchEntry> table;
    for (int slot = 0; slot < EntrySlots && EntryTable[slot].Title[0]; slot++) table.push_back(EntryTable[slot]);
    row.notice = table.empty();
    for (const LaunchEntry &entry : table) {
        Button button;
        button.entry = entry;
        button.submenu = OpensSubmenu(entry);
        if (button.submenu) {
            try {
                SelectSubmenu(entry);
                button.submenuKey = SectionKey;
                button.repeated = !shown.insert(button.submenuKey).second;
                if (!button.repeated) button.row = std::make_unique<Row>(ShowCurrent(image, shown));
            } catch (const Reported &report) {
                button.row = std::make_unique<Row>();
                button.row->report = report;
            }
        }
        row.buttons.push_back(std::move(button));
    }
    return row;
}

Row Start(const ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey) {
    SectionKey[0] = 0;
    FileArgument[0] = 0;
    try {
        SetFileArgument(argument.c_str());
    } catch (const Reported &report) {
        Row row;
        row.report = report;
        return row;
    }
    std::set<std::wstring> shown;
    if (!submenuKey.empty()) {
        CopyText(SectionKey, submenuKey.c_str());
        shown.insert(submenuKey);
    }
    return ShowCurrent(image, shown);
}

}  // namespace

Row Show(const ConfigImage &image, const std::wstring &argument) { return Start(image, argument, L""); }

Row ShowFromKey(const ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey) {
    return Start(image, argument, submenuKey);
}

bool Reports(const Row &row) {
    if (row.report) return true;
    for (const Button &button : row.buttons)
        if (button.row && Reports(*button.row)) return true;
    return false;
}

}  // namespace check
