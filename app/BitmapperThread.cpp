#include "app/BitmapperThread.h"

#include "app/AppMainForm.h"
#include "app/FontFamilies.h"

TBitmapperThread::TBitmapperThread() {
    // Both settings come before the thread runs: it may end at once.
    SetFreeOnTerminate(true);
}

TBitmapperThread::~TBitmapperThread() { Stop(); }

void TBitmapperThread::Execute() {
    const int count = static_cast<int>(FontFamilies().size());
    for (int i = 0; i < count; ++i) {
        if (Terminated()) break;
        FontIndex = i;
        Synchronize([this] { RenderFont(); });
    }
}

void TBitmapperThread::RenderFont() {
    if (MainForm) MainForm->CreateFontBitmap(FontIndex);
}
