// The placement rules for restored form geometry.

#include "psetting/FormBounds.h"

#include <algorithm>
#include <limits>

std::string ResolutionText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

namespace {

int ToInt(long long value) {
    return int(std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TFormBounds ComputeFormBounds(const TFormBoundsRequest& r) {
    TFormBounds b{r.currentLeft, r.currentTop, r.currentWidth, r.currentHeight};
    const int screenW = r.screenWidth;
    const int screenH = r.screenHeight;

    if (r.left == -1 && r.top == -1 && r.width == -1 && r.height == -1) {
        if (r.centre) {
            // C++ division truncates toward zero, as the rule asks.
            b.left = (screenW - b.width) / 2;
            b.top = (screenH - b.height) / 2;
            return b;
        }
        if (b.left + b.width > screenW) b.left = screenW - b.width;
        if (b.top + b.height > screenH) b.top = screenH - b.height;
        if (b.left < 0) b.left = 0;
        if (b.top < 0) b.top = 0;
        return b;
    }

    // -1 marks a value that was not stored; a value computed below is
    // never taken for one.
    const bool hasLeft = r.left != -1, hasTop = r.top != -1;
    const bool hasWidth = r.width != -1, hasHeight = r.height != -1;
    int left = r.left, top = r.top;
    if (r.savedRes == ResolutionText(screenW, screenH)) {
        // Same screen: the left and top edges stay at least 20 pixels inside it.
        if (hasLeft && left > screenW - 20) left = screenW - 20;
        if (hasTop && top > screenH - 20) top = screenH - 20;
    } else {
        // Another screen (or none recorded): keep the whole form on it. A
        // size that was not stored is the form's own, never the -1 marker,
        // which would push the form one pixel past the edge.
        // In 64 bits: a damaged stored value may be near either end of the
        // int range, and the sums must not wrap around.
        // A stored size below one pixel is damaged: the window gets its
        // smallest size instead, and an edge placed by such a size could be
        // far off the screen. The form's own size keeps it in sight.
        const long long width = hasWidth && r.width > 0 ? r.width : b.width;
        const long long height = hasHeight && r.height > 0 ? r.height : b.height;
        if (hasLeft && left + width > screenW) left = ToInt(screenW - width);
        if (hasTop && top + height > screenH) top = ToInt(screenH - height);
    }
    if (hasLeft) b.left = left < 0 ? 0 : left;
    if (hasTop) b.top = top < 0 ? 0 : top;
    if (hasWidth) b.width = r.width;
    if (hasHeight) b.height = r.height;
    return b;
}
