// The two variants of the "Settings" stream property.

#include "psetting/SettingsStream.h"

#include "platform/core/Component.h"

namespace {

// Tag 9 is true; any other tag, whatever it is, reads as false.
bool ReadFlag(TReader& reader) {
    return reader.ReadValue() == TValueType::True;
}

}  // namespace

bool FormSettingsHaveData(const TPSettings& settings, const TFiler& filer) {
    if (TPersistent* ancestor = filer.Ancestor()) {
        const auto* other = ancestor->As<TPSettings>();
        return !other || !TPSettings::SameSettings(settings, *other);
    }
    return settings.SettingCount() > 0;
}

void WriteFormSettings(TPSettings& settings, TWriter& writer) {
    writer.WriteListBegin();
    for (TPSetting* s : settings.Settings()) {
        if (!s->BoundProperty.empty()) s->UpdateBoundProperty();
        writer.WriteAnsiString(s->Name);
        writer.WriteAnsiString(s->BoundProperty);
        writer.WriteAnsiString(s->RelAppSetting);
        writer.WriteBoolean(s->Encrypted);
    }
    writer.WriteListEnd();
}

void ReadFormSettings(TPSettings& settings, TReader& reader) {
    // A settings component without an owner keeps its settings itself, so
    // that none is left without one to free it.
    TComponent* owner = settings.IsDesigning() || !settings.Owner() ? &settings : settings.Owner();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        std::string name = reader.ReadAnsiString();
        std::string bound = reader.ReadAnsiString();
        std::string related = reader.ReadAnsiString();
        const bool encrypted = ReadFlag(reader);
        auto* s = TComponent::Create<TPSetting>(owner);
        s->Name = std::move(name);
        s->BoundProperty = std::move(bound);
        s->RelAppSetting = std::move(related);
        s->Encrypted = encrypted;
        if (!settings.AddSetting(s)) TComponent::Free(s);
    }
    reader.ReadListEnd();
}

void DefineFormSettings(TPSettings& settings, TFiler& filer) {
    filer.DefineProperty(
        kSettingsPropertyName, [&settings](TReader& r) { ReadFormSettings(settings, r); },
        [&settings](TWriter& w) { WriteFormSettings(settings, w); }, FormSettingsHaveData(settings, filer));
}

bool AppSettingsHaveData(const TPSettings& settings) {
    return settings.SettingCount() > 0;
}

void WriteAppSettings(const TPSettings& settings, TWriter& writer) {
    writer.WriteListBegin();
    for (const TPSetting* s : settings.Settings()) {
        writer.WriteAnsiString(s->Name);
        writer.WriteBoolean(s->Encrypted);
    }
    writer.WriteListEnd();
}

void ReadAppSettings(TPSettings& settings, TReader& reader) {
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        std::string name = reader.ReadAnsiString();
        const bool encrypted = ReadFlag(reader);
        auto* s = TComponent::Create<TPSetting>(nullptr);
        s->Name = std::move(name);
        s->Encrypted = encrypted;
        settings.AppendSetting(s);
    }
    reader.ReadListEnd();
}

void DefineAppSettings(TPSettings& settings, TFiler& filer) {
    filer.DefineProperty(
        kSettingsPropertyName, [&settings](TReader& r) { ReadAppSettings(settings, r); },
        [&settings](TWriter& w) { WriteAppSettings(settings, w); }, AppSettingsHaveData(settings));
}
