// What a launcher's reporter was asked to show. The checker's reporters throw it, so that
// control comes back from a procedure that would end the launcher; the tests share them.
#pragma once

#include <string>

struct Reported {
    std::wstring caption;
    std::wstring text;  // the three pieces joined
    bool configError;   // ReportConfigError rather than ReportFatal
};
