#pragma once
// The payload of a setting's value as the binary registry formats and the
// scrambled form carry it after the Int32 kind: String for the text kinds,
// Int32, Extended, Boolean, the hidden property's data, or the collection
// in the component-stream encoding (tag 14, each item as a list of its
// properties, end of list).
//
// No Windows types: with ValueStream and the scrambled form, the decoding of
// every stored value builds natively too (sanitizers, fuzzing); only the
// registry access around it lives in PSettingStorage.cpp.

#include <cstdint>
#include <vector>

#include "psetting/PSetting.h"
#include "psetting/ValueStream.h"

// Appends the payload of `setting`'s current Value (nothing for pvkNone).
void WriteValuePayload(TPSetting& setting, TValueStreamWriter& out);

// Reads a payload of `kind` and gives it to `setting` through its setters;
// hidden properties and collections are read into the live objects that
// the bound path leads to. False, with the setting unchanged, when the data
// is short or the kind has no payload; errors of the setters and of the
// component reader propagate, and a collection or hidden property that
// fails to read is put back as it was first.
bool ReadValuePayload(TPSetting& setting, TPValueKind kind, TValueStreamReader& in);

// The data of a binary registry value: the Int32 kind, then its payload.
// Kinds 1 and 2 live in REG_SZ and REG_DWORD values; binary ones with those
// kind numbers are not this program's and are left alone, as is data that
// does not begin with a known kind.
void DecodeBinaryValue(TPSetting& setting, const std::vector<uint8_t>& data);
