#pragma once
// The settings component for application-wide named values that belong to
// no control. It restores them when its owner has been loaded and saves them
// when it is freed, so that values set in the owner's destruction handler
// still reach the registry. Form settings components that name it in
// AppSettingsCtrl take its registry naming and the values of their related
// settings.
//
// Also the library's unit-wide state: every live TPAppSettings, and whether
// the main form's settings have been saved.

#include <cstdint>
#include <string>
#include <vector>

#include "psetting/PSettings.h"

class TPFormSettings;

enum TPAppSaveLocType : uint8_t { palRegistry, palUser };
const TEnumTypeInfo& AppSaveLocTypeInfo();

class TPAppSettings : public TPSettings {
    GLY_CLASS(TPAppSettings)
public:
    explicit TPAppSettings(TComponent* owner);
    ~TPAppSettings() override;

    TPAppSaveLocType SaveLocation() const noexcept { return saveLocation_; }
    void SetSaveLocation(TPAppSaveLocType value) noexcept { saveLocation_ = value; }

    // The naming passes on to every linked form settings component.
    void SetCompanyName(const std::string& value) override;
    void SetSoftwareName(const std::string& value) override;
    void SetSoftwareVersion(const std::string& value) override;
    void SetRegistryRootKey(TPRootKeyType value) override;
    // BaseKeyName() followed by "AppSettings".
    std::string GetKeyName() const override;

    void DoUserSave() override;
    void DoUserRestore() override;
    void SaveToRegistry() override;
    void RestoreFromRegistry() override;

    // Restores, then hands the values to the linked form settings.
    void Loaded() override;

    // Called by TPFormSettings when its AppSettingsCtrl changes. Linking a
    // form not linked yet gives it the values at once (LinkAppValues).
    void LinkFormSettings(TPFormSettings* formSettings);
    void UnlinkFormSettings(TPFormSettings* formSettings);
    const std::vector<TPFormSettings*>& LinkedFormSettings() const noexcept { return linked_; }

    // The value of the setting of that name; the empty value (pvkNone) when
    // there is none. Never raises.
    TPValue AppValue(const std::string& name) const;

    void DefineProperties(TFiler& filer) override;

protected:
    // Saves while the component is still whole, then lets it go.
    void BeforeDestruction() override;

private:
    TPLocation Location() const noexcept;

    TPAppSaveLocType saveLocation_ = palRegistry;
    std::vector<TPFormSettings*> linked_;
};

// Every live TPAppSettings, in the order they were made.
const std::vector<TPAppSettings*>& AppSettingsList();
// Whether `settings` is one of them (a reference may outlive its component).
bool IsLiveAppSettings(const TPAppSettings* settings);

// Set once the main form's settings were saved by its window hook; the
// library never clears it (only a new start of the library does, which is
// what SetMainFormSaved(false) stands for). From then on removed components
// no longer take their settings with them.
bool MainFormSaved();
void SetMainFormSaved(bool value);
