// Reporters that record the report and throw it, so that control comes back to the caller:
// the checker's, and the unit tests' and the fuzz replay's.
#include "base/report.h"
#include "check/reported.h"

namespace {
[[noreturn]] void Raise(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3,
                        bool configError) {
    throw Reported{caption, std::wstring(text1) + text2 + text3, configError, {text1, text2, text3}};
}
}  // namespace

void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3) {
    Raise(caption, text1, text2, text3, false);
}

void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3) {
    Raise(caption, text1, text2, text3, true);
}
