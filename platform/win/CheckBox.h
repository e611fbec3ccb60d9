#pragma once
// A check box (BUTTON, BS_AUTOCHECKBOX). OnClick runs whenever the box
// changes its state: by a click, by Space or the access key, and by setting
// Checked or State from code (once per change; setting the value it already
// has runs nothing). The caption may carry an access key ("&Name").

#include <string>

#include "platform/win/WinControl.h"

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumTypeInfo& CheckBoxStateTypeInfo();

class TCheckBox : public TWinControl {
    GLY_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    bool Checked() const { return State() == TCheckBoxState::cbChecked; }
    void SetChecked(bool value);
    TCheckBoxState State() const;
    void SetState(TCheckBoxState value);
    // The user may tick the box into the grayed state too.
    bool AllowGrayed() const noexcept { return allowGrayed_; }
    void SetAllowGrayed(bool value);

    TNotifyEvent OnClick;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
};
