#pragma once
// Form resources: the RCDATA resource named like a form's class (upper case,
// "TMAINFORM"), holding the binary component stream ("TPF0" first) or the
// readable text form.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"

GLY_EXCEPTION(EResNotFound, Exception);

// The bytes of the executable's form resource for `className`; raises
// EResNotFound ("Resource TMAINFORM not found") when there is none.
std::vector<uint8_t> FindFormResource(std::string_view className);

// Reads a form stream, binary or text, into `root` (which must be of the
// stream's class); every component read has run Loaded when it returns.
void ReadFormData(TComponent& root, const std::vector<uint8_t>& data);
