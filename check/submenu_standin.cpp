// TEMPORARY stand-in for config's OpensSubmenu and SelectSubmenu, which the C++ port moves out
// of app/window.c; the same steps as OpenSubmenu there. Removed after the merge.
#include "check/port_names.h"
#include "app/shell.h"

bool OpensSubmenu(const LaunchEntry &entry) {
    return wcsstr(entry.Command, L"menu") || wcsstr(entry.Command, L"MENU");
}

void SelectSubmenu(const LaunchEntry &entry) {
    if (wcslen(entry.Parameters) > SUBMENU_NAME_MAX_LENGTH)
        ReportFatal(L"SubMenu", L"Слишком длинное название подменю.", L"", L"");
    SectionKey[0] = 0;
    AppendText(SectionKey, SECTION_KEY_CAPACITY, L"{");
    AppendText(SectionKey, SECTION_KEY_CAPACITY, entry.Parameters);
    AppendText(SectionKey, SECTION_KEY_CAPACITY, L"}");
}
