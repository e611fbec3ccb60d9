#pragma once
// A font description that makes its GDI font on first use and tells its owner
// of every change, so that controls can redraw and pass it on to children.

#include <string>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Set.h"
#include "platform/win/Colors.h"
#include "platform/win/Handle.h"

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
const TEnumTypeInfo& FontStyleTypeInfo();
const TSetTypeInfo& FontStylesTypeInfo();
// The identifiers that form files use for character sets ("DEFAULT_CHARSET").
const TIntIdentMap& CharsetIdents();

constexpr int kDefaultCharset = 1;  // DEFAULT_CHARSET

class TFont : public TPersistent {
    GLY_CLASS(TFont)
public:
    TFont();
    ~TFont() override;

    int Charset() const noexcept { return charset_; }
    void SetCharset(int value);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    // Character height in pixels; negative as in LOGFONT (the em height).
    int Height() const noexcept { return height_; }
    void SetHeight(int value);
    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& value);
    // Points at the font's pixels per inch, derived from Height.
    int Size() const;
    void SetSize(int points);
    // The density that Size converts at: the screen's until a control on a
    // screen of another density sets it. Changing it keeps the height.
    int PixelsPerInch() const noexcept { return pixelsPerInch_ > 0 ? pixelsPerInch_ : ScreenPixelsPerInch(); }
    void SetPixelsPerInch(int value) noexcept { pixelsPerInch_ = value; }
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles value);

    // The GDI font, made on first use and remade after a change.
    HFONT Handle() const;
    // Deletes the GDI font; the next Handle() makes it again.
    void ReleaseHandle() noexcept { handle_.Reset(); }
    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChange;

    // The screen's vertical pixels per inch (LOGPIXELSY).
    static int ScreenPixelsPerInch();

private:
    void Changed();

    int charset_ = kDefaultCharset;
    TColor color_ = clWindowText;
    int height_ = -11;
    int pixelsPerInch_ = 0;  // 0: the screen's
    std::string name_ = "MS Sans Serif";
    TFontStyles style_;
    mutable TFontHandle handle_;
};
