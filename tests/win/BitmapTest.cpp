// Off-screen bitmaps: white where nothing was drawn, drawn with a transparent
// colour, read from and written to .bmp file images and form streams, and
// cheap in GDI objects while kept.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/win/Graphics.h"
#include "tests/win/GdiTestUtil.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);

int CountInBitmap(TBitmap& bitmap, const TRect& r, COLORREF color) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += bitmap.Canvas()->Pixel(x, y) == TColor(color);
    return n;
}

// The way a preview is made: size from the text, then the text at (0, 0).
void RenderPreview(TBitmap& bitmap, const std::string& name, int height) {
    TCanvas& c = *bitmap.Canvas();
    c.Font()->SetName(name);
    c.Font()->SetHeight(height);
    c.Font()->SetColor(clBlack);
    bitmap.SetWidth(c.TextWidth(name + " "));
    bitmap.SetHeight(c.TextHeight(name));
    c.TextOut(0, 0, name);
    bitmap.SetTransparentColor(clWhite);
    bitmap.SetTransparent(true);
}

TEST(Bitmap, SizedToTextIsWhiteWhereNothingWasDrawn) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    RenderPreview(bitmap, "Liberation Sans", -24);
    ASSERT_FALSE(bitmap.Empty());
    TCanvas& c = *bitmap.Canvas();
    const int textWidth = c.TextWidth("Liberation Sans");
    const int w = bitmap.Width(), h = bitmap.Height();
    EXPECT_EQ(w, c.TextWidth("Liberation Sans "));
    EXPECT_EQ(h, c.TextHeight("Liberation Sans"));
    // The trailing space is a white margin; the letters are black ink.
    EXPECT_EQ(CountInBitmap(bitmap, {textWidth, 0, w, h}, kWhite), (w - textWidth) * h);
    EXPECT_GT(CountInBitmap(bitmap, {0, 0, textWidth, h}, kBlack), 0);
    EXPECT_GT(CountInBitmap(bitmap, {0, 0, textWidth, h}, kWhite), 0);
}

TEST(Bitmap, ResizingKeepsWhatRemainsAndAddsWhite) {
    struct TCase {
        bool dormantBeforeResize;
    };
    for (const TCase c : {TCase{false}, TCase{true}}) {
        SCOPED_TRACE(c.dormantBeforeResize);
        TBitmap bitmap(10, 10);
        EXPECT_EQ(CountInBitmap(bitmap, {0, 0, 10, 10}, kWhite), 100);
        bitmap.Canvas()->Brush()->SetColor(TColor(kRed));
        bitmap.Canvas()->FillRect({0, 0, 10, 10});
        if (c.dormantBeforeResize) bitmap.Dormant();
        bitmap.SetSize(20, 6);
        EXPECT_EQ(bitmap.Width(), 20);
        EXPECT_EQ(bitmap.Height(), 6);
        EXPECT_EQ(CountInBitmap(bitmap, {0, 0, 10, 6}, kRed), 60);
        EXPECT_EQ(CountInBitmap(bitmap, {10, 0, 20, 6}, kWhite), 60);
        EXPECT_EQ(bitmap.Canvas()->Pixel(0, 6), clNone);
    }
}

TEST(Bitmap, ZeroSideHasNoPixelsButKeepsTheOtherSide) {
    TBitmap bitmap;
    bitmap.SetWidth(30);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
    EXPECT_EQ(bitmap.Width(), 30);
    bitmap.SetHeight(5);
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_NE(bitmap.Handle(), nullptr);
    EXPECT_EQ(CountInBitmap(bitmap, {0, 0, 30, 5}, kWhite), 150);
    bitmap.SetHeight(0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
}

// A 3x2 source: white, red, white / red, white, navy (top row first).
void PaintSource(TBitmap& source) {
    source.SetSize(3, 2);
    source.Canvas()->SetPixel(1, 0, TColor(kRed));
    source.Canvas()->SetPixel(0, 1, TColor(kRed));
    source.Canvas()->SetPixel(2, 1, TColor(kNavy));
}

struct TDrawCase {
    const char* name;
    bool transparent;
    TColor transparentColor;
    bool dormant;  // drawn from the scratch DC rather than its own
    COLORREF expected[2][3];
};

TEST(Bitmap, DrawLeavesOutTheTransparentColourOnly) {
    const TDrawCase cases[] = {
        {"opaque", false, clWhite, false, {{kWhite, kRed, kWhite}, {kRed, kWhite, kNavy}}},
        {"white transparent", true, clWhite, false, {{kGreen, kRed, kGreen}, {kRed, kGreen, kNavy}}},
        {"white transparent, resting", true, clWhite, true, {{kGreen, kRed, kGreen}, {kRed, kGreen, kNavy}}},
        {"red transparent", true, TColor(kRed), true, {{kWhite, kGreen, kWhite}, {kGreen, kWhite, kNavy}}},
        // Unset: the bottom-left pixel (red) is the transparent one.
        {"bottom-left", true, clDefault, false, {{kWhite, kGreen, kWhite}, {kGreen, kWhite, kNavy}}},
    };
    for (const TDrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap source;
        PaintSource(source);
        source.SetTransparent(c.transparent);
        source.SetTransparentColor(c.transparentColor);
        if (c.dormant) source.Dormant();
        EXPECT_EQ(source.HasDC(), !c.dormant);
        TTestSurface surface(10, 10, kGreen);
        TCanvas canvas(surface.DC());
        canvas.Draw(4, 5, source);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(surface.At(4 + x, 5 + y), c.expected[y][x]) << x << "," << y;
        // Nothing around the bitmap.
        EXPECT_EQ(surface.Count(RECT{0, 0, 10, 10}, kGreen) - surface.Count(RECT{4, 5, 7, 7}, kGreen), 100 - 6);
        // Drawing does not give a resting bitmap its DC back.
        EXPECT_EQ(source.HasDC(), !c.dormant);
    }
}

TEST(Bitmap, DrawingAgainShowsWhatChangedSinceTheLastDraw) {
    TBitmap source;
    PaintSource(source);
    source.SetTransparent(true);
    source.SetTransparentColor(clWhite);
    auto drawn = [&source](int x, int y) {
        TTestSurface surface(4, 4, kGreen);
        TCanvas canvas(surface.DC());
        canvas.Draw(0, 0, source);
        return surface.At(x, y);
    };
    EXPECT_EQ(drawn(0, 0), kGreen);
    source.Canvas()->SetPixel(0, 0, TColor(kNavy));
    EXPECT_EQ(drawn(0, 0), kNavy);
    source.Dormant();
    EXPECT_EQ(drawn(0, 0), kNavy);
    source.SetTransparentColor(TColor(kNavy));
    EXPECT_EQ(drawn(0, 0), kGreen);
    EXPECT_EQ(drawn(2, 0), kWhite);
    source.SetTransparent(false);
    EXPECT_EQ(drawn(0, 0), kNavy);
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel) {
    TBitmap bitmap;
    PaintSource(bitmap);
    EXPECT_EQ(bitmap.TransparentColor(), TColor(kRed));
    bitmap.SetTransparentColor(clWhite);
    EXPECT_EQ(bitmap.TransparentColor(), clWhite);
}

// ---- .bmp file images ----

void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(uint8_t(x >> (8 * i)));
}
void Put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

// A 4-bit image, 5 x 3, with a palette of `colors` entries; pixel (x, y)
// (top row y = 0) has palette index index[y][x]. `core` writes the 12-byte
// header with 3-byte palette entries.
std::vector<uint8_t> FourBitBmp(const std::vector<COLORREF>& palette, const int (&index)[3][5], bool topDown,
                                bool core = false) {
    const int w = 5, h = 3, stride = 4;
    std::vector<uint8_t> bits;
    for (int row = 0; row < h; ++row) {
        const int y = topDown ? row : h - 1 - row;
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < w; ++x) line[x / 2] |= uint8_t(index[y][x] << (x % 2 ? 0 : 4));
        bits.insert(bits.end(), line.begin(), line.end());
    }
    std::vector<uint8_t> header;
    if (core) {
        Put32(header, 12);
        Put16(header, w);
        Put16(header, h);
        Put16(header, 1);
        Put16(header, 4);
    } else {
        Put32(header, 40);
        Put32(header, w);
        Put32(header, uint32_t(topDown ? -h : h));
        Put16(header, 1);
        Put16(header, 4);
        Put32(header, 0);
        Put32(header, uint32_t(bits.size()));
        Put32(header, 3780);
        Put32(header, 3780);
        Put32(header, uint32_t(palette.size()));
        Put32(header, 0);
    }
    std::vector<COLORREF> entries = palette;
    if (core) entries.resize(16, kBlack);  // this header has no colour count: always 16
    for (COLORREF c : entries) {
        header.insert(header.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
        if (!core) header.push_back(0);
    }
    std::vector<uint8_t> file{'B', 'M'};
    const uint32_t offBits = uint32_t(14 + header.size());
    Put32(file, uint32_t(offBits + bits.size()));
    Put32(file, 0);
    Put32(file, offBits);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), bits.begin(), bits.end());
    return file;
}

const std::vector<COLORREF> kPalette = {kBlack, RGB(128, 0, 0), RGB(0, 128, 0), kOlive, kNavy, kWhite, kRed};
constexpr int kIndex[3][5] = {{3, 3, 4, 3, 6}, {0, 5, 1, 2, 3}, {6, 3, 3, 3, 4}};

void ExpectPaletteColours(TBitmap& bitmap) {
    ASSERT_EQ(bitmap.Width(), 5);
    ASSERT_EQ(bitmap.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bitmap.Canvas()->Pixel(x, y), TColor(kPalette[size_t(kIndex[y][x])])) << x << "," << y;
}

TEST(BitmapFile, FourBitImagesKeepTheirPaletteColours) {
    struct TCase {
        const char* name;
        bool topDown, core;
    };
    for (const TCase c : {TCase{"bottom-up", false, false}, TCase{"top-down", true, false},
                          TCase{"12-byte header", false, true}}) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap;
        int changes = 0;
        bitmap.OnChange = [&](TObject*) { ++changes; };
        bitmap.LoadFromBmpBytes(FourBitBmp(kPalette, kIndex, c.topDown, c.core));
        EXPECT_EQ(changes, 1);
        ExpectPaletteColours(bitmap);
    }
}

TEST(BitmapFile, BadImagesAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> good = FourBitBmp(kPalette, kIndex, false);
    auto with = [&](size_t at, uint8_t value) {
        auto bad = good;
        bad[at] = value;
        return bad;
    };
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
        {"empty", {}},
        {"not BM", with(0, 'X')},
        {"truncated pixels", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + 20)},
        {"compressed", with(14 + 16, 2)},
        {"3 bits per pixel", with(14 + 14, 3)},
        {"zero width", with(14 + 4, 0)},
        {"more colours than 4 bits hold", with(14 + 32, 17)},
        {"pixels before the palette", with(10, 20)},
    };
    TBitmap bitmap;
    bitmap.LoadFromBmpBytes(good);
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(bitmap.LoadFromBmpBytes(bytes), EInvalidGraphic);
        ExpectPaletteColours(bitmap);
    }
}

TEST(BitmapFile, SavedImageLoadsBackWithTheSamePixels) {
    TBitmap drawn;
    RenderPreview(drawn, "Liberation Serif", -20);
    drawn.Canvas()->SetPixel(0, 0, TColor(kOlive));
    const std::vector<uint8_t> bytes = drawn.SaveToBmpBytes();
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    TBitmap loaded;
    loaded.LoadFromBmpBytes(bytes);
    ASSERT_EQ(loaded.Width(), drawn.Width());
    ASSERT_EQ(loaded.Height(), drawn.Height());
    int differing = 0;
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x)
            differing += drawn.Canvas()->Pixel(x, y) != loaded.Canvas()->Pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(loaded.Canvas()->Pixel(0, 0), TColor(kOlive));
    EXPECT_TRUE(TBitmap().SaveToBmpBytes().empty());
}

TEST(Bitmap, AssignCopiesPixelsSizeAndTransparency) {
    TBitmap source;
    PaintSource(source);
    source.SetTransparent(true);
    source.SetTransparentColor(TColor(kNavy));
    source.Dormant();
    TBitmap copy(7, 7);
    copy.Canvas();  // with a DC of its own
    copy.Assign(source);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Height(), 2);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), TColor(kNavy));
    EXPECT_NE(copy.Handle(), source.Handle());
    EXPECT_EQ(copy.Canvas()->Pixel(1, 0), TColor(kRed));
    EXPECT_EQ(copy.Canvas()->Pixel(2, 1), TColor(kNavy));
    // Independent pixels.
    copy.Canvas()->SetPixel(1, 0, TColor(kGreen));
    EXPECT_EQ(source.Canvas()->Pixel(1, 0), TColor(kRed));

    TBitmap empty;
    copy.Assign(empty);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Handle(), nullptr);
}

// ---- the binary property "Data" in form streams ----

class TGlyphHolder : public TComponent {
    GLY_CLASS(TGlyphHolder)
public:
    explicit TGlyphHolder(TComponent* owner) : TComponent(owner) {}
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* value) {
        if (value) glyph_->Assign(*value);
    }

private:
    std::unique_ptr<TBitmap> glyph_ = std::make_unique<TBitmap>();
};

const TClassInfo& TGlyphHolder::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGlyphHolder>("TGlyphHolder", &TComponent::StaticClass)
                                       .Creatable()
                                       .Obj("Glyph", &TGlyphHolder::Glyph, &TGlyphHolder::SetGlyph)
                                       .Build();
    return info;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

TEST(BitmapStream, GlyphDataFromAFormFileKeepsItsColours) {
    for (const bool lengthInFront : {false, true}) {
        SCOPED_TRACE(lengthInFront);
        std::vector<uint8_t> data = FourBitBmp(kPalette, kIndex, false);
        if (lengthInFront) {
            std::vector<uint8_t> withLength;
            Put32(withLength, uint32_t(data.size()));
            data.insert(data.begin(), withLength.begin(), withLength.end());
        }
        const std::string text = "object Holder: TGlyphHolder\n  Glyph.Data = {\n    " + Hex(data) + "}\nend\n";
        TMemoryStream stream(ObjectTextToBinary(text));
        TGlyphHolder holder(nullptr);
        TReader(stream).ReadRootComponent(&holder);
        ExpectPaletteColours(*holder.Glyph());
    }
}

TEST(BitmapStream, DataRoundTripsThroughWriterAndReader) {
    TGlyphHolder written(nullptr);
    written.SetName("Holder");
    written.Glyph()->LoadFromBmpBytes(FourBitBmp(kPalette, kIndex, true));
    TMemoryStream stream;
    TWriter(stream).WriteRootComponent(written);
    EXPECT_NE(ObjectBinaryToText(stream.Bytes()).find("Glyph.Data = {"), std::string::npos);

    stream.SetPosition(0);
    TGlyphHolder read(nullptr);
    TReader(stream).ReadRootComponent(&read);
    ExpectPaletteColours(*read.Glyph());

    // An empty glyph is not written at all.
    TGlyphHolder none(nullptr);
    none.SetName("Holder");
    TMemoryStream empty;
    TWriter(empty).WriteRootComponent(none);
    EXPECT_EQ(ObjectBinaryToText(empty.Bytes()).find("Glyph."), std::string::npos);
}

TEST(BitmapStream, BadDataIsAReadError) {
    const std::string text = "object Holder: TGlyphHolder\n  Glyph.Data = {424D0000}\nend\n";
    TMemoryStream stream(ObjectTextToBinary(text));
    TGlyphHolder holder(nullptr);
    EXPECT_THROW(TReader(stream).ReadRootComponent(&holder), EReadError);
}

// ---- GDI cost of kept bitmaps ----

TEST(BitmapBudget, KeptBitmapsHoldNoDCAndNoFont) {
    const int kept = 3 * TBitmap::kMaxLiveDCs;
    std::vector<std::unique_ptr<TBitmap>> bitmaps;
    std::vector<int> widths;
    for (int i = 0; i < kept; ++i) {
        bitmaps.push_back(std::make_unique<TBitmap>());
        RenderPreview(*bitmaps.back(), i % 2 ? "Liberation Sans" : "Liberation Mono", -12 - i);
        widths.push_back(bitmaps.back()->Width());
    }
    int withDC = 0;
    for (auto& b : bitmaps) withDC += b->HasDC();
    EXPECT_EQ(withDC, TBitmap::kMaxLiveDCs);
    // The most recent ones kept theirs.
    EXPECT_TRUE(bitmaps.back()->HasDC());
    EXPECT_FALSE(bitmaps.front()->HasDC());

    // A resting bitmap still draws, and its canvas remembers its font.
    TBitmap& first = *bitmaps.front();
    TTestSurface surface(400, 60, kGreen);
    TCanvas canvas(surface.DC());
    canvas.Draw(0, 0, first);
    EXPECT_GT(surface.Count(RECT{0, 0, first.Width(), first.Height()}, kBlack), 0);
    EXPECT_EQ(surface.Count(RECT{0, 0, first.Width(), first.Height()}, kWhite), 0);
    EXPECT_EQ(first.Canvas()->Font()->Name(), "Liberation Mono");
    EXPECT_EQ(first.Canvas()->TextWidth("Liberation Mono "), widths.front());
    EXPECT_TRUE(first.HasDC());

    // Resting gives back the DC and the font, and keeps only the pixels.
    TBitmap& last = *bitmaps.back();
    HDC dc = last.Canvas()->Handle();
    HGDIOBJ font = ::GetCurrentObject(dc, OBJ_FONT);
    EXPECT_EQ(::GetObjectType(dc), DWORD(OBJ_MEMDC));
    EXPECT_EQ(::GetObjectType(font), DWORD(OBJ_FONT));
    last.Dormant();
    EXPECT_FALSE(last.HasDC());
    EXPECT_EQ(::GetObjectType(dc), 0u);
    EXPECT_EQ(::GetObjectType(font), 0u);
    EXPECT_EQ(::GetObjectType(last.Handle()), DWORD(OBJ_BITMAP));
}

TEST(BitmapBudget, ALockedCanvasKeepsItsDC) {
    TBitmap locked(4, 4);
    locked.Canvas()->Lock();
    HDC dc = locked.Canvas()->Handle();
    std::vector<std::unique_ptr<TBitmap>> others;
    for (int i = 0; i < 2 * TBitmap::kMaxLiveDCs; ++i) {
        others.push_back(std::make_unique<TBitmap>(2, 2));
        others.back()->Canvas()->Handle();
    }
    EXPECT_TRUE(locked.HasDC());
    EXPECT_EQ(locked.Canvas()->Handle(), dc);
    locked.Canvas()->Unlock();
    for (int i = 0; i < TBitmap::kMaxLiveDCs; ++i) {
        others.push_back(std::make_unique<TBitmap>(2, 2));
        others.back()->Canvas()->Handle();
    }
    EXPECT_FALSE(locked.HasDC());
}

}  // namespace
