// Where and how a setting stores itself in the registry.

#include <exception>
#include <string>
#include <vector>

#include "platform/core/Strings.h"
#include "psetting/PRegistry.h"
#include "psetting/PSetting.h"
#include "psetting/ValuePayload.h"
#include "psetting/ValueStream.h"

namespace {

// Closes the key however the step that opened it ends.
class TKeyScope {
public:
    explicit TKeyScope(TPRegistry& reg) : reg_(reg) {}
    TKeyScope(const TKeyScope&) = delete;
    TKeyScope& operator=(const TKeyScope&) = delete;
    ~TKeyScope() { reg_.CloseKey(); }

private:
    TPRegistry& reg_;
};

void WriteBinary(TPRegistry& reg, const std::string& valueName, TPSetting& setting) {
    TValueStreamWriter w;
    w.WriteInt32(int32_t(setting.Value.Kind));
    WriteValuePayload(setting, w);
    reg.WriteBinaryData(valueName, w.Bytes().data(), int(w.Bytes().size()));
}

void WriteByKind(TPRegistry& reg, const std::string& valueName, TPSetting& setting) {
    switch (setting.Value.Kind) {
        case pvkNone: break;
        case pvkString: reg.WriteString(valueName, setting.Value.Text); break;
        case pvkInteger: reg.WriteInteger(valueName, setting.Value.Integer); break;
        default: WriteBinary(reg, valueName, setting); break;
    }
}

std::vector<uint8_t> ReadBinary(TPRegistry& reg, const std::string& valueName) {
    const int size = reg.GetDataSize(valueName);
    std::vector<uint8_t> data(size_t(size > 0 ? size : 0));
    data.resize(size_t(reg.ReadBinaryData(valueName, data.data(), int(data.size()))));
    return data;
}

void ReadValue(TPRegistry& reg, const std::string& valueName, TPSetting& setting) {
    if (setting.Encrypted) {
        setting.DecryptValue(ReadBinary(reg, valueName));
        return;
    }
    switch (reg.GetDataType(valueName)) {
        case rdString: setting.SetAsString(reg.ReadString(valueName)); break;
        case rdInteger: setting.SetAsInteger(reg.ReadInteger(valueName)); break;
        case rdBinary: DecodeBinaryValue(setting, ReadBinary(reg, valueName)); break;
        default: break;
    }
}

}  // namespace

void TPSetting::GetRegistryLocation(const std::string& BaseKey, std::string& KeyName, std::string& ValueName) const {
    KeyName = BaseKey;
    if (!Name.empty()) {
        ValueName = Name;
        return;
    }
    std::vector<std::string> elements = SplitPath(BoundProperty);
    ValueName.clear();
    if (elements.empty()) return;
    ValueName = elements.back();
    elements.pop_back();
    for (const std::string& element : elements) KeyName += "\\" + element;
}

void TPSetting::WriteToRegistry(TPRegistry& Reg, const std::string& BaseKey, bool SaveAll) {
    if (!RelAppSetting.empty()) return;
    ReadFromProperty();
    std::string keyName, valueName;
    GetRegistryLocation(BaseKey, keyName, valueName);
    if (IsChanged() || SaveAll) {
        // A key that can be neither opened nor created must not leave an
        // earlier key current for the write to land in: the write then fails
        // with the registry exception instead.
        if (!Reg.OpenKey(keyName, true)) Reg.CloseKey();
        const TKeyScope scope(Reg);
        if (Encrypted) {
            std::vector<uint8_t> buffer(size_t(GetEncryptedSize()), 0);
            EncryptValue(buffer);
            Reg.WriteBinaryData(valueName, buffer.data(), int(buffer.size()));
        } else {
            WriteByKind(Reg, valueName, *this);
        }
        return;
    }
    if (!Reg.OpenKey(keyName, false)) return;
    const TKeyScope scope(Reg);
    // A value that stays (no right to delete it) keeps its key, whose
    // emptiness the rest is about.
    if (Reg.ValueExists(valueName) && !Reg.DeleteValue(valueName)) return;
    TStringList names;
    Reg.GetValueNames(names);
    // Sub-keys hold the values of other settings (longer paths through the
    // same component), possibly saved a moment ago: a key that still has
    // some stays.
    if (names.Count() == 0 && !Reg.HasSubKeys()) {
        Reg.CloseKey();
        // An empty key that cannot be deleted holds nothing that could be
        // restored: it may stay, and saving goes on with the next setting.
        (void)Reg.DeleteKey(keyName);
    }
}

void TPSetting::ReadFromRegistry(TPRegistry& Reg, const std::string& BaseKey) {
    if (!RelAppSetting.empty()) return;
    std::string keyName, valueName;
    GetRegistryLocation(BaseKey, keyName, valueName);
    if (!Reg.OpenKey(keyName, false)) return;
    const TKeyScope scope(Reg);
    if (!Reg.ValueExists(valueName)) return;
    try {
        ReadValue(Reg, valueName, *this);
    } catch (const std::exception&) {
        // A stored value that cannot be read or decoded leaves the setting
        // as it was; restoring goes on with the next one.
    }
    WriteToProperty();
}
