#pragma once
// Controls that hold other controls and take part in keyboard focus: child
// lists in declaration order, docking of aligned children, tab order, and the
// key messages that the form may preview.

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

    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();

    TKeyEvent OnKeyDown;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;

protected:
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

    std::vector<TControl*> controls_;     // declaration order
    std::vector<TWinControl*> tabList_;  // tab order
    int tabOrder_ = -1;                   // wanted position while loading
    bool tabStop_ = false;
    bool aligning_ = false;
    int alignDisabled_ = 0;
};
