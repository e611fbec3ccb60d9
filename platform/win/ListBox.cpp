#include "platform/win/ListBox.h"

#include <algorithm>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Application.h"
#include "platform/win/LentDC.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

const TEnumTypeInfo& ListBoxStyleTypeInfo() {
    static const TEnumTypeInfo info{"TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed"}, 0};
    return info;
}

// The rows of a list box: the window's while it has one, a list of their
// own while it has none (kept when the window goes, given to the next one).
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TListBox& list) : list_(list) {}

    int Count() const override {
        if (HWND w = Window()) return int(::SendMessageW(w, LB_GETCOUNT, 0, 0));
        return int(stored_.size());
    }
    std::string Get(int index) const override {
        Check(index, Count());
        if (HWND w = Window()) {
            const LRESULT length = ::SendMessageW(w, LB_GETTEXTLEN, WPARAM(index), 0);
            std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
            const LRESULT got = ::SendMessageW(w, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
            text.resize(size_t(got > 0 ? got : 0));
            return Utf8(text);
        }
        return stored_[size_t(index)];
    }
    void Insert(int index, const std::string& s) override {
        Check(index, Count() + 1);
        if (HWND w = Window()) {
            if (::SendMessageW(w, LB_INSERTSTRING, WPARAM(index), LPARAM(Wide(s).c_str())) < 0)
                throw Exception("Cannot add a row to the list");
        } else {
            stored_.insert(stored_.begin() + index, s);
        }
    }
    void Delete(int index) override {
        Check(index, Count());
        if (HWND w = Window())
            ::SendMessageW(w, LB_DELETESTRING, WPARAM(index), 0);
        else
            stored_.erase(stored_.begin() + index);
    }
    void Clear() override {
        if (HWND w = Window())
            ::SendMessageW(w, LB_RESETCONTENT, 0, 0);
        else
            stored_.clear();
    }

    // The window is going: its rows stay here.
    void Keep() {
        std::vector<std::string> rows;
        const int n = Count();
        rows.reserve(size_t(n));
        for (int i = 0; i < n; ++i) rows.push_back(Get(i));
        stored_ = std::move(rows);
    }
    // A new window gets the rows kept.
    void Fill() {
        HWND w = Window();
        std::vector<std::string> rows = std::move(stored_);
        stored_.clear();
        size_t bytes = 0;
        for (const std::string& s : rows) bytes += (s.size() + 1) * sizeof(wchar_t);
        ::SendMessageW(w, LB_INITSTORAGE, WPARAM(rows.size()), LPARAM(bytes));
        for (const std::string& s : rows) ::SendMessageW(w, LB_ADDSTRING, 0, LPARAM(Wide(s).c_str()));
    }

protected:
    void SetUpdateState(bool updating) override {
        HWND w = Window();
        if (!w) return;
        ::SendMessageW(w, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating) ::InvalidateRect(w, nullptr, TRUE);
    }

private:
    HWND Window() const { return list_.WindowHandle(); }
    static void Check(int index, int limit) {
        if (index < 0 || index >= limit) throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    }

    TListBox& list_;
    std::vector<std::string> stored_;
};

const TClassInfo& TListBox::StaticClass() {
    using L = TListBox;
    static const TClassInfo info = TClassBuilder<L>("TListBox", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Int("Color", &L::Color, &L::SetColor)
                                       .Idents(ColorIdents())
                                       .Default(clWindow)
                                       .Bool("IntegralHeight", &L::IntegralHeight, &L::SetIntegralHeight)
                                       .Default(0)
                                       .Int("ItemHeight", &L::ItemHeight, &L::SetItemHeight)
                                       .Default(13)
                                       .Obj("Items", &L::Items, &L::SetItems)
                                       .Enum("Style", ListBoxStyleTypeInfo(), &L::Style, &L::SetStyle)
                                       .Default(int(TListBoxStyle::lbStandard))
                                       .Bool("TabStop", &L::TabStop, &L::SetTabStop)
                                       .Default(1)
                                       .Event("OnClick", &L::OnClick)
                                       .Event("OnDblClick", &L::OnDblClick)
                                       .Event("OnDrawItem", &L::OnDrawItem)
                                       .Event("OnKeyDown", &L::OnKeyDown)
                                       .Build();
    return info;
}

TListBox::TListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(*this)), canvas_(std::make_unique<TCanvas>()) {
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

TListBox::~TListBox() = default;

void TListBox::SetItems(TStrings* value) {
    if (value && value != items_.get()) items_->Assign(*value);
}

int TListBox::ItemIndex() const {
    if (!HandleAllocated()) return itemIndex_;
    const LRESULT index = ::SendMessageW(WindowHandle(), LB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : int(index);
}

void TListBox::SetItemIndex(int value) {
    if (value < -1) value = -1;
    itemIndex_ = value;
    // LB_SETCURSEL tells the parent nothing: no click for a change from code.
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), LB_SETCURSEL, WPARAM(value), 0);
}

void TListBox::SetItemHeight(int value) {
    if (value < 1) value = 1;
    itemHeight_ = value;
    if (HandleAllocated() && style_ == TListBoxStyle::lbOwnerDrawFixed) {
        ::SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, value);
        Invalidate();
    }
}

void TListBox::ChangeScale(int fromPpi, int toPpi) {
    TWinControl::ChangeScale(fromPpi, toPpi);
    const int height = designItemHeight_.Rescale(itemHeight_, fromPpi, toPpi);
    if (height != itemHeight_) SetItemHeight(height);
}

void TListBox::SetStyle(TListBoxStyle value) {
    if (style_ == value) return;
    style_ = value;
    RecreateWnd();
}

void TListBox::SetIntegralHeight(bool value) {
    if (integralHeight_ == value) return;
    integralHeight_ = value;
    RecreateWnd();
}

int TListBox::TopIndex() const {
    if (!HandleAllocated()) return 0;
    return int(::SendMessageW(WindowHandle(), LB_GETTOPINDEX, 0, 0));
}

void TListBox::SetTopIndex(int value) { ::SendMessageW(Handle(), LB_SETTOPINDEX, WPARAM(value), 0); }

TRect TListBox::ItemRect(int index) const {
    RECT r{};
    if (!HandleAllocated() || ::SendMessageW(WindowHandle(), LB_GETITEMRECT, WPARAM(index), LPARAM(&r)) == LB_ERR)
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

int TListBox::ItemAtPos(TPoint point) const {
    if (!HandleAllocated()) return -1;
    const LRESULT hit = ::SendMessageW(WindowHandle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    // The high word says the point lies outside every row.
    if (HIWORD(hit) != 0) return -1;
    return int(LOWORD(hit));
}

void TListBox::RecreateWnd() {
    if (!HandleAllocated()) return;
    const bool focused = Focused();
    DestroyHandle();
    if (Parent() && Parent()->HandleAllocated()) {
        HandleNeeded();
        if (focused) SetFocus();
    }
}

void TListBox::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = L"LISTBOX";
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (!integralHeight_) params.style |= LBS_NOINTEGRALHEIGHT;
    if (style_ == TListBoxStyle::lbOwnerDrawFixed) params.style |= LBS_OWNERDRAWFIXED;
}

void TListBox::CreateWnd() {
    redraw_ = true;
    TWinControl::CreateWnd();
    HWND window = WindowHandle();
    // The control asks its parent for the row height while it is being
    // made, before it is ours to answer; it is told here instead.
    if (style_ == TListBoxStyle::lbOwnerDrawFixed) ::SendMessageW(window, LB_SETITEMHEIGHT, 0, itemHeight_);
    ::SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    static_cast<TListBoxStrings*>(items_.get())->Fill();
    ::SendMessageW(window, LB_SETCURSEL, WPARAM(itemIndex_), 0);
    ::SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(window, nullptr, TRUE);
}

namespace {

TOwnerDrawState DrawStateOf(UINT itemState) {
    TOwnerDrawState state;
    if (itemState & ODS_SELECTED) state.Include(TOwnerDrawFlag::odSelected);
    if (itemState & ODS_GRAYED) state.Include(TOwnerDrawFlag::odGrayed);
    if (itemState & ODS_DISABLED) state.Include(TOwnerDrawFlag::odDisabled);
    if (itemState & ODS_CHECKED) state.Include(TOwnerDrawFlag::odChecked);
    if (itemState & ODS_FOCUS) state.Include(TOwnerDrawFlag::odFocused);
    if (itemState & ODS_DEFAULT) state.Include(TOwnerDrawFlag::odDefault);
    return state;
}


}  // namespace

void TListBox::DrawItem(TMessage& m) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    m.Result = TRUE;
    TLentDC lent(*canvas_, dis->hDC);
    DrawRow(int(dis->itemID), {dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom},
            dis->itemState);
}

void TListBox::DrawRow(int index, const TRect& rect, unsigned itemState) {
    const TOwnerDrawState state = DrawStateOf(itemState);
    canvas_->SetFont(*Font());
    canvas_->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas_->Brush()->SetColor(Color());
    if (index < 0) {
        // An empty list that has the focus.
        canvas_->FillRect(rect);
    } else if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
    } else {
        if (state.Has(TOwnerDrawFlag::odSelected)) {
            canvas_->Brush()->SetColor(clHighlight);
            canvas_->Font()->SetColor(clHighlightText);
        }
        canvas_->FillRect(rect);
        canvas_->TextOut(rect.left + 2, rect.top, items_->Get(index));
    }
    if (state.Has(TOwnerDrawFlag::odFocused)) canvas_->DrawFocusRect(rect);
}

// The standard control would ask the parent for every row by WM_DRAWITEM and
// set a clip region around each, which costs more than the rows' pictures:
// the rows are painted here in the control's own order instead, so that the
// pixels come out as it leaves them. Each row is filled before it is drawn,
// top to bottom, so a picture that reaches into the rows above stays, and
// the row with the keyboard focus is drawn again with its focus rectangle
// at the end.
void TListBox::PaintRows(HDC dc) {
    HWND window = WindowHandle();
    // Lent once for all rows: the standard control, too, hands every row the
    // same DC and leaves what a row changed in it to the next.
    TLentDC lent(*canvas_, dc);
    RECT client{};
    ::GetClientRect(window, &client);
    const int count = int(::SendMessageW(window, LB_GETCOUNT, 0, 0));
    const int rowHeight = std::max(1, int(::SendMessageW(window, LB_GETITEMHEIGHT, 0, 0)));
    const int selected = int(::SendMessageW(window, LB_GETCURSEL, 0, 0));
    const int caret = int(::SendMessageW(window, LB_GETCARETINDEX, 0, 0));
    const bool focused = ::GetFocus() == window;
    const unsigned common = ::IsWindowEnabled(window) ? 0u : unsigned(ODS_DISABLED);
    // The standard control asks for each row by a message of its own, so a
    // row whose drawing raises is reported and the rows after it are drawn.
    const auto drawRow = [this](int index, const TRect& row, unsigned itemState) {
        try {
            DrawRow(index, row, itemState);
        } catch (const std::exception& e) {
            HandleException(e);
        } catch (...) {
            HandleException(Exception("Unknown error"));
        }
    };
    const int first = int(::SendMessageW(window, LB_GETTOPINDEX, 0, 0));
    const bool emptyFocused = count == 0 && focused && caret >= 0;
    // What lies below the last row first, as the erase before the standard
    // control's rows does: the last row's picture may reach into it.
    const int rows = emptyFocused ? 1 : std::max(0, count - first);
    if (rows < (client.bottom + rowHeight - 1) / rowHeight) {
        const RECT rest{0, rows * rowHeight, client.right, client.bottom};
        ::FillRect(dc, &rest, Brush());
    }
    if (emptyFocused) {
        drawRow(-1, {0, 0, client.right, rowHeight}, common | ODS_FOCUS);
        return;
    }
    TRect focusRow{};
    for (int i = first, top = 0; i < count && top < client.bottom; ++i, top += rowHeight) {
        const TRect row{0, top, client.right, top + rowHeight};
        if (i == caret) focusRow = row;
        drawRow(i, row, common | (i == selected ? unsigned(ODS_SELECTED) : 0u));
    }
    if (focused && focusRow.bottom > focusRow.top)
        drawRow(caret, focusRow, common | ODS_FOCUS | (caret == selected ? unsigned(ODS_SELECTED) : 0u));
}

void TListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_BASE + WM_COMMAND:
        switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE:
            OnClick(this);
            break;
        case LBN_DBLCLK:
            OnDblClick(this);
            break;
        default:
            break;
        }
        m.Result = 0;
        return;
    case CN_BASE + WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = UINT(itemHeight_);
        m.Result = TRUE;
        return;
    case CN_BASE + WM_DRAWITEM:
        DrawItem(m);
        return;
    case WM_SETREDRAW:
        redraw_ = m.WParam != 0;
        break;
    case WM_ERASEBKGND:
    case WM_PAINT:
        // A paint into a DC of the caller's (WParam) stays the control's own.
        if (style_ == TListBoxStyle::lbOwnerDrawFixed && (m.Msg == WM_ERASEBKGND || m.WParam == 0) &&
            PaintOwnWindow(m, [this](HDC dc, const TRect&) {
                if (redraw_) PaintRows(dc);
            }))
            return;
        break;
    case WM_DESTROY:
        // The rows and the selection outlive the window (a new style makes a
        // new one); a list that is being freed keeps nothing.
        if (!IsDestroying()) {
            itemIndex_ = ItemIndex();
            static_cast<TListBoxStrings*>(items_.get())->Keep();
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}
