#pragma once
// Horizontal placement of text inside a control or a part of one.

#include "platform/core/Rtti.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
const TEnumTypeInfo& AlignmentTypeInfo();
