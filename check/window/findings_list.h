// The findings as the window lists them: an owner-drawn list box, an item a finding, with its
// level's system icon, a heading "Строка 12 · ошибка · long-line" and the whole text wrapped
// below it, so that nothing needs scrolling sideways.
#pragma once

#include <windows.h>

#include "check/checker.h"

namespace check {

HWND CreateFindingsList(HWND parent, int id);
// Fills the list anew, also when its width has changed and the items must be measured again;
// with no findings it shows the text given in their place.
void FillFindingsList(HWND list, const std::vector<Finding> &findings, HFONT font, HFONT bold,
                      const std::wstring &empty);
// What an item holds as its text: the heading, a line break, the finding's text.
std::wstring FindingItemText(const Finding &finding);
// The parent's WM_MEASUREITEM and WM_DRAWITEM for the list.
void MeasureFinding(MEASUREITEMSTRUCT &measure);
void DrawFinding(const DRAWITEMSTRUCT &draw);

}  // namespace check
