#pragma once
// A length of the 96-pixel design at another screen density, rounded the way
// MulDiv rounds (halves away from zero), worked out without MulDiv.

inline int ScaleFromDesign(int designed, int ppi) {
    const long long product = static_cast<long long>(designed) * ppi;
    return static_cast<int>(product >= 0 ? (product + 48) / 96 : (product - 48) / 96);
}
