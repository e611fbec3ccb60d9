#pragma once
// Controls: components that are child windows of a parent control, with
// published geometry, docking, visibility, text, font and colour.
//
// Every control is a real window. The window is made when it is first needed
// (or when its form is shown); values set before that are kept and applied
// then. Each window's messages pass through WindowProc, which starts as the
// control's own WndProc and may be replaced from outside (a hook), as long as
// the replacement passes messages on to the procedure it replaced.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Set.h"
#include "platform/win/Colors.h"
#include "platform/win/Cursors.h"
#include "platform/win/Font.h"
#include "platform/win/Geometry.h"
#include "platform/win/Handle.h"
#include "platform/win/Messages.h"
#include "platform/win/Scaling.h"
#include "platform/win/WinTypes.h"

class TWinControl;
class TCustomForm;
class TWindowDispatch;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using TShiftState = TSet<TShiftFlag>;
// X and Y are in the control's client coordinates.
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
const TEnumTypeInfo& AlignTypeInfo();

// What a control asks of CreateWindowExW.
struct TCreateParams {
    std::wstring caption;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    // A window class of our own, registered with the shared window procedure
    // under this name...
    std::wstring className;
    uint32_t classStyle = 0;
    // ...or a standard control class, subclassed onto the shared procedure
    // as soon as it exists.
    const wchar_t* systemClass = nullptr;
};

class TControl : public TComponent {
    GLY_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- window ----
    HWND Handle();  // makes the window (and its parents') when there is none
    HWND WindowHandle() const noexcept { return handle_.Get(); }
    bool HandleAllocated() const noexcept { return bool(handle_); }
    void HandleNeeded();
    void DestroyHandle();
    // The procedure every message of the window goes through.
    std::function<void(TMessage&)> WindowProc;
    // Marks the whole window for painting later; paints what is marked now;
    // both at once.
    void Invalidate();
    void Update();
    void Repaint();
    // Sends a message through WindowProc directly and returns its result.
    intptr_t Perform(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
    // The control whose window this is, or null.
    static TControl* FromHandle(HWND window) noexcept;

    // ---- parent ----
    TWinControl* Parent() const noexcept { return parent_; }
    void SetParent(TWinControl* parent);
    // The form this control lies on (itself for a form), or null.
    TCustomForm* ParentForm() const noexcept;

    // ---- geometry ----
    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const noexcept { return {left_, top_, left_ + width_, top_ + height_}; }
    // The client area in the control's own coordinates; without a window it
    // is worked out from the size and the frame the window would have.
    virtual TRect ClientRect() const;
    // A point of the client area in screen coordinates (makes the window).
    TPoint ClientToScreen(TPoint point);
    TAlign Align() const noexcept { return align_; }
    void SetAlign(TAlign value);

    // ---- state ----
    bool Visible() const noexcept { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(const std::string& value);
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const noexcept { return parentShowHint_; }
    void SetParentShowHint(bool value);

    // ---- appearance ----
    TFont* Font() const noexcept { return font_.get(); }
    void SetFont(TFont* value);
    bool ParentFont() const noexcept { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    // The pointer shown over the control; crDefault leaves it to the window.
    TCursor Cursor() const noexcept { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }

    // ---- mouse ----
    // Runs whenever the pointer moves over the control, or anywhere while
    // the control holds the mouse.
    TMouseMoveEvent OnMouseMove;

    // ---- density ----
    // Brings every designed length of the control (bounds, the height of a
    // font of its own, and what its kind adds: row heights, cell sizes...)
    // from `fromPpi` to `toPpi` pixels per inch, starting each time from the
    // design values read from the form (see TDesignedLength).
    virtual void ChangeScale(int fromPpi, int toPpi);

    // ---- streaming ----
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;

protected:
    // Caption or text, published by the descendants that have one.
    std::string GetText() const;
    void SetText(const std::string& value);

    virtual void CreateParams(TCreateParams& params) const;
    // Gives an existing window the style CreateParams asks for now, keeping
    // whether it is shown and enabled: for the styles a standard control
    // reads while it runs. Does nothing without a window.
    void ApplyStyle();
    // Makes the window; containers then make their children's.
    virtual void CreateWnd();
    virtual void WndProc(TMessage& message);
    // For a control that paints every pixel of its window itself, first
    // thing in its WndProc: on WM_PAINT runs `paint` with the paint DC and
    // the part of the client area to paint, and on WM_ERASEBKGND erases
    // nothing. True when `message` was one of the two and has its answer.
    bool PaintOwnWindow(TMessage& message, const std::function<void(HDC dc, const TRect& dirty)>& paint);
    // The window's default handling: the standard control's own procedure
    // for subclassed controls, DefWindowProcW for ours.
    void DefaultHandler(TMessage& message);
    // The brush and text colours a standard control paints with (WM_CTLCOLOR*).
    virtual intptr_t CtlColor(HDC dc);
    HBRUSH Brush();

    virtual void FontChanged();
    virtual void ColorChanged();
    // The pointer moved to (x, y), in client coordinates; runs OnMouseMove.
    virtual void MouseMoved(TShiftState shift, int x, int y);
    // Called after the bounds changed; `resized` when the size did.
    virtual void BoundsChanged(bool resized);
    // A parent's font or show-hint value changed.
    void ParentFontChanged();
    void ParentShowHintChanged();
    void RequestAlign();
    // Reads the bounds back from the window after someone else moved it.
    void UpdateBoundsFromWindow();

    void BeforeDestruction() override;

    // The parts of ChangeScale that every control has.
    void ScaleBounds(int fromPpi, int toPpi, bool position = true);
    void ScaleFont(int fromPpi, int toPpi);

    // Shows or hides the window after Visible changed.
    virtual void VisibleChanged();

    // Set by a descendant that is a top-level window (forms).
    bool topLevel_ = false;
    bool visible_ = true;

private:
    friend class TWinControl;
    friend class TWindowDispatch;

    void Detach(HWND window) noexcept;
    void ApplyFont();
    void OnFontChange(TObject* sender);
    void LeaveParent() noexcept;

    TWindowHandle handle_;
    uintptr_t defProc_ = 0;  // the subclassed standard control's own procedure
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool enabled_ = true;
    std::string text_;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool followingParent_ = false;  // a font change that came from the parent
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    TBrushHandle brush_;
    TDesignedLength designLeft_, designTop_, designWidth_, designHeight_, designFontHeight_;
};

// The modifier keys and buttons down now (for key messages).
TShiftState KeyboardShiftState();
