#pragma once
// Push buttons (BUTTON). A Default button is clicked by Enter wherever the
// focused control does not take Enter itself, a Cancel button by Esc; each
// only while it is visible and enabled (a button on a hidden notebook page
// answers to neither key). Access keys in the caption ("&Copy") work through
// the form's dialog navigation.

#include <string>

#include "platform/win/WinControl.h"

class TCustomForm;

class TButton : public TWinControl {
    GLY_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value);
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    // The result a modal form ends with when the button is clicked (0:
    // none): a click gives it to the button's form before OnClick runs.
    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // Does what a click does.
    void Click();

    TNotifyEvent OnClick;

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;

private:
    void RestoreDefaultLook();

    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

// The form's part of the default and cancel buttons: answers DM_GETDEFID with
// the visible, enabled Default button of `form` and turns the dialog
// manager's IDCANCEL into a click of its visible, enabled Cancel button.
// True when `message` was handled.
bool HandleDialogButtons(TCustomForm& form, TMessage& message);
