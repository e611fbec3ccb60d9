#include "platform/win/Memo.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Text.h"
#include "platform/win/Messages.h"
#include "platform/win/Win32.h"

const TEnumTypeInfo& ScrollStyleTypeInfo() {
    static const TEnumTypeInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, 0};
    return info;
}

namespace {

// The memo's text as lines: split at CR LF, LF or CR; a break at the very end
// starts no further line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r') ++end;
        if (end < text.size() && text[end] == '\n') ++end;
        start = end;
    }
    return lines;
}

// Posted by a memo to itself after a change by the user: the edit control
// tells of the change from inside its own handling, while its window must
// not be replaced.
constexpr UINT kLineLengthsMessage = WM_APP + 0x102;

bool HasLongLine(std::u16string_view text) {
    size_t run = 0;
    for (const char16_t c : text) {
        if (c == u'\r' || c == u'\n')
            run = 0;
        else if (++run > size_t(TMemo::kLongLine))
            return true;
    }
    return false;
}

std::u16string WindowText(HWND window) {
    std::u16string text(size_t(::GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(size_t(::GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), int(text.size()))));
    return text;
}

// The memo's text as a paste of the clipboard's text would leave it; only
// its line lengths matter (the edit's length limit may cut the paste).
std::u16string TextAfterPaste(HWND window) {
    std::u16string pasted;
    if (::IsClipboardFormatAvailable(CF_UNICODETEXT) && ::OpenClipboard(window)) {
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
            if (const auto* chars = static_cast<const char16_t*>(::GlobalLock(data))) {
                pasted = chars;
                ::GlobalUnlock(data);
            }
        ::CloseClipboard();
    }
    std::u16string text = WindowText(window);
    DWORD start = 0, end = 0;
    ::SendMessageW(window, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    start = std::min<DWORD>(start, DWORD(text.size()));
    end = std::clamp<DWORD>(end, start, DWORD(text.size()));
    return text.replace(start, end - start, pasted);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace

// The lines of a memo, read from and written to its text each time; while an
// update is open the changes collect here and reach the text at its end.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo& memo) : memo_(memo) {}

    int Count() const override { return int(Lines().size()); }
    std::string Get(int index) const override {
        const std::vector<std::string> lines = Lines();
        Check(index, int(lines.size()));
        return lines[size_t(index)];
    }
    void Put(int index, const std::string& s) override {
        Change([&](std::vector<std::string>& lines) {
            Check(index, int(lines.size()));
            lines[size_t(index)] = s;
        });
    }
    void Insert(int index, const std::string& s) override {
        Change([&](std::vector<std::string>& lines) {
            Check(index, int(lines.size()) + 1);
            lines.insert(lines.begin() + index, s);
        });
    }
    void Delete(int index) override {
        Change([&](std::vector<std::string>& lines) {
            Check(index, int(lines.size()));
            lines.erase(lines.begin() + index);
        });
    }
    void Clear() override {
        Change([](std::vector<std::string>& lines) { lines.clear(); });
    }

protected:
    void SetUpdateState(bool updating) override {
        if (updating) {
            pending_ = SplitLines(memo_.Text());
        } else if (pending_) {
            const std::string text = JoinLines(*pending_);
            pending_.reset();
            if (text != memo_.Text()) memo_.SetText(text);
        }
    }

private:
    std::vector<std::string> Lines() const { return pending_ ? *pending_ : SplitLines(memo_.Text()); }

    template <class F>
    void Change(F change) {
        if (pending_) {
            change(*pending_);
            return;
        }
        std::vector<std::string> lines = SplitLines(memo_.Text());
        change(lines);
        memo_.SetText(JoinLines(lines));
    }

    static void Check(int index, int limit) {
        if (index < 0 || index >= limit) throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    }

    TMemo& memo_;
    std::optional<std::vector<std::string>> pending_;
};

const TClassInfo& TMemo::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMemo>("TMemo", &TCustomEdit::StaticClass)
                                       .Creatable()
                                       .Obj("Lines", &TMemo::Lines, &TMemo::SetLines)
                                       .Enum("ScrollBars", ScrollStyleTypeInfo(), &TMemo::ScrollBars,
                                             &TMemo::SetScrollBars)
                                       .Default(int(TScrollStyle::ssNone))
                                       .Bool("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs)
                                       .Default(0)
                                       .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
                                       .Default(1)
                                       .Build();
    return info;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
    SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::SetLines(TStrings* value) {
    if (value && value != lines_.get()) lines_->Assign(*value);
}

void TMemo::SetScrollBars(TScrollStyle value) {
    if (scrollBars_ == value) return;
    scrollBars_ = value;
    RecreateWnd();
}

void TMemo::SetText(const std::string& value) {
    const bool longLines = HasLongLine(text::Utf8ToUtf16(value));
    if (longLines != longLines_) {
        longLines_ = longLines;
        if (wordWrap_ && HandleAllocated()) {
            RecreateWnd(value);
            return;
        }
    }
    TCustomEdit::SetText(value);
}

void TMemo::FollowLineLengths() {
    if (!wordWrap_ || !HandleAllocated()) return;
    const bool longLines = HasLongLine(WindowText(WindowHandle()));
    if (longLines != longLines_) Rewrap(longLines);
}

void TMemo::Rewrap(bool longLines) {
    longLines_ = longLines;
    if (!wordWrap_ || !HandleAllocated()) return;
    DWORD start = 0, end = 0;
    ::SendMessageW(WindowHandle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    RecreateWnd(GetText());
    if (!HandleAllocated()) return;
    ::SendMessageW(WindowHandle(), EM_SETSEL, start, end);
    ::SendMessageW(WindowHandle(), EM_SCROLLCARET, 0, 0);
}

void TMemo::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    RecreateWnd();
}

void TMemo::CreateParams(TCreateParams& params) const {
    TCustomEdit::CreateParams(params);
    params.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    // Wrapped lines never scroll sideways.
    if (Wrapping()) params.style &= ~DWORD(ES_AUTOHSCROLL);
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) params.style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) {
        params.style |= WS_HSCROLL;
        if (!Wrapping()) params.style |= ES_AUTOHSCROLL;
    }
}

void TMemo::CreateWnd() {
    fontPending_ = false;  // a new window is made with the font
    TCustomEdit::CreateWnd();
}

void TMemo::FontChanged() {
    if (!HandleAllocated()) return TCustomEdit::FontChanged();
    // Wine's multi-line edit takes a new font slowly (about 20 ms, nearly as
    // much for one letter as for a paragraph), and a view that takes the
    // selected family changes font at every click on a row.
    // Taken when the window next handles a message, the font costs nothing
    // until the memo paints (or is asked anything), so whatever else the
    // change updates shows first, and several changes in a row (name, size,
    // style) cost one layout. Every message sees the new font, so nothing
    // can tell it was late.
    fontPending_ = true;
    ::InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TMemo::WndProc(TMessage& m) {
    if (fontPending_ && m.Msg != WM_DESTROY && m.Msg != WM_NCDESTROY && HandleAllocated()) {
        fontPending_ = false;
        ::SendMessageW(WindowHandle(), WM_SETFONT, WPARAM(Font()->Handle()), TRUE);
    }
    if (m.Msg == WM_GETDLGCODE) {
        TCustomEdit::WndProc(m);
        // A multi-line edit asks for every key. Tab (unless wanted) and Esc go
        // to the dialog manager as they do from any other control: the edit
        // itself would close its parent window on Esc.
        const auto* msg = reinterpret_cast<const MSG*>(m.LParam);
        if (msg && msg->message == WM_KEYDOWN &&
            ((msg->wParam == VK_TAB && !wantTabs_) || msg->wParam == VK_ESCAPE))
            m.Result &= ~intptr_t(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        return;
    }
    if (m.Msg == WM_PASTE && Wrapping() && HandleAllocated() && HasLongLine(TextAfterPaste(WindowHandle()))) {
        // Before the paste: wrapped, its layout alone would take seconds.
        Rewrap(true);
        if (HandleAllocated()) m.Result = ::SendMessageW(WindowHandle(), WM_PASTE, 0, 0);
        return;
    }
    if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE && wordWrap_) {
        TCustomEdit::WndProc(m);
        if (HandleAllocated()) ::PostMessageW(WindowHandle(), kLineLengthsMessage, 0, 0);
        return;
    }
    if (m.Msg == kLineLengthsMessage) {
        FollowLineLengths();
        return;
    }
    if (m.Msg == WM_SIZE && Wrapping() && HandleAllocated()) {
        // Wine's multi-line edit keeps a text analysis for each shown line,
        // holding a fallback font when the memo's font lacks a character.
        // When a wider box lets a wrapped line join the one above, it drops
        // that line without freeing its analysis: every widening leaked
        // fonts. EM_SETTABSTOPS frees every line's analysis and changes
        // nothing else while the stops stay the default ones (a memo sets
        // none), so the new layout has nothing to leak.
        ::SendMessageW(WindowHandle(), EM_SETTABSTOPS, 0, 0);
    }
    if (m.Msg == WM_CHAR && m.WParam == '\t' && wantTabs_) {
        // The edit drops tabs typed while it works as part of a dialog.
        ::SendMessageW(WindowHandle(), EM_REPLACESEL, TRUE, LPARAM(L"\t"));
        return;
    }
    TCustomEdit::WndProc(m);
}
