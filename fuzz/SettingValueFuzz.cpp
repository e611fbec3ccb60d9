// The decoders of stored setting values, as restoring at start-up runs them
// (PSettingStorage.cpp): a binary value, a scrambled value, or the text and
// integer paths, for a setting bound to a property of every kind, then
// written to the property. The first byte picks the bound path, the second
// the decoder; the rest is the stored data. Only the registry access around
// them needs Windows and is not run here.
//
// What decodes from a binary or scrambled value must scramble and unscramble
// to the same value.

#include <cmath>
#include <cstring>

#include "FuzzClasses.h"
#include "FuzzSupport.h"
#include "platform/core/Extended.h"
#include "psetting/PSetting.h"
#include "psetting/ValuePayload.h"
#include "tests/psetting/SettingTestComponents.h"

namespace {

// Paths to every kind of property a setting can be bound to, through owned
// components, nested objects, a nil object and hidden properties; and no
// path at all (a free setting).
const char* const kPaths[] = {
    "Gizmo1.Count",  "Gizmo1.Letter",    "Gizmo1.Shape",   "Gizmo1.Active",         "Gizmo1.Ratio",
    "Gizmo1.Caption", "Gizmo1.Data",     "Gizmo1.Styles",  "Gizmo1.Fixed",          "Gizmo1.Lines",
    "Gizmo1.Part.Name", "Gizmo1.Part.Size", "Gizmo1.Missing.Name", "Gizmo1.Items",  "Gizmo1.Link",
    "Gizmo1.Peer",   "Gizmo1.OnPing",    "Gizmo1.Secret",  "Gizmo1.Blob",           "Gizmo1.HalfDefined",
    "Odd1.Wide",     "Odd1.Short",       "Odd1.WideText",  "Odd1.Big",              "Odd1.Single",
    "Odd1.Fixed",    "Form1.Gizmo2.Caption", "Gizmo1.Nothing", "Gizmo1",            "",
};
constexpr size_t kPathCount = sizeof kPaths / sizeof kPaths[0];

enum TDecoder : uint8_t { dBinary, dScrambled, dText, dInteger, dCount };

bool SameValue(const TPValue& a, const TPValue& b) {
    if (a.Kind != b.Kind) return false;
    switch (a.Kind) {
        case pvkString:
        case pvkVariant:
        case pvkStrings: return a.Text == b.Text;
        case pvkInteger: return a.Integer == b.Integer;
        case pvkBoolean: return a.Boolean == b.Boolean;
        case pvkFloat:
        case pvkDateTime:
            return TExtended10::FromLongDouble(a.Float) == TExtended10::FromLongDouble(b.Float);
        default: return true;
    }
}

// The decoded value, scrambled and unscrambled by a free setting of the same
// name (so that nothing bound interferes), is the same value.
void CheckScrambledRoundTrip(TPSetting& setting) {
    const TPValueKind kind = setting.Value.Kind;
    if (kind == pvkNone || kind == pvkHidden || kind == pvkCollection) return;
    std::vector<uint8_t> block;
    setting.EncryptValue(block);
    TOwnedPtr<TPSetting> copy(TComponent::Create<TPSetting>(nullptr));
    copy->BoundProperty = setting.BoundProperty;
    copy->Name = setting.Name;
    copy->DecryptValue(block);
    FUZZ_CHECK(SameValue(setting.Value, copy->Value), "a decoded value scrambles and unscrambles to itself");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RegisterFuzzClasses();
    fuzz::TInput input(data, size);
    const char* path = kPaths[input.Byte() % kPathCount];
    const auto decoder = TDecoder(input.Byte() % dCount);
    const fuzz::Bytes stored = input.Rest();

    TGizmoForm form;
    auto* odd = TComponent::Create<fuzz::TFuzzOddKinds>(form.form.get());
    odd->SetName("Odd1");
    auto* setting = TComponent::Create<TPSetting>(form.form.get());
    setting->BoundProperty = path;
    setting->Encrypted = decoder == dScrambled;
    try {
        switch (decoder) {
            case dBinary: DecodeBinaryValue(*setting, stored); break;
            case dScrambled: setting->DecryptValue(stored); break;
            case dText: setting->SetAsString(std::string(input.RestText())); break;
            case dInteger: {
                int32_t value = 0;
                if (!stored.empty()) std::memcpy(&value, stored.data(), std::min(stored.size(), sizeof value));
                setting->SetAsInteger(value);
                break;
            }
            case dCount: break;
        }
    } catch (const Exception&) {
        // A value that cannot be decoded leaves the setting as it was.
    }
    try {
        setting->WriteToProperty();
    } catch (const Exception&) {
    }
    if (decoder == dBinary || decoder == dScrambled) CheckScrambledRoundTrip(*setting);
    return 0;
}
