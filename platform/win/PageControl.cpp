// The notebook: tab items kept in step with the pages, the active page
// shown in the display area, and the user's tab changes.

#include "platform/win/PageControl.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

// The tab control's frame around the display area.
constexpr int kFrame = 4;
// The tab row is the height of a line of the font plus this, as Windows
// lays it out (20 pixels for 8-point Tahoma); Wine's tab control would make
// it 2 pixels lower, and the pages' design sizes rest on Windows' figure.
constexpr int kTabPadding = 7;

int TabRowHeight(HFONT font) {
    TWindowDC screen;
    TSelectObject select(screen.Get(), font);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(screen.Get(), &tm);
    return tm.tmHeight + kTabPadding;
}

}  // namespace

const TClassInfo& TPageControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPageControl>("TPageControl", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Obj("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
                                       .Bool("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop)
                                       .Default(1)
                                       .Event("OnChange", &TPageControl::OnChange)
                                       .Event("OnChanging", &TPageControl::OnChanging)
                                       .Build();
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    return pages_[size_t(index)];
}

int TPageControl::ActivePageIndex() const {
    const auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return it == pages_.end() ? -1 : int(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index) { SetActivePage(index < 0 ? nullptr : Pages(index)); }

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this)
        throw EComponentError(FormatText("'%s' is not a page of '%s'", {page->Name(), Name()}));
    ChangeActivePage(page);
    // The tab control tells nobody about a selection made by message, so
    // the page has been switched above, not by a notification.
    SelectActiveTab();
}

bool TPageControl::SelectNextPage(bool forward) {
    std::vector<TTabSheet*> tabbed;
    for (TTabSheet* page : pages_)
        if (page->tabVisible_) tabbed.push_back(page);
    const auto it = std::find(tabbed.begin(), tabbed.end(), activePage_);
    const ptrdiff_t n = ptrdiff_t(tabbed.size());
    if (n == 0 || (n == 1 && it != tabbed.end())) return false;
    // From a page without a tab, the first tab forward and the last backward.
    const ptrdiff_t at = it == tabbed.end() ? (forward ? -1 : n) : it - tabbed.begin();
    TTabSheet* page = tabbed[size_t(((at + (forward ? 1 : -1)) % n + n) % n)];
    bool allow = true;
    OnChanging(this, allow);
    if (!allow) return true;
    ChangeActivePage(page);
    SelectActiveTab();
    OnChange(this);
    return true;
}

TTabSheet* TPageControl::PageForTab(int tabIndex) const noexcept {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* page : pages_)
        if (page->tabVisible_ && tabIndex-- == 0) return page;
    return nullptr;
}

TRect TPageControl::TabRect(int tabIndex) {
    RECT r{};
    if (!HandleAllocated() || !::SendMessageW(WindowHandle(), TCM_GETITEMRECT, WPARAM(tabIndex), LPARAM(&r)))
        return {};
    return {r.left, r.top, r.right, r.bottom};
}

TRect TPageControl::DisplayRect() {
    const TRect client = ClientRect();
    if (HandleAllocated()) {
        RECT r{client.left, client.top, client.right, client.bottom};
        ::SendMessageW(WindowHandle(), TCM_ADJUSTRECT, FALSE, LPARAM(&r));
        return {r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom)};
    }
    const int top = kFrame + (PageForTab(0) ? TabRowHeight(Font()->Handle()) : 0);
    return {kFrame, top, std::max(kFrame, client.right - kFrame), std::max(top, client.bottom - kFrame)};
}

void TPageControl::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = WC_TABCONTROLW;
    params.style |= WS_CLIPCHILDREN;
    // The notebook is a tab stop of its own. The dialog manager never stops
    // at a window that it looks inside, so the form walks into the pages
    // itself (see FormKeys.cpp).
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    SetTabHeight();
    UpdateTabs();
}

void TPageControl::SetTabHeight() {
    if (!HandleAllocated()) return;
    ::SendMessageW(WindowHandle(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, TabRowHeight(Font()->Handle())));
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    // The stream may have set the pages' own visibility after they joined.
    ShowActivePage();
    UpdateTabs();
}

void TPageControl::BoundsChanged(bool resized) {
    TWinControl::BoundsChanged(resized);
    if (resized) LayoutPages();
}

void TPageControl::FontChanged() {
    TWinControl::FontChanged();
    // The tab row's height follows the font.
    SetTabHeight();
    LayoutPages();
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    if (!activePage_) activePage_ = page;
    ShowActivePage();
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page) noexcept {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    const size_t index = size_t(it - pages_.begin());
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (IsDestroying()) {
        if (activePage_ == page) activePage_ = nullptr;
        return;
    }
    try {
        if (activePage_ == page) {
            // The page that took its place, or the one before it when it was last.
            TTabSheet* next = pages_.empty() ? nullptr : pages_[std::min(index, pages_.size() - 1)];
            activePage_ = nullptr;
            ChangeActivePage(next);
        }
        UpdateTabs();
    } catch (...) {
        // The tabs are rebuilt at the next change; removal must not fail.
    }
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, int(pages_.size()));
    pages_.insert(pages_.begin() + index, page);
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    if (!HandleAllocated() || IsDestroying()) return;
    HWND window = WindowHandle();
    ::SendMessageW(window, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (TTabSheet* page : pages_) {
        if (!page->tabVisible_) continue;
        std::wstring text = Wide(page->caption_);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        ::SendMessageW(window, TCM_INSERTITEMW, WPARAM(tab++), LPARAM(&item));
    }
    SelectActiveTab();
    LayoutPages();
}

void TPageControl::UpdateTabCaption(TTabSheet* page) {
    const int tab = page->TabIndex();
    if (!HandleAllocated() || tab < 0) return;
    std::wstring text = Wide(page->caption_);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    ::SendMessageW(WindowHandle(), TCM_SETITEMW, WPARAM(tab), LPARAM(&item));
}

void TPageControl::SelectActiveTab() {
    if (!HandleAllocated()) return;
    const int tab = activePage_ ? activePage_->TabIndex() : -1;
    ::SendMessageW(WindowHandle(), TCM_SETCURSEL, WPARAM(tab), 0);
}

void TPageControl::LayoutPages() {
    if (pages_.empty()) return;
    const TRect r = DisplayRect();
    for (TTabSheet* page : std::vector<TTabSheet*>(pages_)) page->SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TPageControl::ShowActivePage() {
    LayoutPages();
    // The new page first, then the others go: nothing behind shows through.
    if (activePage_) activePage_->SetVisible(true);
    for (TTabSheet* page : std::vector<TTabSheet*>(pages_))
        if (page != activePage_) page->SetVisible(false);
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == activePage_) return;
    TTabSheet* old = activePage_;
    // A hidden window keeps the focus it had: it must move off the old page.
    HWND focus = ::GetFocus();
    const bool focusOnOld = old && old->HandleAllocated() && focus &&
                            (focus == old->WindowHandle() || ::IsChild(old->WindowHandle(), focus));
    activePage_ = page;
    ShowActivePage();
    if (focusOnOld && HandleAllocated() && CanFocus()) SetFocus();
}

void TPageControl::TabChanged() {
    const int tab = int(::SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0));
    TTabSheet* page = PageForTab(tab);
    if (!page) return;
    ChangeActivePage(page);
    OnChange(this);
}

void TPageControl::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        switch (header->code) {
        case TCN_SELCHANGING: {
            bool allow = true;
            OnChanging(this, allow);
            m.Result = allow ? FALSE : TRUE;
            return;
        }
        case TCN_SELCHANGE:
            TabChanged();
            m.Result = 0;
            return;
        default:
            break;
        }
    }
    TWinControl::WndProc(m);
}

// ---- TTabSheet --------------------------------------------------------------

const TClassInfo& TTabSheet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTabSheet>("TTabSheet", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
                                       .Int("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                                       .NotStored()
                                       .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                       .Default(1)
                                       // Which page shows is the page control's
                                       // ActivePage, not the page's own state.
                                       .Bool("Visible", &TTabSheet::Visible, &TTabSheet::SetVisible)
                                       .NotStored()
                                       .Build();
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 200, 150); }

void TTabSheet::SetPageControl(TPageControl* value) {
    if (value == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    // Joining first hides a page that is not the active one before its
    // window is made.
    if (value) value->InsertPage(this);
    SetParent(value);
}

void TTabSheet::SetParentComponent(TComponent* parent) {
    if (auto* pageControl = ObjectAs<TPageControl>(parent))
        SetPageControl(pageControl);
    else
        TWinControl::SetParentComponent(parent);
}

void TTabSheet::BeforeDestruction() {
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetCaption(const std::string& value) {
    if (caption_ == value) return;
    caption_ = value;
    SetText(value);
    if (pageControl_) pageControl_->UpdateTabCaption(this);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (pageControl_) pageControl_->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
    if (tabVisible_ == value) return;
    tabVisible_ = value;
    if (pageControl_) pageControl_->UpdateTabs();
}

int TTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int tab = 0;
    for (const TTabSheet* page : pageControl_->pages_) {
        if (page == this) return tab;
        if (page->tabVisible_) ++tab;
    }
    return -1;
}
