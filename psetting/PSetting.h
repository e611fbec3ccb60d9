#pragma once
// One persisted value: either bound by a dot-separated path to a published
// property of a component, or free and known only by its name. Typed
// accessors convert between the kinds; storage in the registry lives in
// PSettingStorage.cpp and PSettingScramble.cpp.
//
// `Name` is the setting's own name and hides the component name accessor on
// purpose: the library never uses the component name of a setting (reach it
// through a TComponent reference when needed).
//
// For the storage code: every agreed declaration is here unchanged; added are
// the constructor, SetBoundComponent, the Notification override and SplitPath.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Variant.h"
#include "psetting/Exceptions.h"

class TStrings;
class TPRegistry;
struct TPropInfo;

enum TPValueKind : uint8_t {
    pvkNone,
    pvkString,
    pvkInteger,
    pvkFloat,
    pvkBoolean,
    pvkDateTime,
    pvkVariant,
    pvkStrings,
    pvkHidden,
    pvkCollection
};

// The value record. Only the cell of its kind is meaningful.
struct TPValue {
    TPValueKind Kind = pvkNone;
    bool Boolean = false;
    long double Float = 0;    // 80-bit x87 on both MinGW targets
    int32_t Integer = 0;
    std::string Text;         // UTF-8 in the program; never holds a zero byte
    TObject* Object = nullptr; // not owned (pvkHidden: the component; pvkCollection: the collection)
};

class TPSetting : public TComponent {
    GLY_CLASS(TPSetting)
public:
    explicit TPSetting(TComponent* owner);
    ~TPSetting() override;

    TPValue Value, DefaultValue;
    std::string Name, BoundProperty, RelAppSetting;
    bool Encrypted = false;
    bool Writing = false, Reading = false;
    TComponent* BoundComponent = nullptr;

    // Typed accessors. Getters re-read a bound property first; setters write
    // it afterwards (each unless the opposite transfer is in progress).
    bool GetAsBoolean();
    void SetAsBoolean(bool value);
    int32_t GetAsInteger();
    void SetAsInteger(int32_t value);
    long double GetAsFloat();
    void SetAsFloat(long double value);
    void SetAsDateTime(double value);
    std::string GetAsString();
    void SetAsString(const std::string& value);
    TVariant GetAsVariant();
    void SetAsVariant(const TVariant& value);
    void GetAsStrings(TStrings& list);
    void SetAsStrings(const TStrings& list);

    // BoundProperty followed by Name, everything outside [0-9A-Za-z] as "_".
    std::string UniqueName() const;
    bool IsChanged() const;

    // Reads the bound property into Value / writes Value into it.
    void ReadFromProperty();
    void WriteToProperty();
    void StoreDefault();
    void ResolveComponent();
    void UpdateBoundProperty();
    // Sets BoundComponent and asks to be told when it is freed, so that the
    // reference never outlives the component.
    void SetBoundComponent(TComponent* component);
    // Whether `component` is the bound one, or was until it began to be freed:
    // those who hear of the freeing after this setting still find it bound.
    bool IsBoundTo(const TComponent* component) const noexcept;

    // Empties Value: kind pvkNone, text released.
    void ClearValue();
    void SetKind(TPValueKind kind);
    // The last element of the bound path: the name a hidden property has.
    std::string HiddenPropertyName() const;

    // Storage (PSettingStorage.cpp, PSettingScramble.cpp).
    void GetRegistryLocation(const std::string& BaseKey, std::string& KeyName, std::string& ValueName) const;
    void WriteToRegistry(TPRegistry& Reg, const std::string& BaseKey, bool SaveAll);
    void ReadFromRegistry(TPRegistry& Reg, const std::string& BaseKey);
    int GetEncryptedSize();
    void EncryptValue(std::vector<uint8_t>& Buffer);  // Buffer has GetEncryptedSize() bytes
    void DecryptValue(const std::vector<uint8_t>& Data);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The bound component that is being freed. Only compared, never used:
    // once the freeing is over its address may belong to another component.
    const TComponent* freedBound_ = nullptr;
    void CheckSettable() const;
    void CheckGettable() const;
    void BeforeGet();
    void AfterSet();
    void ReadPathInto(TPValue& target);
    std::string TextOfValue() const;
    void WritePath();
};

// Cuts a path at every "."; empty elements are kept, "" is one empty element.
std::vector<std::string> SplitPath(const std::string& path);
