#pragma once
// The preview thread: walks the font family list and has the GUI thread
// render each family's preview, one synchronous hand-off at a time.

#include "platform/win/Thread.h"

class TBitmapperThread final : public TThread {
public:
    // Created running and freeing itself when its walk ends.
    TBitmapperThread();
    ~TBitmapperThread() override;

    int FontIndex = 0;

protected:
    void Execute() override;

private:
    void RenderFont();
};
