#include "FuzzClasses.h"

#include "tests/core/FormFixture.h"

namespace fuzz {

const TClassInfo& TFuzzOddKinds::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFuzzOddKinds>("TFuzzOddKinds", &TComponent::StaticClass)
            .Creatable()
            .WChar("Wide", &TFuzzOddKinds::wide, &TFuzzOddKinds::wide)
            .Default(0)
            .Str("Short", &TFuzzOddKinds::shortText, &TFuzzOddKinds::shortText, TTypeKind::ShortString)
            .Str("WideText", &TFuzzOddKinds::wideText, &TFuzzOddKinds::wideText, TTypeKind::WString)
            .Int("Big", &TFuzzOddKinds::big, &TFuzzOddKinds::big)
            .Default(0)
            .Float("Single", &TFuzzOddKinds::single, &TFuzzOddKinds::single)
            .Int("Fixed", &TFuzzOddKinds::fixed, nullptr)
            .Build();
    return info;
}

void RegisterFuzzClasses() {
    static const bool done = [] {
        formtest::RegisterClasses();
        classes::Register(TFuzzOddKinds::StaticClass());
        return true;
    }();
    (void)done;
}

}  // namespace fuzz
