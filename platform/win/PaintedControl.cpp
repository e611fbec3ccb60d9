#include "platform/win/PaintedControl.h"

#include "platform/win/Edges.h"
#include "platform/win/Win32.h"

void TPaintedControl::CreateParams(TCreateParams& params) const {
    TControl::CreateParams(params);
    params.classStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TPaintedControl::WndProc(TMessage& m) {
    const bool painted = PaintOwnWindow(m, [this](HDC dc, const TRect&) {
        RECT r;
        ::GetClientRect(WindowHandle(), &r);
        const TRect client{r.left, r.top, r.right, r.bottom};
        FillSolid(dc, client, ColorToRGB(BackgroundColor()));
        Paint(dc, client);
    });
    if (!painted) TControl::WndProc(m);
}
