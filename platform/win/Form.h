#pragma once
// Forms: top-level windows owned by the application's window, read from a
// form resource by TApplication::CreateForm, with the handlers a form file
// wires (OnCreate, OnDestroy, OnKeyDown, OnClose, OnShow).

#include <cstdint>
#include <vector>

#include "platform/win/FormResource.h"
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

// How a modal form ended (ShowModal); 0 while it runs.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

const TEnumTypeInfo& FormBorderStyleTypeInfo();
const TSetTypeInfo& BorderIconsTypeInfo();
const TEnumTypeInfo& PositionTypeInfo();
const TEnumTypeInfo& FormStyleTypeInfo();
const TEnumTypeInfo& WindowStateTypeInfo();

class TMainMenu;
struct tagMSG;
struct tagRECT;

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
    // The menu bar: the menu is attached to the form (and the previous one
    // let go); null shows none.
    TMainMenu* Menu() const noexcept { return menu_; }
    void SetMenu(TMainMenu* value);

    // Asks the form to close: OnClose decides; closing the main form ends
    // the application's message loop. A modal form ends with mrCancel.
    void Close();
    // Shows the form and handles messages until ModalResult is set (a button
    // with a ModalResult, Close, the close box) and OnClose lets the form
    // close, or the application ends (mrCancel). Meanwhile the thread's other
    // windows take no input. Then hides the form and returns ModalResult.
    TModalResult ShowModal();
    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    // Frees the form once the messages now queued have been handled.
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    // Runs OnCreate; the application calls it once the form has been read.
    // Only a form that got this far runs OnDestroy when it is freed.
    void DoCreate();
    // Sees a key message for one of the form's windows before the dialog
    // manager does, and takes the keys that move around the form: Tab and
    // Shift+Tab (unless the focused control wants Tab), and Ctrl+Tab,
    // Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp, which switch the pages of a
    // notebook. True when it took the key.
    bool DialogKey(const tagMSG& message);
    // Gives the focus to the control that Tab (Shift+Tab when !forward)
    // goes to from `from`: the next tab stop in the tab order of the whole
    // form that can take the focus, round to the start after the last.
    void SelectNext(TWinControl* from, bool forward);
    // A control of this form received the focus.
    void FocusChanged(TWinControl* control) noexcept { activeControl_ = control; }

    // The density the form is laid out for: the screen's once it has been
    // read (its file gives every length at 96), then the monitor's that the
    // window is on.
    int PixelsPerInch() const noexcept { return pixelsPerInch_; }
    // A length designed at 96 pixels per inch, at the form's density.
    int Scaled(int designed) const { return ScaleLength(designed, pixelsPerInch_); }
    // The outer size, or the client size when the form file gave that, and
    // the controls and fonts; the form's position stays.
    void ChangeScale(int fromPpi, int toPpi) override;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    // The window has moved to a monitor of another density and the layout
    // has been scaled to it: what the form draws itself (pictures made for
    // one density) is to be made again. Runs on WM_DPICHANGED.
    virtual void DpiChanged(int /*oldPpi*/, int /*newPpi*/) {}

    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void VisibleChanged() override;
    // OnDestroy runs while the form is whole; then its window goes (so that
    // hooks see WM_DESTROY while their owners exist), then its components.
    void BeforeDestruction() override;

private:
    void ApplyWindowState();
    void MovedToDpi(int dpi, const tagRECT* suggested);
    void UpdateFrame();
    void RestoreFocus();
    // OnClose for a modal form that has a result: false (and the result is
    // cleared) when the handler keeps it open.
    bool CloseModal();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TPosition position_ = TPosition::poDesigned;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    bool formDestroying_ = false;
    bool created_ = false;
    bool placed_ = false;
    bool modal_ = false;
    bool clientSized_ = false;  // the form file gave the client size
    int pixelsPerInch_ = kDesignPixelsPerInch;
    TDesignedLength designClientWidth_, designClientHeight_;
    TModalResult modalResult_ = mrNone;
};

class TForm : public TCustomForm {
    GLY_CLASS(TForm)
public:
    using TCustomForm::TCustomForm;
};

// Reads a form stream (binary or text) into `form` and runs its OnCreate;
// frees the form and passes the error on when the stream cannot be read.
void LoadFormFrom(TCustomForm& form, const std::vector<uint8_t>& data);

// Makes a form of class T owned by `owner` from its form resource (RCDATA
// named like the class). Unlike TApplication::CreateForm, it never becomes
// the main form: for dialogs made while the program runs.
template <class T>
T* CreateOwnedForm(TComponent* owner) {
    const std::vector<uint8_t> data = FindFormResource(T::StaticClass().name);
    T* form = TComponent::Create<T>(owner);
    LoadFormFrom(*form, data);
    return form;
}
