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

    TStrings* Lines() const noexcept { return lines_.get(); }
    void SetLines(TStrings* value);
    TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    // Lines break at the right edge (no horizontal scrolling of the text).
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);
    bool WantTabs() const noexcept { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TStrings> lines_;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
    bool wantTabs_ = false;
};
