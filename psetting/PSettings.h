#pragma once
// The settings container: the ordered list of settings, the three naming
// elements of the registry key, the registry root, SaveAll and the events
// around saving and restoring. The form and application settings components
// derive from it and implement its nine abstract operations; they run the
// save and restore sequences given here with their own save location mapped
// onto TPLocation.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "psetting/Exceptions.h"
#include "psetting/PSetting.h"

class TPRegistry;

enum TPRootKeyType : uint8_t { prkCurrentUser, prkLocalMachine };
const TEnumTypeInfo& RootKeyTypeInfo();

using TPEvUserSave = TEvent<void(TObject* Sender, TPSetting* Setting)>;
using TPEvUserRestore = TEvent<void(TObject* Sender, TPSetting* Setting)>;
using TPEvAutoSave = TEvent<void(TObject* Sender, bool& Continue)>;
using TPEvAutoRestore = TEvent<void(TObject* Sender, bool& Continue)>;

// Where a sequence transfers the values: the registry, the user's handlers,
// or nowhere (the locations a component has beyond these two).
enum class TPLocation { Registry, User, Other };

class TPSettings : public TComponent {
    GLY_CLASS(TPSettings)
public:
    // Takes the Windows registered organisation as the default company name.
    explicit TPSettings(TComponent* owner);
    ~TPSettings() override;

    // ---- the list ----
    const std::vector<TPSetting*>& Settings() const noexcept { return settings_; }
    int SettingCount() const noexcept { return int(settings_.size()); }
    TPSetting* Setting(int index) const;  // EListError when out of range
    // The first setting whose Name equals `name` exactly; EPSettingsException
    // "No such setting: "<name>"" when none has it.
    TPSetting& SettingByName(const std::string& name) const;
    // The same search; nullptr when none has the name.
    TPSetting* FindSetting(const std::string& name) const noexcept;
    // Appends unless the list holds a setting equal to it by SameSetting;
    // says whether it was appended.
    bool AddSetting(TPSetting* setting);
    // Appends without the duplicate check.
    void AppendSetting(TPSetting* setting);
    // Forgets a setting (it is not freed).
    void RemoveSetting(TPSetting* setting);

    static bool SameSetting(const TPSetting& a, const TPSetting& b) noexcept;
    static bool SameSettings(const TPSettings& a, const TPSettings& b) noexcept;

    // ---- naming and storage choices ----
    const std::string& CompanyName() const noexcept { return companyName_; }
    const std::string& SoftwareName() const noexcept { return softwareName_; }
    const std::string& SoftwareVersion() const noexcept { return softwareVersion_; }
    TPRootKeyType RegistryRootKey() const noexcept { return registryRootKey_; }
    bool SaveAll() const noexcept { return saveAll_; }
    void SetSaveAll(bool value) noexcept { saveAll_ = value; }

    virtual void SetCompanyName(const std::string& value) = 0;
    virtual void SetSoftwareName(const std::string& value) = 0;
    virtual void SetSoftwareVersion(const std::string& value) = 0;
    virtual void SetRegistryRootKey(TPRootKeyType value) = 0;
    // The component's registry key path: BaseKeyName() and its own last element.
    virtual std::string GetKeyName() const = 0;

    // "Software\" and each non-empty naming element followed by "\".
    std::string BaseKeyName() const;
    // Puts a registry object on the root that RegistryRootKey chooses.
    void SelectRoot(TPRegistry& reg) const;

    // ---- the two sequences ----
    void SaveSequence(TPLocation location);
    void RestoreSequence(TPLocation location);

    TPEvUserSave OnUserSave;
    TPEvUserRestore OnUserRestore;
    TNotifyEvent OnPreSave;
    TNotifyEvent OnPostSave;
    TNotifyEvent OnPreRestore;
    TNotifyEvent OnPostRestore;
    TPEvAutoSave OnAutoSave;
    TPEvAutoRestore OnAutoRestore;

    // The transfers of the sequences: to and from the user's handlers, and
    // every setting to and from the key (the components add their own values).
    virtual void DoUserSave() = 0;
    virtual void DoUserRestore() = 0;
    virtual void SaveToRegistry() = 0;
    virtual void RestoreFromRegistry() = 0;

protected:
    // What both components' DoUserSave / DoUserRestore start with: the user
    // handler, when assigned, once per setting in list order.
    void CallUserSave();
    void CallUserRestore();

    // A freed setting leaves the list, so that it never holds a dangling one.
    void Notification(TComponent* component, TOperation operation) override;

    std::string companyName_;
    std::string softwareName_;
    std::string softwareVersion_;
    TPRootKeyType registryRootKey_ = prkCurrentUser;
    bool saveAll_ = true;

private:
    std::vector<TPSetting*> settings_;
};
