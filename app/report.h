// The two error reporters, all that config/ and registration/ need of the shell.
#ifndef VELANDRIMOUR_REPORT_H
#define VELANDRIMOUR_REPORT_H

#include <windows.h>
#include "base/compat.h"

// Room for the longest message any report can make: the missing-file report with a
// ConfigPath of 497 characters and the Pocket Word offer is 592 characters.
const size_t ReportCapacity = 600;

// What ReportConfigError adds to its text before it asks.
const WCHAR EditOffer[] = L"\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.";

// Shows text1, text2 and text3 joined under the caption and ends the program with status 1.
NORETURN void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3);

// As ReportFatal, offering first to open the configuration file in Pocket Word.
NORETURN void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3);

#endif // VELANDRIMOUR_REPORT_H
