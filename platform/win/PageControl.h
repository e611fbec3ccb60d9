#pragma once
// A notebook: a tab control (WC_TABCONTROLW) whose pages are child controls.
//
// A TTabSheet is a container control of its own that lies on the page
// control and fills the tab control's display area. Pages are in PageIndex
// order, by default the order in which they were added (in a form file, the
// order of the sheets in the stream). Only the active page is shown. The
// user switches pages by clicking a tab or with the keyboard, which runs
// OnChanging (which may refuse) and then OnChange; setting ActivePage from
// code switches without either event.

#include <string>
#include <vector>

#include "platform/win/WinControl.h"

class TPageControl;

using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

class TTabSheet : public TWinControl {
    GLY_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);

    // The page control this sheet is a page of (also its parent), or null.
    TPageControl* PageControl() const noexcept { return pageControl_; }
    void SetPageControl(TPageControl* value);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // Position among the pages of its page control; -1 without one. Setting
    // it moves the page (clamped into range).
    int PageIndex() const;
    void SetPageIndex(int value);
    // Whether the page has a tab; a page without one can still be active.
    bool TabVisible() const noexcept { return tabVisible_; }
    void SetTabVisible(bool value);
    // Position of its tab among the shown tabs, -1 when it has none.
    int TabIndex() const;

    void SetParentComponent(TComponent* parent) override;

protected:
    void BeforeDestruction() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    std::string caption_;
    bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
    GLY_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);

    int PageCount() const noexcept { return int(pages_.size()); }
    // Raises EListError when the index is out of range.
    TTabSheet* Pages(int index) const;
    // Null when no page is active. Setting a page of another page control
    // raises EComponentError; null hides every page.
    TTabSheet* ActivePage() const noexcept { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);  // -1: none; out of range: EListError
    // Goes to the page of the next (or previous) tab, the first after the
    // last, as the user's Ctrl+Tab does: OnChanging may refuse, OnChange
    // follows. False when there is no other page to go to.
    bool SelectNextPage(bool forward);
    // The page whose tab is at that position among the shown tabs, or null.
    TTabSheet* PageForTab(int tabIndex) const noexcept;
    // The tab's rectangle in the page control's client coordinates (empty
    // without a window or a tab).
    TRect TabRect(int tabIndex);
    // The display area that the pages fill, in client coordinates.
    TRect DisplayRect();

    // After the user chose another tab and its page is shown.
    TNotifyEvent OnChange;
    // Before the user's change; AllowChange false keeps the current page.
    TTabChangingEvent OnChanging;

    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged(bool resized) override;
    void FontChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page) noexcept;
    void MovePage(TTabSheet* page, int index);
    // Rebuilds the tab items from the pages and selects the active one.
    void UpdateTabs();
    void UpdateTabCaption(TTabSheet* page);
    void SelectActiveTab();
    void SetTabHeight();
    // Shows the active page, hides the others, and sizes them all to the
    // display area.
    void ShowActivePage();
    void LayoutPages();
    void ChangeActivePage(TTabSheet* page);
    void TabChanged();  // the user selected a tab

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
};
