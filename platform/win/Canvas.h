#pragma once
// A drawing surface on a device context that someone else owns (a window's
// paint DC, a printer DC) or that a bitmap supplies on demand.
//
// The canvas's font, brush and pen are selected into the DC when an
// operation needs them and stay selected; the DC's own objects are put back
// when the canvas lets go of the DC (SetHandle, ReleaseHandle, destruction),
// so the DC is returned exactly as it was lent and no GDI object leaks.
// Changing the font, brush or pen takes the old object out of the DC first;
// for that the canvas holds their OnChange events, which others leave alone.

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Colors.h"
#include "platform/win/Font.h"
#include "platform/win/Geometry.h"
#include "platform/win/GraphicsObjects.h"
#include "platform/win/WinTypes.h"

class TBitmap;
class TCompactBitmap;

GLY_EXCEPTION(EInvalidOperation, Exception);

class TCanvas : public TPersistent {
    GLY_CLASS(TCanvas)
public:
    explicit TCanvas(HDC dc = nullptr);
    ~TCanvas() override;

    // The DC drawn on. A bitmap's canvas makes its DC here when it has none;
    // a plain canvas without one raises EInvalidOperation
    // ("Canvas does not allow drawing").
    HDC Handle();
    bool HandleAllocated() const noexcept { return dc_ != nullptr; }
    // Lends the canvas another DC (null: none); the previous DC gets its own
    // objects back.
    void SetHandle(HDC dc);
    void ReleaseHandle() { SetHandle(nullptr); }

    TFont* Font() const noexcept { return font_.get(); }
    void SetFont(const TFont& value) { font_->Assign(value); }
    TBrush* Brush() const noexcept { return brush_.get(); }
    void SetBrush(const TBrush& value) { brush_->Assign(value); }
    TPen* Pen() const noexcept { return pen_.get(); }
    void SetPen(const TPen& value) { pen_->Assign(value); }

    // Fills with the brush (nothing for bsClear).
    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush's colour.
    void FrameRect(const TRect& rect);
    // Outlined with the pen, filled with the brush.
    void Rectangle(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom) { Rectangle(TRect{left, top, right, bottom}); }
    // Text in the font's colour at (x, y) as its top-left corner; the text's
    // cell is filled with the brush colour unless the brush is bsClear.
    void TextOut(int x, int y, const std::string& text);
    // As TextOut, clipped to `clip`, which is filled first unless the brush
    // is bsClear.
    void TextRect(const TRect& clip, int x, int y, const std::string& text);
    // Text laid out in `rect` by DrawTextW with the DT_* `format` flags, in
    // the font's colour on the brush colour (transparent for bsClear).
    void DrawText(const TRect& rect, const std::string& text, unsigned format);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const noexcept { return penPos_; }
    // The dotted XOR focus frame; drawing it twice removes it.
    void DrawFocusRect(const TRect& rect);
    // Copies the bitmap with its top-left corner at (x, y); a transparent
    // bitmap leaves the pixels of its transparent colour out.
    void Draw(int x, int y, TBitmap& bitmap);
    // The same for a compact picture, whose white is always left out.
    void Draw(int x, int y, const TCompactBitmap& picture);
    // Copies `source` of another canvas into `dest` of this one, stretched.
    void CopyRect(const TRect& dest, TCanvas& canvas, const TRect& source);

    // The RGB colour of one pixel (clNone outside the surface).
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Text in a font that has outlines but no TrueType ones (CFF/Type 1
    // faces) is drawn as filled outlines instead of as text. For printers
    // whose driver cannot take such fonts: Wine's PostScript driver crashes
    // when it downloads one.
    void SetOutlineTextFallback(bool value) noexcept { outlineTextFallback_ = value; }

    // While locked, a bitmap's canvas keeps its DC (see TBitmap).
    void Lock() noexcept { ++lockCount_; }
    void Unlock() noexcept { --lockCount_; }
    bool Locked() const noexcept { return lockCount_ > 0; }

protected:
    // Called when an operation needs a DC and there is none; a descendant
    // may lend one with SetHandle.
    virtual void CreateHandle() {}
    // Called when an operation uses the DC it has.
    virtual void HandleUsed() noexcept {}
    // Takes the font, brush and pen out of the DC and deletes their GDI
    // objects; they are made again when next needed.
    void ReleaseObjectHandles() noexcept;

private:
    enum Selected : unsigned { kFont = 1, kBrush = 2, kPen = 4 };
    HDC Require(unsigned objects);
    void Deselect(unsigned objects) noexcept;
    void OnFontChange(TObject*);
    void OnBrushChange(TObject*);
    void OnPenChange(TObject*);
    void PrepareText(HDC dc);
    bool NeedsOutlineText(HDC dc) const;
    // Runs `paint` inside a path bracket and fills the path in the font's colour.
    template <class Paint>
    void FillTextOutlines(HDC dc, Paint paint);
    void SetFontObject(TFont* value) { if (value) font_->Assign(*value); }
    void SetBrushObject(TBrush* value) { if (value) brush_->Assign(*value); }
    void SetPenObject(TPen* value) { if (value) pen_->Assign(*value); }

    HDC dc_ = nullptr;
    unsigned selected_ = 0;
    // The DC's own objects, put back when the canvas lets go.
    void* oldFont_ = nullptr;
    void* oldBrush_ = nullptr;
    void* oldPen_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    TPoint penPos_;
    int lockCount_ = 0;
    bool outlineTextFallback_ = false;
};

// Keeps a canvas locked for a scope.
class TLockCanvas {
public:
    explicit TLockCanvas(TCanvas& canvas) noexcept : canvas_(canvas) { canvas_.Lock(); }
    TLockCanvas(const TLockCanvas&) = delete;
    TLockCanvas& operator=(const TLockCanvas&) = delete;
    ~TLockCanvas() { canvas_.Unlock(); }

private:
    TCanvas& canvas_;
};
