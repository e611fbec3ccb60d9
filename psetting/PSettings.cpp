// The settings container: defaults, the list and its look-ups, the key's
// base and the save and restore sequences.

#include "psetting/PSettings.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "psetting/PRegistry.h"

namespace {
constexpr std::string_view kNoSuchSetting = "No such setting: \"%s\"";
constexpr const char* kVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kOrganizationValue = "RegisteredOrganization";
}  // namespace

const TEnumTypeInfo& RootKeyTypeInfo() {
    static const TEnumTypeInfo info{"TPRootKeyType", {"prkCurrentUser", "prkLocalMachine"}, 0};
    return info;
}

const TClassInfo& TPSettings::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPSettings>("TPSettings", &TComponent::StaticClass)
            .Str("CompanyName", &TPSettings::companyName_, &TPSettings::SetCompanyName)
            .Str("SoftwareName", &TPSettings::softwareName_, &TPSettings::SetSoftwareName)
            .Str("SoftwareVersion", &TPSettings::softwareVersion_, &TPSettings::SetSoftwareVersion)
            .Enum("RegistryRootKey", RootKeyTypeInfo(), &TPSettings::registryRootKey_, &TPSettings::SetRegistryRootKey)
            .Bool("SaveAll", &TPSettings::saveAll_, &TPSettings::saveAll_)
            .Default(1)
            .Event("OnUserSave", &TPSettings::OnUserSave)
            .Event("OnUserRestore", &TPSettings::OnUserRestore)
            .Event("OnPreSave", &TPSettings::OnPreSave)
            .Event("OnPostRestore", &TPSettings::OnPostRestore)
            .Event("OnPostSave", &TPSettings::OnPostSave)
            .Event("OnPreRestore", &TPSettings::OnPreRestore)
            .Event("OnAutoSave", &TPSettings::OnAutoSave)
            .Event("OnAutoRestore", &TPSettings::OnAutoRestore)
            .Build();
    return info;
}

TPSettings::TPSettings(TComponent* owner) : TComponent(owner) {
    TPRegistry reg;
    reg.SetRootKey(kRootLocalMachine);
    if (!reg.OpenKey(kVersionKey, false)) return;
    // Only a text is an organisation. A value of another type, which one
    // machine-wide setting can leave for every user, counts as none rather
    // than keeping every settings component, and the forms holding them,
    // from being made.
    const TRegDataType type = reg.GetDataType(kOrganizationValue);
    if (type == rdString || type == rdExpandString) companyName_ = reg.ReadString(kOrganizationValue);
}

// The settings themselves belong to their owner component (or, for the
// application settings, to that component's destruction); only the list goes.
TPSettings::~TPSettings() = default;

TPSetting* TPSettings::Setting(int index) const {
    if (index < 0 || index >= SettingCount())
        throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    return settings_[size_t(index)];
}

TPSetting* TPSettings::FindSetting(const std::string& name) const noexcept {
    for (TPSetting* s : settings_)
        if (s->Name == name) return s;
    return nullptr;
}

TPSetting& TPSettings::SettingByName(const std::string& name) const {
    if (TPSetting* s = FindSetting(name)) return *s;
    throw EPSettingsException(FormatText(kNoSuchSetting, {name}));
}

bool TPSettings::SameSetting(const TPSetting& a, const TPSetting& b) noexcept {
    return a.Name == b.Name && a.BoundProperty == b.BoundProperty && a.RelAppSetting == b.RelAppSetting &&
           a.Encrypted == b.Encrypted;
}

bool TPSettings::SameSettings(const TPSettings& a, const TPSettings& b) noexcept {
    if (a.settings_.size() != b.settings_.size()) return false;
    for (size_t i = 0; i < a.settings_.size(); ++i)
        if (!SameSetting(*a.settings_[i], *b.settings_[i])) return false;
    return true;
}

bool TPSettings::AddSetting(TPSetting* setting) {
    if (!setting) return false;
    for (const TPSetting* s : settings_)
        if (s == setting || SameSetting(*s, *setting)) return false;
    AppendSetting(setting);
    return true;
}

void TPSettings::AppendSetting(TPSetting* setting) {
    if (!setting) return;
    settings_.push_back(setting);
    FreeNotification(setting);
}

void TPSettings::RemoveSetting(TPSetting* setting) {
    const auto it = std::find(settings_.begin(), settings_.end(), setting);
    if (it == settings_.end()) return;
    settings_.erase(it);
    if (std::find(settings_.begin(), settings_.end(), setting) == settings_.end()) RemoveFreeNotification(setting);
}

void TPSettings::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::Remove) return;
    if (std::find(settings_.begin(), settings_.end(), component) == settings_.end()) return;
    // Only a setting that is being freed leaves. One that merely leaves its
    // owner stays listed, and the subscription that the base just dropped is
    // renewed so that its eventual freeing is still heard.
    if (component->IsDestroying())
        std::erase(settings_, component);
    else
        FreeNotification(component);
}

std::string TPSettings::BaseKeyName() const {
    std::string key = "Software\\";
    for (const std::string* part : {&companyName_, &softwareName_, &softwareVersion_})
        if (!part->empty()) key += *part + "\\";
    return key;
}

void TPSettings::SelectRoot(TPRegistry& reg) const {
    if (registryRootKey_ == prkLocalMachine) reg.SetRootKey(kRootLocalMachine);
}

void TPSettings::CallUserSave() {
    if (!OnUserSave) return;
    for (TPSetting* s : std::vector<TPSetting*>(settings_)) OnUserSave(this, s);
}

void TPSettings::CallUserRestore() {
    if (!OnUserRestore) return;
    for (TPSetting* s : std::vector<TPSetting*>(settings_)) OnUserRestore(this, s);
}

// The pre- and post-events fire at design time too; only the transfer waits
// for run time. An exception from the transfer ends the sequence before the
// post-event.
void TPSettings::SaveSequence(TPLocation location) {
    if (OnPreSave) OnPreSave(this);
    if (!IsDesigning()) {
        if (location == TPLocation::Registry) {
            bool proceed = true;
            if (OnAutoSave) OnAutoSave(this, proceed);
            if (proceed) SaveToRegistry();
        } else if (location == TPLocation::User) {
            DoUserSave();
        }
    }
    if (OnPostSave) OnPostSave(this);
}

void TPSettings::RestoreSequence(TPLocation location) {
    if (IsDesigning()) return;
    if (OnPreRestore) OnPreRestore(this);
    if (location == TPLocation::Registry) {
        bool proceed = true;
        if (OnAutoRestore) OnAutoRestore(this, proceed);
        if (proceed) RestoreFromRegistry();
    } else if (location == TPLocation::User) {
        DoUserRestore();
    }
    if (OnPostRestore) OnPostRestore(this);
}
