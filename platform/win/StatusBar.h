#pragma once
// A status bar (STATUSCLASSNAMEW) of panels, docked at the bottom unless told
// otherwise, keeping the height it was given.
//
// Panels stand side by side, each as wide as its Width; the last one reaches
// to the right edge of the bar. A text change shows at once. A panel of style
// psOwnerDraw is painted by OnDrawPanel: before the call Canvas() draws on the
// bar's DC with the bar's font and a solid brush.

#include <memory>
#include <string>

#include "platform/core/Collection.h"
#include "platform/win/Alignment.h"
#include "platform/win/Canvas.h"
#include "platform/win/WinControl.h"

enum class TStatusPanelStyle { psText, psOwnerDraw };
const TEnumTypeInfo& StatusPanelStyleTypeInfo();
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
const TEnumTypeInfo& StatusPanelBevelTypeInfo();

class TStatusBar;

class TStatusPanel : public TCollectionItem {
    GLY_CLASS(TStatusPanel)
public:
    explicit TStatusPanel(TCollection* collection);

    int Width() const noexcept { return width_; }
    void SetWidth(int value);
    const std::string& Text() const noexcept { return text_; }
    void SetText(const std::string& value);
    TStatusPanelStyle Style() const noexcept { return style_; }
    void SetStyle(TStatusPanelStyle value);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const noexcept { return bevel_; }
    void SetBevel(TStatusPanelBevel value);

    void Assign(const TPersistent& source) override;
    void ChangeScale(int fromPpi, int toPpi) { SetWidth(designWidth_.Rescale(width_, fromPpi, toPpi)); }

private:
    int width_ = 50;
    TDesignedLength designWidth_;
    std::string text_;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
};

class TStatusPanels : public TCollection {
    GLY_CLASS(TStatusPanels)
public:
    explicit TStatusPanels(TStatusBar* bar);

    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int index) const { return ItemAs<TStatusPanel>(index); }

    void Update(TCollectionItem* item) override;

private:
    friend class TStatusBar;
    TStatusBar* bar_;
};

using TDrawPanelEvent = TEvent<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TWinControl {
    GLY_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const noexcept { return panels_.get(); }
    void SetPanels(TStatusPanels* value);
    // One text across the whole bar instead of the panels.
    bool SimplePanel() const noexcept { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const noexcept { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const noexcept { return sizeGrip_; }
    void SetSizeGrip(bool value);

    // Panels()->Items(index)->SetText(text).
    void SetPanelText(int index, const std::string& text);
    // Repaints one panel at once. An owner-drawn panel that has been painted
    // before is drawn straight onto the bar, without a round through the
    // bar's own painting of every panel: the cheap way to follow a panel
    // that changes often.
    void RepaintPanel(int index);

    // The surface of the panel being painted, valid during OnDrawPanel.
    TCanvas* Canvas() const noexcept { return canvas_.get(); }

    TDrawPanelEvent OnDrawPanel;

    void ChangeScale(int fromPpi, int toPpi) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    friend class TStatusPanels;
    void UpdatePanels();
    void UpdatePanel(int index);
    void DrawPanel(TMessage& message);
    void CallDrawPanel(HDC dc, int index, const TRect& rect);
    void RecreateWnd();

    std::unique_ptr<TStatusPanels> panels_;
    std::unique_ptr<TCanvas> canvas_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    // Where the bar puts an owner-drawn panel's drawing area inside the
    // panel's rectangle (inside its border), learnt from its painting.
    bool drawInsetKnown_ = false;
    TRect drawInset_{};
};
