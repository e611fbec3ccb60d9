#pragma once
// A multi-line text box. Enter starts a new line (the form's default button
// does not see it); Tab and Esc go to the form as in any other control.
//
// Lines is a view of the control's text: with a window every read and write
// goes through the window's text, without one through the stored text, which
// the window gets when it is made. The text is the lines joined by CR LF.

#include <memory>

#include "platform/core/Strings.h"
#include "platform/win/Edit.h"

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumTypeInfo& ScrollStyleTypeInfo();

class TMemo : public TCustomEdit {
    GLY_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    // Lines with more UTF-16 units than this are never wrapped.
    static constexpr int kLongLine = 1024;

    // The text, as TCustomEdit's; a memo with a window takes a text whose
    // line lengths change its wrapping in a new window made for that text.
    void SetText(const std::string& value);
    TStrings* Lines() const noexcept { return lines_.get(); }
    void SetLines(TStrings* value);
    TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Lines break at the right edge (no horizontal scrolling of the text).
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);
    // Whether the lines wrap now: WordWrap, unless a line is too long.
    bool Wrapping() const noexcept { return wordWrap_ && !longLines_; }
    bool WantTabs() const noexcept { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    // The window takes a new font when it next handles a message (normally
    // the paint that the change asks for), not at once: see Memo.cpp.
    void FontChanged() override;

private:
    // Follows the window's text after a change the user made.
    void FollowLineLengths();
    // Makes the window again, with the same text and selection, for the
    // wrapping that the line lengths ask for.
    void Rewrap(bool longLines);

    std::unique_ptr<TStrings> lines_;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
    bool wantTabs_ = false;
    bool longLines_ = false;  // some line is longer than kLongLine
    bool fontPending_ = false;  // the window has not yet taken the font
};
