#pragma once
// A tool button that never takes the keyboard focus, with a glyph and a
// caption, in a window of its own class.
//
// With GroupIndex 0 it is a plain button: it shows pressed while the left
// button is held on it, and releasing the button over it runs OnClick. With
// GroupIndex > 0 it is a toggle: a click puts it down, and the buttons with
// the same GroupIndex on the same parent form a group of which at most one
// is down; with AllowAllUp a click on the down button lets it up, otherwise
// one stays down. Down already has its new value when OnClick runs.
//
// Flat buttons show no frame until the mouse is over them or they are
// pressed or down. The glyph is drawn with the colour of its bottom-left
// pixel left out. OnMouseUp runs for every mouse button released over it.
// The window's text (what screen readers and WM_GETTEXT see) is the
// caption, or the hint when there is no caption.

#include <memory>
#include <string>

#include "platform/win/Control.h"
#include "platform/win/MouseEvent.h"

class TBitmap;
class TCanvas;

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumTypeInfo& ButtonLayoutTypeInfo();

class TSpeedButton : public TControl {
    GLY_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // Hides TControl::SetHint: the hint may be the window's text.
    void SetHint(const std::string& value);
    TBitmap* Glyph() const noexcept { return glyph_.get(); }
    void SetGlyph(TBitmap* value);
    bool Flat() const noexcept { return flat_; }
    void SetFlat(bool value);
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const noexcept { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    // Always false with GroupIndex 0. Letting the down button of a group up
    // is refused without AllowAllUp; putting one down lets the others up.
    bool Down() const noexcept { return down_; }
    void SetDown(bool value);
    TButtonLayout Layout() const noexcept { return layout_; }
    void SetLayout(TButtonLayout value);
    // Pixels between glyph and caption; -1 centres the caption in the room
    // the glyph leaves.
    int Spacing() const noexcept { return spacing_; }
    void SetSpacing(int value);
    // Pixels from the edge to the glyph; -1 centres glyph and caption
    // together.
    int Margin() const noexcept { return margin_; }
    void SetMargin(int value);

    // Does what a click does: toggles a group button, then runs OnClick.
    void Click();

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    void Loaded() override;
    // The glyph is shown at the density's size, the spacing follows it.
    void ChangeScale(int fromPpi, int toPpi) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;
    void FontChanged() override;

private:
    void Paint(HDC dc);
    uint32_t FaceColor() const;  // COLORREF
    // The glyph at (x, y) in `size`, made smooth from the designed picture
    // laid over the face.
    void DrawScaledGlyph(HDC dc, int x, int y, TSize size);
    void DrawFace(TCanvas& canvas, const TRect& client);
    void DrawContent(TCanvas& canvas, const TRect& client, int offset);
    void UpdateAccessibleText();
    void OnGlyphChange(TObject* sender);
    // Lets the other buttons of the group up after this one went down.
    void ReleaseGroup();
    void MouseButtonDown(TMouseButton button, uintptr_t wParam, intptr_t lParam);
    void MouseButtonUp(TMouseButton button, uintptr_t wParam, intptr_t lParam);
    void SetHot(bool value);
    bool Inside(intptr_t lParam) const;

    std::string caption_;
    std::unique_ptr<TBitmap> glyph_;
    bool flat_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int spacing_ = 4;
    TDesignedLength designSpacing_;
    int pixelsPerInch_ = kDesignPixelsPerInch;
    int margin_ = -1;
    bool pressed_ = false;   // drawn pressed: the left button is held over it
    bool tracking_ = false;  // the left button went down on it and is held
    bool hot_ = false;       // the mouse is over it
};
