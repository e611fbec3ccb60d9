#include "tests/e2e/MainWindow.h"

#include "platform/win/WinText.h"

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    ::GetClassNameW(window, name, 128);
    return name;
}

HWND EditWith(const TProgram& program, bool multiLine) {
    for (HWND h : program.Children())
        if (_wcsicmp(ClassOf(h).c_str(), L"Edit") == 0 &&
            ((::GetWindowLongPtrW(h, GWL_STYLE) & ES_MULTILINE) != 0) == multiLine)
            return h;
    return nullptr;
}

// The label that shows a value to the right of the caption `caption` on the
// same line: the nearest one of its siblings with the same top edge.
HWND ValueBeside(const TProgram& program, const std::string& caption) {
    HWND label = program.ChildWithText(caption);
    if (!label) return nullptr;
    RECT at{};
    ::GetWindowRect(label, &at);
    HWND best = nullptr;
    LONG bestLeft = 0;
    for (HWND h : program.Children()) {
        RECT r{};
        ::GetWindowRect(h, &r);
        if (h == label || ::GetParent(h) != ::GetParent(label) || r.top != at.top || r.left <= at.left) continue;
        if (!best || r.left < bestLeft) best = h, bestLeft = r.left;
    }
    return best;
}

RECT InClient(HWND main, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

void ClickAt(HWND target, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(target, WM_LBUTTONUP, 0, at);
}

void Click(HWND target) {
    RECT r{};
    ::GetClientRect(target, &r);
    ClickAt(target, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

void PressKey(HWND target, WPARAM key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void TypeText(HWND edit, const std::wstring& text) {
    ::PostMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t c : text) ::PostMessageW(edit, WM_CHAR, WPARAM(c), 1);
}

void PointerAside() {
    HDC screen = ::GetDC(nullptr);
    const int width = ::GetDeviceCaps(screen, HORZRES), height = ::GetDeviceCaps(screen, VERTRES);
    ::ReleaseDC(nullptr, screen);
    ::SetCursorPos(width - 1, height - 1);
}

std::string ListText(HWND list, int index) {
    const LRESULT n = ::SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (n < 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buf.data()));
    return Utf8(buf.c_str());
}

TMainWindow::TMainWindow(const TProgram& p)
    : program(p),
      main(p.Main()),
      list(p.Child(L"ListBox")),
      splitter(p.Child(L"TSplitter")),
      bar(p.Child(STATUSCLASSNAMEW)),
      tabs(p.Child(WC_TABCONTROLW)),
      sizeEdit(EditWith(p, false)),
      upDown(p.Child(UPDOWN_CLASSW)),
      memo(EditWith(p, true)),
      cache(p.ChildWithText("&Načítat písma dopředu")),
      bold(p.ChildWithText("Tučné")),
      italic(p.ChildWithText("Kurzíva")),
      underline(p.ChildWithText("Podržení")),
      decLabel(ValueBeside(p, "Dec:")),
      hexLabel(ValueBeside(p, "Hex:")) {}

bool TMainWindow::Complete() const {
    for (HWND h : {main, list, splitter, bar, tabs, sizeEdit, upDown, memo, cache, bold, italic, underline, decLabel,
                   hexLabel})
        if (!h) return false;
    return true;
}

HWND TMainWindow::Grid() const {
    HWND grid = program.Child(L"TStringGrid");
    return grid && ::IsWindowVisible(grid) ? grid : nullptr;
}

int TMainWindow::SplitterLeft() const { return InClient(main, splitter).left; }

int TMainWindow::ListWidth() const {
    RECT r{};
    ::GetWindowRect(list, &r);
    return r.right - r.left;
}

void TMainWindow::DragSplitter(int dx) const {
    const int y = 40, target = SplitterLeft() + dx;
    ::PostMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));
    ::PostMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1 + dx, y));
    // The button comes up where the pointer stopped: over the splitter at
    // its new place.
    WaitFor([&] { return SplitterLeft() == target; });
    ::PostMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(1, y));
}

bool TView::operator==(const TView& o) const {
    return EqualRect(&window, &o.window) && splitterLeft == o.splitterLeft && listWidth == o.listWidth &&
           sizeText == o.sizeText && sizePosition == o.sizePosition && page == o.page &&
           cacheTicked == o.cacheTicked && selected == o.selected && selectedName == o.selectedName &&
           familyPanel == o.familyPanel && dec == o.dec && hex == o.hex && memo == o.memo;
}

std::ostream& operator<<(std::ostream& os, const TView& v) {
    return os << "{window (" << v.window.left << ", " << v.window.top << ")-(" << v.window.right << ", "
              << v.window.bottom << "), splitter at " << v.splitterLeft << ", list " << v.listWidth
              << " wide, size box \"" << v.sizeText << "\" arrows " << v.sizePosition << ", page " << v.page
              << ", cache " << (v.cacheTicked ? "ticked" : "off") << ", row " << v.selected << " \""
              << v.selectedName << "\", panel \"" << v.familyPanel << "\", Dec \"" << v.dec << "\" Hex \"" << v.hex
              << "\", memo \"" << v.memo << "\"}";
}

TView Look(const TMainWindow& w) {
    TView v;
    ::GetWindowRect(w.main, &v.window);
    v.splitterLeft = w.SplitterLeft();
    v.listWidth = w.ListWidth();
    v.sizeText = TextOf(w.sizeEdit);
    v.sizePosition = int(::SendMessageW(w.upDown, UDM_GETPOS32, 0, 0));
    v.page = int(::SendMessageW(w.tabs, TCM_GETCURSEL, 0, 0));
    v.cacheTicked = ::SendMessageW(w.cache, BM_GETCHECK, 0, 0) == BST_CHECKED;
    v.selected = int(::SendMessageW(w.list, LB_GETCURSEL, 0, 0));
    v.selectedName = v.selected >= 0 ? ListText(w.list, v.selected) : std::string();
    v.familyPanel = w.FamilyPanel();
    v.dec = TextOf(w.decLabel);
    v.hex = TextOf(w.hexLabel);
    v.memo = TextOf(w.memo);
    return v;
}
