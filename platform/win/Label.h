#pragma once
// A text label (STATIC). With AutoSize its width and height follow the
// caption in the label's font (one line of 8-point Tahoma is 13 pixels high);
// a line is as wide as what is drawn of it, even where that is wider than
// GDI measures it.
// With ParentColor its background is the parent's colour. A "&" marks an
// access key, which gives the focus to the next control in tab order, unless
// ShowAccelChar is off. A left-button press released over the label is a
// click (the parent hands the label its mouse, see WinControl.h).

#include <string>

#include "platform/win/Alignment.h"
#include "platform/win/Control.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };
const TEnumTypeInfo& TextLayoutTypeInfo();

class TLabel : public TControl {
    GLY_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value);
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);
    // tlCenter centres a single line vertically; tlBottom draws as tlTop.
    TTextLayout Layout() const noexcept { return layout_; }
    void SetLayout(TTextLayout value);
    bool ShowAccelChar() const noexcept { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool ParentColor() const noexcept { return parentColor_; }
    void SetParentColor(bool value);
    // Draws no background: what lies beneath shows around the letters.
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);

    // Does what a click does.
    void Click();

    TNotifyEvent OnClick;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;
    intptr_t CtlColor(HDC dc) override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    void AdjustBounds();
    void StyleChanged();
    TColor BackColor() const;

    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool showAccelChar_ = true;
    bool parentColor_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool pressed_ = false;  // the left button went down over the label
    TBrushHandle backBrush_;
    TColor backBrushColor_ = clNone;
};
