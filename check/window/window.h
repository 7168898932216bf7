// velandrimour-check's window, for the people who start it from Explorer: the findings of one
// file, its screens, and the buttons that check it again, mend it and open it. The same
// analysis as the command line's, over the same procedures; only the presentation is its own.
#pragma once

#include <string>
#include <vector>

namespace check {

// The window's class, and the ids of its controls, by which its tests find them too.
const wchar_t CheckWindowClass[] = L"VelandrimourCheckWindow";
enum CheckWindowControl {
    IdRecheck = 101,
    IdFix,
    IdEdit,
    IdOpen,
    IdSummary,
    IdFindings,
    IdScreens,
};

// Shows the window over the file the arguments name, the first of several (none: velandrimour.ini
// beside the program, else the one the user picks) until it is closed; the exit status.
int RunWindow(const std::vector<std::wstring> &files);

}  // namespace check
