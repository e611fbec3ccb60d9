#pragma once
// A list box (LISTBOX) with at most one selected row.
//
// Items is a view of the rows: with a window it reads and writes the
// window's rows, without one a list of its own that fills the window when
// the window is made. OnClick runs when the user changes the selection with
// the mouse or the keyboard; setting ItemIndex from code runs nothing.
//
// With Style lbOwnerDrawFixed every row is ItemHeight pixels high and painted
// by OnDrawItem: before the call Canvas() draws on the row's DC with the
// list's font and a solid brush of the list's colour; after it the focus
// rectangle is drawn around the row that has the keyboard focus. Without a
// handler the row shows its text as in a standard list. A whole repaint
// draws the rows from the list's own paint, in the order and with the
// states the standard control would give them, and leaves the same pixels.

#include <memory>

#include "platform/core/Strings.h"
#include "platform/win/Canvas.h"
#include "platform/win/WinControl.h"

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };
const TEnumTypeInfo& ListBoxStyleTypeInfo();

enum class TOwnerDrawFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault };
using TOwnerDrawState = TSet<TOwnerDrawFlag>;

// Rect is the row in the list's client coordinates, right and bottom edges
// exclusive.
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TListBox : public TWinControl {
    GLY_CLASS(TListBox)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings* Items() const noexcept { return items_.get(); }
    void SetItems(TStrings* value);
    // The selected row, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    int ItemHeight() const noexcept { return itemHeight_; }
    void SetItemHeight(int value);
    TListBoxStyle Style() const noexcept { return style_; }
    void SetStyle(TListBoxStyle value);
    // Whether the height shrinks to whole rows.
    bool IntegralHeight() const noexcept { return integralHeight_; }
    void SetIntegralHeight(bool value);
    // The first visible row.
    int TopIndex() const;
    void SetTopIndex(int value);
    // The row's rectangle in client coordinates (empty for a row that does
    // not exist), and the row at a client point (-1 where there is none).
    TRect ItemRect(int index) const;
    int ItemAtPos(TPoint point) const;

    // The surface of the row being painted, valid during OnDrawItem.
    TCanvas* Canvas() const noexcept { return canvas_.get(); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TDrawItemEvent OnDrawItem;

    void ChangeScale(int fromPpi, int toPpi) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    friend class TListBoxStrings;
    void DrawItem(TMessage& message);
    // With the canvas lent the DC: one row, Rect in client coordinates.
    void DrawRow(int index, const TRect& rect, unsigned itemState);
    void PaintRows(HDC dc);
    void RecreateWnd();

    std::unique_ptr<TStrings> items_;
    std::unique_ptr<TCanvas> canvas_;
    int itemIndex_ = -1;  // while there is no window
    int itemHeight_ = 13;
    TDesignedLength designItemHeight_;
    TListBoxStyle style_ = TListBoxStyle::lbStandard;
    bool integralHeight_ = false;
    bool redraw_ = true;  // WM_SETREDRAW
};
