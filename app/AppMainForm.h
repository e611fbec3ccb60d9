#pragma once
// The main window: its controls are named fields and its behaviour is a set
// of handler methods that the form file wires to events.

#include <cstdint>

#include "platform/win/Form.h"

class TMainForm : public TForm {
    GLY_CLASS(TMainForm)
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
};

// The main window, reachable from anywhere in the program while it exists.
extern TMainForm* MainForm;
