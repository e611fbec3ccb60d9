#pragma once
// Forms: top-level windows owned by the application's window, read from a
// form resource by TApplication::CreateForm, with the handlers a form file
// wires (OnCreate, OnDestroy, OnKeyDown, OnClose, OnShow).

#include "platform/win/WinControl.h"

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;

const TEnumTypeInfo& FormBorderStyleTypeInfo();
const TSetTypeInfo& BorderIconsTypeInfo();
const TEnumTypeInfo& PositionTypeInfo();
const TEnumTypeInfo& FormStyleTypeInfo();
const TEnumTypeInfo& WindowStateTypeInfo();

class TCustomForm : public TWinControl {
    GLY_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value) { SetText(value); }
    TFormBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const noexcept { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const noexcept { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TFormStyle FormStyle() const noexcept { return formStyle_; }
    void SetFormStyle(TFormStyle value) { formStyle_ = value; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    bool KeyPreview() const noexcept { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    int ClientWidth() const;
    void SetClientWidth(int value);
    int ClientHeight() const;
    void SetClientHeight(int value);
    TWinControl* ActiveControl() const noexcept { return activeControl_; }
    void SetActiveControl(TWinControl* control);

    // Asks the form to close: OnClose decides; closing the main form ends
    // the application's message loop.
    void Close();
    // Frees the form once the messages now queued have been handled.
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    // Runs OnCreate; the application calls it once the form has been read.
    // Only a form that got this far runs OnDestroy when it is freed.
    void DoCreate();
    // A control of this form received the focus.
    void FocusChanged(TWinControl* control) noexcept { activeControl_ = control; }

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void VisibleChanged() override;
    // OnDestroy runs while the form is whole; then its window goes (so that
    // hooks see WM_DESTROY while their owners exist), then its components.
    void BeforeDestruction() override;

private:
    void ApplyWindowState();
    void UpdateFrame();
    void RestoreFocus();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TPosition position_ = TPosition::poDesigned;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    bool formDestroying_ = false;
    bool created_ = false;
    bool placed_ = false;
};

class TForm : public TCustomForm {
    GLY_CLASS(TForm)
public:
    using TCustomForm::TCustomForm;
};
