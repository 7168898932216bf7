// What a launcher's reporter was asked to show. The checker's reporters throw it, so that
// control comes back from a procedure that would end the launcher; the tests share them.
#pragma once

#include <string>

struct Reported {
    std::wstring caption;
    std::wstring text;  // the three pieces joined
    bool configError;   // ReportConfigError rather than ReportFatal
    std::wstring pieces[3];

    // Whether this is the report with that caption and that fixed piece.
    bool Is(const wchar_t *sought, const wchar_t *fixedPiece) const {
        return caption == sought && (pieces[0] == fixedPiece || pieces[1] == fixedPiece || pieces[2] == fixedPiece);
    }
};
