#pragma once
// The settings component that a form owns. It keeps the form's geometry and
// window state (the built-in values), the properties its Settings list binds
// and the form's recently used files in the registry: it restores them when
// the form has been loaded and saves them when the form is closed, hidden or
// destroyed, which it learns by hooking the form's window procedure. Tied
// to a TPAppSettings it takes that component's naming and the values of the
// settings that name a related application setting.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Set.h"
#include "platform/core/Strings.h"
#include "platform/win/Messages.h"
#include "psetting/PSettings.h"

class TCustomForm;
class TMenuItem;
class TPAppSettings;

enum TPFormSaveOpts : uint8_t { pfsLeft, pfsTop, pfsWidth, pfsHeight, pfsState };
using TPFormSaveOpt = TSet<TPFormSaveOpts>;
enum TPSaveLocationType : uint8_t { pslRegistry, pslStream, pslStorage, pslUser };
enum TPMRUDisplayType : uint8_t { pmdFileOnly, pmdFullPath, pmdAbbPath };
enum TPMRUPlacement : uint8_t { pmpDescending, pmpBefore };

const TEnumTypeInfo& FormSaveOptsTypeInfo();
const TSetTypeInfo& FormSaveOptTypeInfo();
const TEnumTypeInfo& SaveLocationTypeInfo();
const TEnumTypeInfo& MRUDisplayTypeInfo();
const TEnumTypeInfo& MRUPlacementTypeInfo();

inline constexpr TPFormSaveOpt kAllFormSaveOpts{pfsLeft, pfsTop, pfsWidth, pfsHeight, pfsState};

using TPEvMRUClick = TEvent<void(TObject* Sender, TMenuItem* MenuItem, const std::string& FileName, int MRUIndex)>;
using TPEvSetFormKeyName = TEvent<void(TObject* Sender, std::string& FormKeyName)>;

// The built-in values of one save or restore: temporary settings without
// owner, freed with the list.
using TPFormValues = std::vector<TOwnedPtr<TPSetting>>;

class TPFormSettings : public TPSettings {
    GLY_CLASS(TPFormSettings)
public:
    // EPFormSettingsException "Parent must be a TCustomForm descendent"
    // unless `owner` is a form.
    explicit TPFormSettings(TComponent* owner);
    ~TPFormSettings() override;

    // ---- published properties ----
    TPFormSaveOpt FormSaveOpt() const noexcept { return formSaveOpt_; }
    void SetFormSaveOpt(TPFormSaveOpt value) noexcept { formSaveOpt_ = value; }
    TPSaveLocationType SaveLocation() const noexcept { return saveLocation_; }
    void SetSaveLocation(TPSaveLocationType value) noexcept { saveLocation_ = value; }
    TMenuItem* MRUMenuItem() const noexcept { return mruMenuItem_; }
    void SetMRUMenuItem(TMenuItem* value);
    int MRULength() const noexcept { return mruLength_; }
    void SetMRULength(int value);  // 0..9; other values are ignored
    TPMRUDisplayType MRUDisplay() const noexcept { return mruDisplay_; }
    void SetMRUDisplay(TPMRUDisplayType value);
    int MRUMaxItemWidth() const noexcept { return mruMaxItemWidth_; }
    void SetMRUMaxItemWidth(int value);  // 100..300; other values are ignored
    TPMRUPlacement MRUPlacement() const noexcept { return mruPlacement_; }
    void SetMRUPlacement(TPMRUPlacement value);
    TPAppSettings* AppSettingsCtrl() const noexcept { return appSettingsCtrl_; }
    void SetAppSettingsCtrl(TPAppSettings* value);
    bool AddToRecentDocs = true;
    bool AutoRestartApp = false;
    bool MRUValidate() const noexcept { return mruValidate_; }
    void SetMRUValidate(bool value);
    int MRUCount() const noexcept { return mruList_->Count(); }
    TPEvMRUClick OnMRUClick;
    TPEvSetFormKeyName OnSetFormKeyName;

    // The recently used file names, entry 0 shown first.
    TStringList& MRUList() const noexcept { return *mruList_; }

    // ---- naming: plain assignments ----
    void SetCompanyName(const std::string& value) override { companyName_ = value; }
    void SetSoftwareName(const std::string& value) override { softwareName_ = value; }
    void SetSoftwareVersion(const std::string& value) override { softwareVersion_ = value; }
    void SetRegistryRootKey(TPRootKeyType value) override { registryRootKey_ = value; }
    // BaseKeyName() followed by the form's name, or by what OnSetFormKeyName
    // makes of it.
    std::string GetKeyName() const override;

    // ---- restore and save ----
    void Loaded() override;
    // The save sequence in this component's save location; the window hook
    // runs it.
    void SaveSettings();
    // Every message of the owner form passes here first (at run time).
    void HookWndProc(TMessage& message);

    void DoUserSave() override;
    void DoUserRestore() override;
    void SaveToRegistry() override;
    void RestoreFromRegistry() override;

    // The built-in values: made for FormSaveOpt and MRULength, filled from
    // the live form, and applied to it.
    TPFormValues BuildFormValues() const;
    void ReadFormValues(TPFormValues& values);
    void ApplyFormValues(TPFormValues& values);
    // Places the form by the stored values (-1: not stored) and the stored
    // resolution, by the rules of ComputeFormBounds.
    void SetFormBounds(int left, int top, int width, int height, const std::string& savedRes);

    // Gives each setting with a related application setting that setting's
    // value and writes it into the bound property; only while
    // AppSettingsCtrl is a live application settings component.
    void LinkAppValues();

    // ---- state, for those who watch the component ----
    TCustomForm* Form() const noexcept { return form_; }
    bool IsLoaded() const noexcept { return loaded_; }
    bool IsSaved() const noexcept { return saved_; }
    bool Centre() const noexcept { return centre_; }
    bool WasMainForm() const noexcept { return wasMainForm_; }
    bool AppWasMinimized() const noexcept { return appWasMinimized_; }

    void DefineProperties(TFiler& filer) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void BeforeDestruction() override;

private:
    struct THookState;
    struct THookProc;
    // Puts HookWndProc in front of the form's window procedure; RemoveHook
    // puts the previous one back (or, when another hook came after this one,
    // lets this one pass everything on); ReleaseHookState only does the latter.
    void InstallHook();
    void RemoveHook() noexcept;
    void ReleaseHookState() noexcept;
    bool IsMainForm() const noexcept;
    void TakeFormDefaults();
    TPLocation Location() const noexcept;
    // The menu side of the recently used files list.
    void UpdateMRUMenu();
    void ClearMRUMenu();
    // Registers the program for a restart at the next log-on (AutoRestartApp).
    void WriteRunOnce();

    TCustomForm* form_ = nullptr;
    TPFormSaveOpt formSaveOpt_ = kAllFormSaveOpts;
    TPSaveLocationType saveLocation_ = pslRegistry;
    TMenuItem* mruMenuItem_ = nullptr;
    int mruLength_ = 4;
    TPMRUDisplayType mruDisplay_ = pmdFullPath;
    int mruMaxItemWidth_ = 200;
    TPMRUPlacement mruPlacement_ = pmpDescending;
    TPAppSettings* appSettingsCtrl_ = nullptr;
    bool mruValidate_ = true;
    std::unique_ptr<TStringList> mruList_ = std::make_unique<TStringList>();

    bool loaded_ = false;
    bool saved_ = false;
    bool centre_ = false;
    bool wasMainForm_ = false;
    bool appWasMinimized_ = false;
    std::shared_ptr<THookState> hook_;
};
