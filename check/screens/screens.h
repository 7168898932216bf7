// The launcher's own window, made hidden in this process by its own procedures from the rows
// LoadEntries gives, and pictures of it and of the boxes it shows instead: what sheet.cpp lays
// out. Nothing it makes outlives the call: no window, hook, timer or class, and the launcher's
// program-wide state is put back.
#pragma once

#include "check/checker.h"

#include <cstdint>

namespace check {

// 32-bit pixels, 0x00RRGGBB, the top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// A 32-bit bitmap to draw in with GDI, the top row first.
class Canvas {
public:
    Canvas(int width, int height);  // throws CannotDraw
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Picture Take() const;
    void Put(const Picture &picture, int x, int y);

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t *bits_ = nullptr;
};

// A window or box that could not be made (no display, for one); the message says so.
struct CannotDraw {
    std::wstring message;
};

// What one screen shows: the launcher window's client area (240 by 294, the menu bar along
// its bottom) and the message box over it, or the box alone where no window is made.
struct ScreenPicture {
    std::optional<Picture> window;
    std::optional<Picture> box;
};

// The launcher started on this argument (empty: without a file), as its start-up makes it.
ScreenPicture DrawStart(const std::wstring &argument);
// The launcher showing this row of the key, then its button `slot` pressed: a submenu opens.
ScreenPicture DrawPress(const std::wstring &argument, const std::wstring &key, const std::vector<LaunchEntry> &row,
                        int slot);

// How titles are cut on the launcher's entry button, measured with the font and width of a real
// one; empty when no window can be made here.
std::function<std::optional<TitleCut>(const std::wstring &title)> ButtonTitleCut();

}  // namespace check
