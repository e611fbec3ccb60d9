#include "Breakdown.h"

#include "Measure.h"
#include "app/AppMainForm.h"
#include "app/FontFamilies.h"
#include "app/ViewRules.h"
#include "platform/win/Thread.h"

namespace {

// Hands an empty call to the GUI thread as often as the walk hands renderings.
class THandOffThread final : public TThread {
public:
    explicit THandOffThread(int count) : count_(count) {}
    ~THandOffThread() override { Stop(); }

protected:
    void Execute() override {
        for (int i = 0; i < count_; ++i) Synchronize([] {});
    }

private:
    int count_;
};

}  // namespace

TWalkBreakdown MeasureWalkBreakdown(TMainForm& form) {
    TWalkBreakdown figures;
    const int count = static_cast<int>(FontFamilies().size());
    if (count == 0) return figures;
    form.CacheFontsCheck->SetChecked(false);

    double start = NowSeconds();
    for (int i = 0; i < count; ++i) form.CreateFontBitmap(i);
    figures.render = (NowSeconds() - start) / count;
    form.ClearCache();

    THandOffThread thread(count);
    start = NowSeconds();
    thread.Start();
    thread.WaitFor();  // serves the hand-offs while it waits
    figures.handOff = (NowSeconds() - start) / count;

    start = NowSeconds();
    for (int i = 0; i < count; ++i) form.StatusBar->RepaintPanel(kProgressPanel);
    figures.progress = (NowSeconds() - start) / count;
    return figures;
}
