#pragma once
// Where a preview walk's time goes, per preview: printed beside the ratios
// so that a missed goal points at its cause.

class TMainForm;

struct TWalkBreakdown {
    double render = 0;    // rendering a preview on the GUI thread, nothing else
    double handOff = 0;   // one synchronous hand-off from a thread and back
    double progress = 0;  // one repaint of the progress panel
};

// Leaves the window with the cache option off and nothing kept.
TWalkBreakdown MeasureWalkBreakdown(TMainForm& form);
