#pragma once
// The real program's main window seen from outside: its controls found by
// their standard classes and texts, a user's actions posted to them, and what
// the window shows read back through its windows and its status bar.

#include <ostream>
#include <string>

#include "tests/e2e/Driver.h"

// Posted, so they keep their order with everything posted before and after
// them (a sent message would overtake messages still waiting in the queue).
void ClickAt(HWND target, int x, int y);  // client coordinates
void Click(HWND target);                  // in its middle
void PressKey(HWND target, WPARAM key);
// Selects everything in the edit and types `text` over it; '\r' is Enter.
void TypeText(HWND edit, const std::wstring& text);
// Puts the real pointer in the screen's bottom right corner, off the window,
// so that nothing the pointer does mixes with the posted mouse messages.
void PointerAside();

std::string ListText(HWND list, int index);

struct TMainWindow {
    explicit TMainWindow(const TProgram& program);

    const TProgram& program;
    HWND main, list, splitter, bar, tabs, sizeEdit, upDown, memo, cache, bold, italic, underline, decLabel, hexLabel;

    // Every control above was found.
    bool Complete() const;
    // The character grid, once its page has been shown (null until then).
    HWND Grid() const;
    // The status bar's family name panel.
    std::string FamilyPanel() const { return StatusText(program.Process(), bar, 2); }
    // The splitter's left edge in the window's client area.
    int SplitterLeft() const;
    int ListWidth() const;
    // Drags the splitter by `dx` pixels with the left button, as the mouse would.
    void DragSplitter(int dx) const;
};

// What the window shows of every persisted choice that can be seen.
struct TView {
    RECT window{};             // screen coordinates
    int splitterLeft = 0;      // in the window's client area
    int listWidth = 0;
    std::string sizeText;      // the size box
    int sizePosition = 0;      // its arrows
    int page = -1;             // 0 sample text, 1 character map
    bool cacheTicked = false;
    int selected = -1;         // font list row
    std::string selectedName;  // that row's text, empty without a selection
    std::string familyPanel;   // status bar
    std::string dec, hex;      // the character map's labels
    std::string memo;          // the whole sample text
    bool operator==(const TView& other) const;
};
std::ostream& operator<<(std::ostream& os, const TView& view);

TView Look(const TMainWindow& window);
