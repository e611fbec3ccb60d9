#include "platform/win/StatusBar.h"

#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Handle.h"
#include "platform/win/LentDC.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

const TEnumTypeInfo& StatusPanelStyleTypeInfo() {
    static const TEnumTypeInfo info{"TStatusPanelStyle", {"psText", "psOwnerDraw"}, 0};
    return info;
}

const TEnumTypeInfo& StatusPanelBevelTypeInfo() {
    static const TEnumTypeInfo info{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}, 0};
    return info;
}

// ---- panels -----------------------------------------------------------------

const TClassInfo& TStatusPanel::StaticClass() {
    using P = TStatusPanel;
    static const TClassInfo info = TClassBuilder<P>("TStatusPanel", &TCollectionItem::StaticClass)
                                       .Item()
                                       .Enum("Alignment", AlignmentTypeInfo(), &P::Alignment, &P::SetAlignment)
                                       .Default(int(TAlignment::taLeftJustify))
                                       .Enum("Bevel", StatusPanelBevelTypeInfo(), &P::Bevel, &P::SetBevel)
                                       .Default(int(TStatusPanelBevel::pbLowered))
                                       .Enum("Style", StatusPanelStyleTypeInfo(), &P::Style, &P::SetStyle)
                                       .Default(int(TStatusPanelStyle::psText))
                                       .Str("Text", &P::Text, &P::SetText)
                                       .Int("Width", &P::Width, &P::SetWidth)
                                       .Build();
    return info;
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetWidth(int value) {
    if (value < 0) value = 0;
    if (width_ == value) return;
    width_ = value;
    Changed();
}

void TStatusPanel::SetText(const std::string& value) {
    if (text_ == value) return;
    text_ = value;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (bevel_ == value) return;
    bevel_ = value;
    Changed();
}

void TStatusPanel::Assign(const TPersistent& source) {
    const auto* other = source.As<TStatusPanel>();
    if (!other) return TCollectionItem::Assign(source);
    width_ = other->width_;
    text_ = other->text_;
    style_ = other->style_;
    alignment_ = other->alignment_;
    bevel_ = other->bevel_;
    Changed();
}

const TClassInfo& TStatusPanels::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStatusPanels>("TStatusPanels", &TCollection::StaticClass).Build();
    return info;
}

TStatusPanels::TStatusPanels(TStatusBar* bar) : TCollection(TStatusPanel::StaticClass(), bar), bar_(bar) {}

void TStatusPanels::Update(TCollectionItem* item) {
    if (!bar_) return;
    if (item)
        bar_->UpdatePanel(item->Index());
    else
        bar_->UpdatePanels();
}

// ---- the bar ----------------------------------------------------------------

const TClassInfo& TStatusBar::StaticClass() {
    using S = TStatusBar;
    static const TClassInfo info = TClassBuilder<S>("TStatusBar", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Enum("Align", AlignTypeInfo(), &S::Align, &S::SetAlign)
                                       .Default(int(TAlign::alBottom))
                                       .Obj("Panels", &S::Panels, &S::SetPanels)
                                       .Bool("SimplePanel", &S::SimplePanel, &S::SetSimplePanel)
                                       .Default(0)
                                       .Str("SimpleText", &S::SimpleText, &S::SetSimpleText)
                                       .Bool("SizeGrip", &S::SizeGrip, &S::SetSizeGrip)
                                       .Default(1)
                                       .Event("OnDrawPanel", &S::OnDrawPanel)
                                       .Build();
    return info;
}

TStatusBar::TStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(this)), canvas_(std::make_unique<TCanvas>()) {
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

TStatusBar::~TStatusBar() {
    // The panels are freed after the bar has gone; they must not reach it.
    panels_->bar_ = nullptr;
}

void TStatusBar::SetPanels(TStatusPanels* value) {
    if (value && value != panels_.get()) panels_->Assign(*value);
}

void TStatusBar::SetSimplePanel(bool value) {
    if (simplePanel_ == value) return;
    simplePanel_ = value;
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), SB_SIMPLE, value, 0);
    UpdatePanels();
}

void TStatusBar::ChangeScale(int fromPpi, int toPpi) {
    TWinControl::ChangeScale(fromPpi, toPpi);
    for (int i = 0; i < panels_->Count(); ++i) panels_->Items(i)->ChangeScale(fromPpi, toPpi);
}

void TStatusBar::SetSimpleText(const std::string& value) {
    simpleText_ = value;
    if (HandleAllocated())
        ::SendMessageW(WindowHandle(), SB_SETTEXTW, SB_SIMPLEID, LPARAM(Wide(simpleText_).c_str()));
}

void TStatusBar::SetSizeGrip(bool value) {
    if (sizeGrip_ == value) return;
    sizeGrip_ = value;
    RecreateWnd();
}

void TStatusBar::SetPanelText(int index, const std::string& text) { panels_->Items(index)->SetText(text); }

void TStatusBar::RepaintPanel(int index) {
    if (!HandleAllocated() || index < 0 || index >= panels_->Count()) return;
    HWND window = WindowHandle();
    RECT part;
    if (!::SendMessageW(window, SB_GETRECT, WPARAM(index), LPARAM(&part))) return;
    const bool ownerDrawn = panels_->Items(index)->Style() == TStatusPanelStyle::psOwnerDraw;
    if (!ownerDrawn || !drawInsetKnown_ || simplePanel_ || ::GetUpdateRect(window, nullptr, FALSE)) {
        // A pending paint would draw over it anyway: let the bar paint.
        ::InvalidateRect(window, &part, TRUE);
        ::UpdateWindow(window);
        return;
    }
    const TRect rect{part.left + drawInset_.left, part.top + drawInset_.top, part.right + drawInset_.right,
                     part.bottom + drawInset_.bottom};
    const TWindowDC dc(window);
    if (!dc) return;
    ::IntersectClipRect(dc.Get(), rect.left, rect.top, rect.right, rect.bottom);
    CallDrawPanel(dc.Get(), index, rect);
}

void TStatusBar::RecreateWnd() {
    if (!HandleAllocated()) return;
    DestroyHandle();
    if (Parent() && Parent()->HandleAllocated()) HandleNeeded();
}

void TStatusBar::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = STATUSCLASSNAMEW;
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    // The bar keeps the bounds it is given; docking places it.
    params.style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (sizeGrip_) params.style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    ::SendMessageW(WindowHandle(), SB_SIMPLE, simplePanel_, 0);
    ::SendMessageW(WindowHandle(), SB_SETTEXTW, SB_SIMPLEID, LPARAM(Wide(simpleText_).c_str()));
    UpdatePanels();
}

namespace {

// The parts' right edges: each panel's width added up; the last reaches the
// right edge of the bar.
std::vector<int> PartEdges(const TStatusPanels& panels) {
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < panels.Count(); ++i) {
        right += panels.Items(i)->Width();
        edges.push_back(i + 1 == panels.Count() ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    return edges;
}

}  // namespace

void TStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND window = WindowHandle();
    const std::vector<int> edges = PartEdges(*panels_);
    std::vector<int> current(edges.size() + 1, 0);
    const int parts = int(::SendMessageW(window, SB_GETPARTS, WPARAM(current.size()), LPARAM(current.data())));
    current.resize(size_t(parts > 0 ? parts : 0));
    if (current != edges) ::SendMessageW(window, SB_SETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));
    for (int i = 0; i < panels_->Count(); ++i) UpdatePanel(i);
}

void TStatusBar::UpdatePanel(int index) {
    if (!HandleAllocated() || index < 0 || index >= panels_->Count()) return;
    HWND window = WindowHandle();
    // A new width moves the edges of this part and of those after it.
    const std::vector<int> edges = PartEdges(*panels_);
    std::vector<int> current(edges.size() + 1, 0);
    const int parts = int(::SendMessageW(window, SB_GETPARTS, WPARAM(current.size()), LPARAM(current.data())));
    current.resize(size_t(parts > 0 ? parts : 0));
    if (current != edges) ::SendMessageW(window, SB_SETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));

    const TStatusPanel* panel = panels_->Items(index);
    WPARAM kind = WPARAM(index);
    if (panel->Bevel() == TStatusPanelBevel::pbNone) kind |= SBT_NOBORDERS;
    if (panel->Bevel() == TStatusPanelBevel::pbRaised) kind |= SBT_POPOUT;
    if (panel->Style() == TStatusPanelStyle::psOwnerDraw) {
        ::SendMessageW(window, SB_SETTEXTW, kind | SBT_OWNERDRAW, LPARAM(index));
    } else {
        // The bar centres text after one tab and right-aligns it after two.
        std::wstring text = Wide(panel->Text());
        if (panel->Alignment() == TAlignment::taCenter) text.insert(0, L"\t");
        if (panel->Alignment() == TAlignment::taRightJustify) text.insert(0, L"\t\t");
        ::SendMessageW(window, SB_SETTEXTW, kind, LPARAM(text.c_str()));
    }
    // The text shows now, not at the next paint that comes along.
    ::UpdateWindow(window);
}

void TStatusBar::DrawPanel(TMessage& m) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    m.Result = TRUE;
    const int index = int(dis->itemID);
    if (index < 0 || index >= panels_->Count()) return;
    const TRect rect{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom};
    RECT part;
    if (::SendMessageW(WindowHandle(), SB_GETRECT, WPARAM(index), LPARAM(&part))) {
        drawInset_ = TRect{rect.left - part.left, rect.top - part.top, rect.right - part.right,
                           rect.bottom - part.bottom};
        drawInsetKnown_ = true;
    }
    CallDrawPanel(dis->hDC, index, rect);
}

void TStatusBar::CallDrawPanel(HDC dc, int index, const TRect& rect) {
    TLentDC lent(*canvas_, dc);
    canvas_->SetFont(*Font());
    canvas_->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas_->Brush()->SetColor(Color());
    OnDrawPanel(this, panels_->Items(index), rect);
}

void TStatusBar::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_DRAWITEM) {
        DrawPanel(m);
        return;
    }
    TWinControl::WndProc(m);
}
