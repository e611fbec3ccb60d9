#pragma once
// Up-down arrows (UPDOWN_CLASSW) tied to a buddy control whose text shows the
// position (Associate, usually an edit). The buddy keeps its own bounds: the
// arrows never move or resize it.
//
// A step (an arrow clicked or held, or Up/Down pressed in the buddy) goes:
//   1. the position moves by Increment, stopping at Min and Max, or wrapping
//      round when Wrap is on; at a limit without Wrap it stays;
//   2. the buddy's text shows the new position;
//   3. OnChanging runs: Position() and the buddy's text already give the new
//      value. AllowChange = false puts the previous position (and its text)
//      back;
//   4. OnClick runs with the direction, only for a step that was allowed.
// OnChanging runs for every step, also at a limit where nothing moves.
//
// Position() reads the buddy's text as the control does: a whole number
// within Min..Max there becomes the position; any other text leaves the
// position as it was (PositionValid() then says false), and the text stays.

#include "platform/win/WinControl.h"

enum class TUDOrientation { udHorizontal, udVertical };
const TEnumTypeInfo& UDOrientationTypeInfo();
enum class TUDBtnType { btNext, btPrev };

using TUDChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;
using TUDClickEvent = TEvent<void(TObject* Sender, TUDBtnType Button)>;

class TUpDown : public TWinControl {
    GLY_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    // The buddy; null for none.
    TWinControl* Associate() const noexcept { return associate_; }
    void SetAssociate(TWinControl* value);
    int Min() const noexcept { return min_; }
    void SetMin(int value);
    int Max() const noexcept { return max_; }
    void SetMax(int value);
    int Position() const;
    // False when the buddy's text is not a whole number within Min..Max.
    bool PositionValid() const;
    // Clamped to Min..Max; the buddy shows it at once.
    // The position as this object last set, stepped or read it, without
    // asking the control (which may read its buddy's text to answer).
    int LastPosition() const noexcept { return position_; }
    void SetPosition(int value);
    int Increment() const noexcept { return increment_; }
    void SetIncrement(int value);
    bool Wrap() const noexcept { return wrap_; }
    void SetWrap(bool value);
    // Thousands separators in the buddy's text.
    bool Thousands() const noexcept { return thousands_; }
    void SetThousands(bool value);
    // Up and Down in the buddy step the position.
    bool ArrowKeys() const noexcept { return arrowKeys_; }
    void SetArrowKeys(bool value);
    TUDOrientation Orientation() const noexcept { return orientation_; }
    void SetOrientation(TUDOrientation value);

    TUDChangingEvent OnChanging;
    TUDClickEvent OnClick;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    int ReadPosition(bool* valid) const;
    void StyleChanged();
    void ApplyBuddy();
    void ApplyRange();
    void ApplyAccel();
    int Clamp(int value) const noexcept;

    TWinControl* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    mutable int position_ = 0;
    int increment_ = 1;
    bool wrap_ = false;
    bool thousands_ = false;
    bool arrowKeys_ = true;
    TUDOrientation orientation_ = TUDOrientation::udVertical;
    // A step allowed by OnChanging whose OnClick is still to come.
    bool clickPending_ = false;
    TUDBtnType clickButton_ = TUDBtnType::btNext;
};
