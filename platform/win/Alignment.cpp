#include "platform/win/Alignment.h"

const TEnumTypeInfo& AlignmentTypeInfo() {
    static const TEnumTypeInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}, 0};
    return info;
}
