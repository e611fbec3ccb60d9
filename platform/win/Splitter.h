#pragma once
// A splitter: a thin bar docked beside a neighbour that the user drags to
// resize that neighbour.
//
// The neighbour is the visible control docked on the same side that comes
// just before the splitter in its parent's docking order (for the usual
// alLeft splitter, the control to its left). Dragging sets the neighbour's
// width (height for alTop/alBottom) and docking moves the splitter along.
// The neighbour keeps at least MinSize pixels, and so does the room left for
// the controls docked after the splitter (what the parent's client area has
// left over once every other docked control had its share).
//
// Setting Left (Top for alTop/alBottom) from code after loading does what a
// drag to that place would do: an alLeft splitter at Left 300 next to a
// neighbour starting at x 0 makes the neighbour 300 wide. While a form is
// read, Left is only the stored position.

#include "platform/win/Control.h"

class TSplitter : public TControl {
    GLY_CLASS(TSplitter)
public:
    explicit TSplitter(TComponent* owner);

    int MinSize() const noexcept { return minSize_; }
    void SetMinSize(int value);  // at least 1
    // Raised edges; flat (the parent's colour) otherwise.
    bool Beveled() const noexcept { return beveled_; }
    void SetBeveled(bool value);

    // The published Left and Top (see above).
    void SetSplitterLeft(int value);
    void SetSplitterTop(int value);

    // The control the splitter resizes, or null.
    TControl* Neighbour() const;

    // After the user's drag changed the neighbour's size.
    TNotifyEvent OnMoved;

    void ChangeScale(int fromPpi, int toPpi) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;

private:
    bool Horizontal() const noexcept;  // resizes widths (alLeft/alRight)
    // The neighbour's size kept within MinSize and the parent's room.
    int ClampSize(const TControl& neighbour, int size) const;
    // Gives the neighbour `size` and re-docks; true when it changed.
    bool ResizeNeighbour(int size);
    void MoveTo(int position);
    void Paint();
    void EndDrag();

    int minSize_ = 30;
    TDesignedLength designMinSize_;
    bool beveled_ = false;
    bool dragging_ = false;
    bool moved_ = false;      // the current drag has changed the size
    int dragStart_ = 0;       // screen coordinate where the drag began
    int startSize_ = 0;       // the neighbour's size then
};
