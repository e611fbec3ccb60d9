#pragma once
// Text boxes: the standard EDIT control. TCustomEdit holds what single-line
// and multi-line boxes share; TEdit is the single-line one.
//
// Enter and Exit follow the keyboard focus within one form: OnExit runs when
// the focus goes from the box to another window of the same form, OnEnter
// when it comes from one. Focus that leaves for or returns from another
// application or form raises neither.

#include <cstdint>
#include <string>

#include "platform/win/WinControl.h"

// Key is the UTF-16 unit typed; setting it to 0 swallows the character.
using TKeyPressEvent = TEvent<void(TObject* Sender, wchar_t& Key)>;

class TCustomEdit : public TWinControl {
    GLY_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* owner);

    // The window's text when there is a window, the stored text otherwise.
    // Kept between changes: every message to a control that comctl32 has
    // subclassed (a tooltip, an up-down buddy) costs a wineserver round
    // trip under Wine, and some texts are read for every preview rendered.
    std::string Text() const;
    void SetText(const std::string& value);
    // Characters the user may type; 0 is no limit of ours.
    int MaxLength() const noexcept { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool value);

    // Selection, in UTF-16 units as the control counts them.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int value);
    void SetSelLength(int value);
    void SelectAll();

    // Runs after the text changed, by the user or from code.
    TNotifyEvent OnChange;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    // Makes the window again after a change of style it cannot take live;
    // the text is kept.
    void RecreateWnd();
    // The same with the text `text` in the new window.
    void RecreateWnd(const std::string& text);

private:
    bool FromSameForm(uintptr_t otherWindow) const;

    int maxLength_ = 0;
    bool readOnly_ = false;
    // The window's text as last read; valid until WM_SETTEXT or EN_CHANGE.
    mutable std::string knownText_;
    mutable bool textKnown_ = false;
};

class TEdit : public TCustomEdit {
    GLY_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner);
};
