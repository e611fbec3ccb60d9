#include "app/AppMainForm.h"

#include "platform/core/ClassBuilder.h"

TMainForm* MainForm = nullptr;

const TClassInfo& TMainForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainForm>("TMainForm", &TForm::StaticClass)
                                       .Creatable()
                                       .Method<&TMainForm::FormCreate>("FormCreate")
                                       .Method<&TMainForm::FormDestroy>("FormDestroy")
                                       .Method<&TMainForm::FormKeyDown>("FormKeyDown")
                                       .Build();
    return info;
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    if (!MainForm) MainForm = this;
}

TMainForm::~TMainForm() {
    if (MainForm == this) MainForm = nullptr;
}

// The window's controls and their filling arrive with the font list, the
// character map and the settings components; until then the window is the
// empty frame of the form file.
void TMainForm::FormCreate(TObject* /*Sender*/) {}

void TMainForm::FormDestroy(TObject* /*Sender*/) {}

void TMainForm::FormKeyDown(TObject* /*Sender*/, uint16_t& /*Key*/, TShiftState /*Shift*/) {}
