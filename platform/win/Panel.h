#pragma once
// A panel: a container that paints its colour, up to two bevels and a
// centred caption; aligned children share what the bevels leave.

#include "platform/win/WinControl.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumTypeInfo& BevelCutTypeInfo();

class TPanel : public TWinControl {
    GLY_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& value);
    TBevelCut BevelInner() const noexcept { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const noexcept { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const noexcept { return bevelWidth_; }
    void SetBevelWidth(int value);

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;
    void AdjustClientRect(TRect& rect) override;

private:
    void Paint(HDC dc);
    void BevelsChanged();

    TBevelCut bevelInner_ = TBevelCut::bvNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    int bevelWidth_ = 1;
};
