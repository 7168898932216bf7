// The unit tests' reporters: record the report and leave the procedure under test.
#include "app/shell.h"
#include "support/test_support.h"

namespace {
[[noreturn]] void Raise(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3,
                        bool configError) {
    throw Reported{caption, std::wstring(text1) + text2 + text3, configError};
}
}  // namespace

void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2, const WCHAR *text3) {
    Raise(caption, text1, text2, text3, false);
}

void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2,
                                  const WCHAR *text3) {
    Raise(caption, text1, text2, text3, true);
}
