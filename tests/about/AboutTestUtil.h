#pragma once
// Helpers of the About box tests: the real box shown by ShowAboutDlg, with a
// script run inside its modal loop, and the user's mouse and keys.

#include <functional>
#include <string>
#include <vector>

#include "about/AboutDlg.h"
#include "platform/win/WinTypes.h"
#include "tests/support/PumpUntil.h"

struct TAboutTexts {
    std::string name = "Glyphora";
    std::string version = "2.10";
    std::string copyright = "Copyright © 2024 Orlenka";
    std::string additional;
    std::string email = "glyphora@orlenka.example";
    std::string web = "http://www.orlenka.example/glyphora/";
};

// Calls ShowAboutDlg with `texts` and runs `script` on the GUI thread once
// the box shows, from inside its modal loop; the script ends the box. When a
// check in the script failed and the box is still up, it is closed so that
// the run goes on. Returns what ShowAboutDlg returned.
bool RunAbout(const TAboutTexts& texts, const std::function<void(TAboutDlg&)>& script);

// The mouse pointer moved onto a client point of the control (its middle
// when no point is given), as real input that the system hit-tests.
void MovePointerTo(const TControl& control);
void MovePointerTo(const TControl& control, int x, int y);
// The left button pressed and released where the pointer is.
void ClickPointer();
// A key pressed and released, as real input to the focused window.
void PressKey(unsigned short vk);

// The number of About boxes that exist, shown or not.
int AboutBoxCount();

// What the screen shows in a rectangle of a control's client area (all of
// it by default), as COLORREF values, taken at once after painting.
class TShot {
public:
    explicit TShot(const TControl& control);
    TShot(const TControl& control, int left, int top, int width, int height);
    unsigned long Pixel(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // How many pixels have exactly this colour.
    int Count(unsigned long color) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<unsigned long> pixels_;
};

// A line of text drawn by the test itself with TextOutW at the top-left
// corner of a bitmap of the given size, in `font` and `color` on `back`:
// what a control should show of it, with nothing cut off but at the
// bitmap's edges.
class TDrawnLine {
public:
    TDrawnLine(HFONT font, const std::wstring& text, unsigned long color, unsigned long back, int width, int height);
    unsigned long Pixel(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    // One past the rightmost column with a pixel of the text; 0 without one.
    int InkRight() const { return inkRight_; }

private:
    int width_ = 0;
    int inkRight_ = 0;
    std::vector<unsigned long> pixels_;
};
