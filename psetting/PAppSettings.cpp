// The application settings component and the library's unit-wide state.

#include "psetting/PAppSettings.h"

#include <algorithm>
#include <exception>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Application.h"
#include "psetting/PFormSettings.h"
#include "psetting/PRegistry.h"
#include "psetting/SettingsStream.h"

namespace {

std::vector<TPAppSettings*>& LiveList() {
    static std::vector<TPAppSettings*> list;
    return list;
}

bool g_mainFormSaved = false;

}  // namespace

const std::vector<TPAppSettings*>& AppSettingsList() { return LiveList(); }

bool IsLiveAppSettings(const TPAppSettings* settings) {
    if (!settings) return false;
    const auto& list = LiveList();
    return std::find(list.begin(), list.end(), settings) != list.end();
}

bool MainFormSaved() { return g_mainFormSaved; }
void SetMainFormSaved(bool value) { g_mainFormSaved = value; }

const TEnumTypeInfo& AppSaveLocTypeInfo() {
    static const TEnumTypeInfo info{"TPAppSaveLocType", {"palRegistry", "palUser"}, 0};
    return info;
}

const TClassInfo& TPAppSettings::StaticClass() {
    using C = TPAppSettings;
    static const TClassInfo info = TClassBuilder<C>("TPAppSettings", &TPSettings::StaticClass)
                                       .Creatable()
                                       .Enum("SaveLocation", AppSaveLocTypeInfo(), &C::SaveLocation, &C::SetSaveLocation)
                                       .Build();
    return info;
}

TPAppSettings::TPAppSettings(TComponent* owner) : TPSettings(owner) {
    if (!IsLiveAppSettings(this)) LiveList().push_back(this);
}

void TPAppSettings::BeforeDestruction() {
    std::erase(LiveList(), this);
    linked_.clear();
    // Values set in the owner's destruction handler are in by now. Nothing
    // may escape from a destruction: a failed save is reported instead.
    try {
        SaveSequence(Location());
    } catch (const std::exception& e) {
        HandleException(e);
    }
    TPSettings::BeforeDestruction();
}

// The settings were made for this component when its list was read; they
// are freed last to first. A setting given an owner elsewhere leaves it too.
TPAppSettings::~TPAppSettings() {
    std::erase(LiveList(), this);
    const std::vector<TPSetting*> list = Settings();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        RemoveSetting(*it);
        TComponent::Free(*it);
    }
}

TPLocation TPAppSettings::Location() const noexcept {
    return saveLocation_ == palUser ? TPLocation::User : TPLocation::Registry;
}

std::string TPAppSettings::GetKeyName() const { return BaseKeyName() + "AppSettings"; }

void TPAppSettings::SetCompanyName(const std::string& value) {
    companyName_ = value;
    for (TPFormSettings* f : std::vector<TPFormSettings*>(linked_)) f->SetCompanyName(value);
}

void TPAppSettings::SetSoftwareName(const std::string& value) {
    softwareName_ = value;
    for (TPFormSettings* f : std::vector<TPFormSettings*>(linked_)) f->SetSoftwareName(value);
}

void TPAppSettings::SetSoftwareVersion(const std::string& value) {
    softwareVersion_ = value;
    for (TPFormSettings* f : std::vector<TPFormSettings*>(linked_)) f->SetSoftwareVersion(value);
}

void TPAppSettings::SetRegistryRootKey(TPRootKeyType value) {
    registryRootKey_ = value;
    for (TPFormSettings* f : std::vector<TPFormSettings*>(linked_)) f->SetRegistryRootKey(value);
}

void TPAppSettings::SaveToRegistry() {
    TPRegistry reg;
    SelectRoot(reg);
    const std::string key = GetKeyName();
    for (TPSetting* s : std::vector<TPSetting*>(Settings())) s->WriteToRegistry(reg, key, SaveAll());
}

void TPAppSettings::RestoreFromRegistry() {
    TPRegistry reg;
    SelectRoot(reg);
    const std::string key = GetKeyName();
    for (TPSetting* s : std::vector<TPSetting*>(Settings())) s->ReadFromRegistry(reg, key);
}

void TPAppSettings::DoUserSave() { CallUserSave(); }
void TPAppSettings::DoUserRestore() { CallUserRestore(); }

void TPAppSettings::Loaded() {
    TPSettings::Loaded();
    if (IsDesigning()) return;
    RestoreSequence(Location());
    for (TPFormSettings* f : std::vector<TPFormSettings*>(linked_)) f->LinkAppValues();
}

void TPAppSettings::LinkFormSettings(TPFormSettings* formSettings) {
    if (!formSettings || std::find(linked_.begin(), linked_.end(), formSettings) != linked_.end()) return;
    linked_.push_back(formSettings);
    formSettings->LinkAppValues();
}

void TPAppSettings::UnlinkFormSettings(TPFormSettings* formSettings) { std::erase(linked_, formSettings); }

TPValue TPAppSettings::AppValue(const std::string& name) const {
    const TPSetting* s = FindSetting(name);
    return s ? s->Value : TPValue{};
}

void TPAppSettings::DefineProperties(TFiler& filer) {
    TPSettings::DefineProperties(filer);
    DefineAppSettings(*this, filer);
}
