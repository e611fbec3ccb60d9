#pragma once
// The classes the fuzz targets read forms into and bind settings to. The
// test forms' classes (tests/core/FormFixture.h) cover the common property
// kinds; TFuzzOddKinds adds those no test form uses: a wide character, a
// short string, a wide string, a 64-bit integer, a single-precision float
// and a read-only property.

#include <cstdint>
#include <string>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Component.h"

namespace fuzz {

class TFuzzOddKinds : public TComponent {
    GLY_CLASS(TFuzzOddKinds)
public:
    using TComponent::TComponent;

    uint16_t wide = 0;
    std::string shortText;
    std::string wideText;
    int64_t big = 0;
    float single = 0;
    int fixed = 7;
};

// Registers the test forms' classes and TFuzzOddKinds, once.
void RegisterFuzzClasses();

}  // namespace fuzz
