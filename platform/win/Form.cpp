#include "platform/win/Form.h"

#include <algorithm>

#include "platform/win/Application.h"
#include "platform/win/Button.h"
#include "platform/win/Menus.h"
#include "platform/win/Win32.h"

namespace {

// Posted to a form that asked to be freed once its current messages are done.
constexpr UINT kReleaseMessage = WM_APP + 0x101;

TRect WorkArea() {
    RECT r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    topLevel_ = true;
    visible_ = false;
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm() = default;

void TCustomForm::BeforeDestruction() {
    if (!formDestroying_) {
        formDestroying_ = true;
        Destroying();
        // A form whose creation failed never ran OnCreate, so its OnDestroy
        // would find nothing it expects.
        if (created_) {
            try {
                OnDestroy(this);
            } catch (const std::exception& e) {
                HandleException(e);
            }
        }
        DestroyHandle();
        DestroyComponents();
    }
    TWinControl::BeforeDestruction();
}

void TCustomForm::DoCreate() {
    created_ = true;
    try {
        OnCreate(this);
    } catch (const std::exception& e) {
        HandleException(e);
    }
}

void TCustomForm::Loaded() {
    // Every length is still as designed and no settings component has
    // restored anything yet (they finish loading after the form): the one
    // moment to bring the design to the screen, once.
    const int ppi = TFont::ScreenPixelsPerInch();
    ChangeScale(kDesignPixelsPerInch, ppi);
    if (ppi != kDesignPixelsPerInch) {
        // Scaled up for a dense screen that is small in pixels, the design
        // may not fit it; the form comes up whole on it all the same.
        const TRect work = WorkArea();
        SetBounds(Left(), Top(), std::min(Width(), work.Width()), std::min(Height(), work.Height()));
    }
    TWinControl::Loaded();
    if (visible_) VisibleChanged();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == activeControl_) activeControl_ = nullptr;
    if (operation == TOperation::Remove && component == menu_) menu_ = nullptr;
}

void TCustomForm::SetMenu(TMainMenu* value) {
    if (value == menu_) return;
    if (menu_) {
        menu_->Attach(nullptr);
        RemoveFreeNotification(menu_);
    }
    menu_ = value;
    if (!value) return;
    FreeNotification(value);
    value->Attach(this);
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    // Controls nest by parent; the rest of what the form owns follows them.
    TWinControl::GetChildren(proc, root);
    TComponent::GetChildren(proc, root);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    UpdateFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (borderIcons_ == value) return;
    borderIcons_ = value;
    UpdateFrame();
}

void TCustomForm::UpdateFrame() {
    // The window stays: making a new one would pass WM_DESTROY through the
    // hooks of those who watch this form, as if it were closing for good.
    if (!HandleAllocated() || IsLoading()) return;
    TCreateParams params;
    CreateParams(params);
    HWND window = WindowHandle();
    const LONG_PTR kept = ::GetWindowLongPtrW(window, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    ::SetWindowLongPtrW(window, GWL_STYLE, LONG_PTR(params.style) | kept);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, LONG_PTR(params.exStyle));
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
    if (!HandleAllocated() || !::IsWindowVisible(WindowHandle())) return windowState_;
    if (::IsIconic(WindowHandle())) return TWindowState::wsMinimized;
    if (::IsZoomed(WindowHandle())) return TWindowState::wsMaximized;
    return TWindowState::wsNormal;
}

void TCustomForm::SetWindowState(TWindowState value) {
    windowState_ = value;
    if (HandleAllocated() && visible_ && !IsLoading()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ::ShowWindow(WindowHandle(), kShow[int(windowState_)]);
}

int TCustomForm::ClientWidth() const { return ClientRect().Width(); }
int TCustomForm::ClientHeight() const { return ClientRect().Height(); }
void TCustomForm::SetClientWidth(int value) {
    if (IsLoading()) clientSized_ = true;
    SetWidth(Width() - ClientRect().Width() + value);
}
void TCustomForm::SetClientHeight(int value) {
    if (IsLoading()) clientSized_ = true;
    SetHeight(Height() - ClientRect().Height() + value);
}

void TCustomForm::ChangeScale(int fromPpi, int toPpi) {
    pixelsPerInch_ = toPpi;
    DisableAlign();
    if (clientSized_) {
        // The frame is the system's at either density; only the client area
        // was designed.
        const int width = designClientWidth_.Rescale(ClientWidth(), fromPpi, toPpi);
        const int height = designClientHeight_.Rescale(ClientHeight(), fromPpi, toPpi);
        if (width != ClientWidth()) SetClientWidth(width);
        if (height != ClientHeight()) SetClientHeight(height);
    } else {
        ScaleBounds(fromPpi, toPpi, false);
    }
    ScaleFont(fromPpi, toPpi);
    ScaleChildren(fromPpi, toPpi);
    EnableAlign();
}

void TCustomForm::MovedToDpi(int dpi, const tagRECT* suggested) {
    const int old = pixelsPerInch_;
    if (dpi > 0 && dpi != old) ChangeScale(old, dpi);
    if (suggested)
        ::SetWindowPos(WindowHandle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (dpi > 0 && dpi != old) DpiChanged(old, dpi);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (control && !IsLoading() && HandleAllocated() && ::IsWindowVisible(WindowHandle()) && control->CanFocus())
        control->SetFocus();
}

void TCustomForm::RestoreFocus() {
    if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus())
        ::SetFocus(activeControl_->WindowHandle());
}

void TCustomForm::Close() {
    if (modal_) {
        // ShowModal's loop asks OnClose.
        modalResult_ = mrCancel;
        return;
    }
    const bool isMain = Application && Application->MainForm() == this;
    TCloseAction action = TCloseAction::caHide;
    OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (isMain) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide:
        Hide();
        break;
    case TCloseAction::caMinimize:
        SetWindowState(TWindowState::wsMinimized);
        break;
    case TCloseAction::caFree:
        Release();
        break;
    case TCloseAction::caNone:
        break;
    }
}

void TCustomForm::Release() { ::PostMessageW(Handle(), kReleaseMessage, 0, 0); }

void TCustomForm::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.exStyle = WS_EX_CONTROLPARENT;
    params.classStyle = CS_DBLCLKS;
    const bool icons = borderIcons_.Has(TBorderIcon::biSystemMenu);
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
        params.style |= WS_POPUP;
        break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        params.style |= WS_CAPTION | WS_BORDER;
        break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
        params.style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case TFormBorderStyle::bsDialog:
        params.style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        params.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        params.exStyle |= WS_EX_TOOLWINDOW;
    if (borderStyle_ != TFormBorderStyle::bsNone && icons) {
        params.style |= WS_SYSMENU;
        const bool boxes = borderStyle_ == TFormBorderStyle::bsSingle || borderStyle_ == TFormBorderStyle::bsSizeable;
        if (boxes && borderIcons_.Has(TBorderIcon::biMinimize)) params.style |= WS_MINIMIZEBOX;
        if (boxes && borderIcons_.Has(TBorderIcon::biMaximize)) params.style |= WS_MAXIMIZEBOX;
        if (borderIcons_.Has(TBorderIcon::biHelp) && !(params.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            params.exStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == TFormStyle::fsStayOnTop) params.exStyle |= WS_EX_TOPMOST;
    // The main form carries the taskbar button; the other forms hang off it.
    if (Application && (!Application->MainForm() || Application->MainForm() == this))
        params.exStyle |= WS_EX_APPWINDOW;
    params.parent = Application ? Application->Handle() : nullptr;

    const TRect work = WorkArea();
    auto centreOn = [&](const TRect& area) {
        params.x = area.left + (area.Width() - params.width) / 2;
        params.y = area.top + (area.Height() - params.height) / 2;
    };
    switch (placed_ ? TPosition::poDesigned : position_) {
    case TPosition::poDesigned:
        break;
    case TPosition::poDefault:
        params.x = params.y = params.width = params.height = CW_USEDEFAULT;
        break;
    case TPosition::poDefaultPosOnly:
        params.x = params.y = CW_USEDEFAULT;
        break;
    case TPosition::poDefaultSizeOnly:
        params.width = params.height = CW_USEDEFAULT;
        break;
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        centreOn(work);
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
        centreOn(main && main != this ? main->BoundsRect() : work);
        break;
    }
    }
}

void TCustomForm::CreateWnd() {
    TWinControl::CreateWnd();
    // Made on a monitor of another density than the screen's: no
    // WM_DPICHANGED comes for that.
    const int dpi = WindowPixelsPerInch(WindowHandle());
    if (dpi != pixelsPerInch_) MovedToDpi(dpi, nullptr);
    // A window made again later (new frame style) comes back where the first
    // one was, not where the position rule would put a new one.
    placed_ = true;
}

void TCustomForm::VisibleChanged() {
    if (IsLoading()) return;
    if (!visible_) {
        if (HandleAllocated()) ::ShowWindow(WindowHandle(), SW_HIDE);
        return;
    }
    OnShow(this);
    HandleNeeded();
    ApplyWindowState();
    ::SetForegroundWindow(WindowHandle());
    RestoreFocus();
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
            Application->Minimize();
            return;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE && activeControl_) {
            RestoreFocus();
            m.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        if (activeControl_) {
            RestoreFocus();
            return;
        }
        break;
    case kReleaseMessage:
        TComponent::Free(this);
        return;
    case WM_DPICHANGED:
        MovedToDpi(HIWORD(m.WParam), reinterpret_cast<const RECT*>(m.LParam));
        m.Result = 0;
        return;
    case DM_GETDEFID:
    case WM_COMMAND:
        if (HandleDialogButtons(*this, m)) return;
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}
