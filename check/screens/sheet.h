// velandrimour-check --screens: every screen a configuration file makes, each drawn by the
// launcher's own window code (screens.h), laid out in one picture with what leads to it, and
// that picture as a PNG. A program with windows of its own may call DrawSheet from its window
// thread as often as it likes: the windows and the boxes it makes are gone when it returns,
// and whatever else is on the screen does not change the picture.
#pragma once

#include "check/screens/screens.h"

namespace check {

// The most screens one sheet draws; the last place then tells how many more there are.
const size_t SheetScreensMax = 60;
// The widest sheet: a screen of 1920 pixels shows it at full size.
const int SheetWidthMax = 1920;

// One screen on the sheet.
struct SheetScreen {
    std::vector<std::wstring> label;  // the lines under it: what leads there, the header, other ways there
    RECT window{};                    // the launcher window's client area on the picture; empty when none
    RECT box{};                       // the message box on the picture; empty when none
};

struct Sheet {
    Picture picture;
    std::vector<SheetScreen> screens;  // in --show's order over the starts the checker follows
    size_t more = 0;                   // screens the file makes beyond those drawn
};

// Needs OpenConfig first; throws CannotDraw.
Sheet DrawSheet(const ConfigImage &image, const CheckOptions &options);

// The picture as PNG bytes, by the Windows Imaging Component; throws CannotDraw.
std::string EncodePng(const Picture &picture);
// Writes it to a temporary file beside the path, then moves that over the path, so that a
// failure leaves no half picture; returns why it failed, or nothing.
std::wstring WritePng(const Picture &picture, const std::wstring &path);

}  // namespace check
