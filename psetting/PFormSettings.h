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
class TTimer;

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

    // ---- the recently used files in a menu ----
    // The tags that mark the menu items this component makes; no other
    // item in the same menu may carry them.
    static constexpr int kMRUEntryTag = 46371;
    static constexpr int kMRUSeparatorTag = 46358;
    // Brings the menu in line with the list (validating it first when
    // MRUValidate is set); ClearMRUMenu takes this component's items and
    // separators out of it.
    void UpdateMRUMenu();
    void ClearMRUMenu();
    // Drops the entries whose file does not exist.
    void ValidateMRUList();
    // The text an entry item shows after its number, by MRUDisplay.
    std::string GetMRUCaption(const std::string& fileName) const;
    // The click of every entry item: OnMRUClick with the entry's file name
    // and its 1-based number.
    void MRUItemClick(TObject* sender);
    // Puts a file just used at the top of the list (a name already listed
    // moves there), cuts the list to MRULength, tells the shell when
    // AddToRecentDocs is set and updates the menu.
    void AddMRUFile(const std::string& fileName);

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

    // The value name under which WriteRunOnce registers the program: "PS",
    // SoftwareName and CompanyName, letters A-Z and a-z only, at most 20.
    std::string GetRunOnceName() const;

    // ---- automatic settings while the form is designed ----
    // Queues a component for AddAdvProps on the next tick of the 200 ms
    // timer (this component itself is never queued).
    void QueueAdvProps(TComponent* component);
    // Adds a setting for every value of the AdvProps sub-key named after the
    // component's class, bound to the component's name and the value name;
    // encrypted when the value is 2.
    void AddAdvProps(TComponent* component);
    // The components still waiting for AddAdvProps, in queue order.
    std::vector<TComponent*> QueuedAdvProps() const;
    bool AdvPropsTimerEnabled() const noexcept;

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
    // The menu the entries go into, or null when there is none.
    TMenuItem* MRUContainer() const noexcept;
    // Frees the menu items this component made, wherever they are now.
    void FreeMRUItems() noexcept;
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

    void AdvPropsTimerTick(TObject* sender);
    // A place of a queued component that is removed becomes empty, so that
    // the queue never refers to a freed component.
    void ForgetQueuedAdvProps(TComponent* component) noexcept;
    TOwnedPtr<TTimer> advPropsTimer_;
    std::vector<TComponent*> advPropsQueue_;
};
