#pragma once
// Controls that hold other controls and take part in keyboard focus: child
// lists in declaration order, docking of aligned children, tab order, and the
// key messages that the form may preview.
//
// Controls without keyboard input (labels, bevels) let the pointer through
// their windows to the parent's; the parent hands the mouse on to such a
// control under the pointer, so that its own handlers and pointer apply
// there and the parent's do not.

#include <vector>

#include "platform/win/Control.h"

using TKeyEvent = TEvent<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;

class TWinControl : public TControl {
    GLY_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const noexcept { return int(controls_.size()); }
    TControl* Controls(int index) const;

    // Lays the aligned children out in the client area: every alTop child
    // from the top down, then alBottom from the bottom up, alLeft, alRight,
    // each side in the children's order, and alClient in what is left.
    void Realign();
    // Keeps Realign from doing anything until the matching EnableAlign.
    void DisableAlign() noexcept { ++alignDisabled_; }
    void EnableAlign();

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool value);
    // Every windowed control inside this one, each followed by those inside
    // it, all in tab order: the path that Tab takes.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();

    TKeyEvent OnKeyDown;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;
    void ChangeScale(int fromPpi, int toPpi) override;

protected:
    // Rescales every child (and theirs), then lays them out once.
    void ScaleChildren(int fromPpi, int toPpi);
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void FontChanged() override;
    void BoundsChanged(bool resized) override;
    // Shrinks the area that aligned children share (borders, bevels).
    virtual void AdjustClientRect(TRect& rect);
    // Runs the key-down handlers: the form's first when it previews keys,
    // then this control's. True when a handler consumed the key (set it to 0).
    bool DoKeyDown(TMessage& message);
    void BeforeDestruction() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control) noexcept;
    void FreeControls();
    void SortTabList();
    void UpdateZOrder();
    // The child that lets the pointer through at the client point, or null.
    TControl* TransparentChildAt(int x, int y) const;
    // Hands a mouse message on to such a child; true when one took it.
    bool RouteMouse(TMessage& message);
    // Shows the pointer of such a child under the pointer, when it has one
    // of its own; true when it did.
    bool RouteCursor(TMessage& message);

    std::vector<TControl*> controls_;     // declaration order
    std::vector<TWinControl*> tabList_;  // tab order
    int tabOrder_ = -1;                   // wanted position while loading
    bool tabStop_ = false;
    bool aligning_ = false;
    int alignDisabled_ = 0;
    TControl* mouseChild_ = nullptr;  // took the left button; keeps the mouse until it is released
};
