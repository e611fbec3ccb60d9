#include "printing/PrinterServices.h"

#include <cstdint>

TPrinterFont PrinterFontOf(const TFont& screenFont) {
    return TPrinterFont{screenFont.Name(), screenFont.Size(), screenFont.Style(), screenFont.Color(),
                        screenFont.Charset()};
}

int FontHeightAt(int points, int pixelsPerInch) {
    const int64_t product = int64_t(points) * pixelsPerInch;
    const int64_t rounded = product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
    return -int(rounded);
}
