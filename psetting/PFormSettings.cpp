// The form settings component: its class table, construction with the
// defaults the form suggests, load completion, naming, linking to the
// application settings and what it does when components go.

#include "psetting/PFormSettings.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Application.h"
#include "platform/win/Form.h"
#include "platform/win/Menus.h"
#include "platform/win/Timer.h"
#include "psetting/PAppSettings.h"
#include "psetting/SettingsStream.h"

namespace {
constexpr const char* kNotAForm = "Parent must be a TCustomForm descendent";
}  // namespace

const TEnumTypeInfo& FormSaveOptsTypeInfo() {
    static const TEnumTypeInfo info{"TPFormSaveOpts", {"pfsLeft", "pfsTop", "pfsWidth", "pfsHeight", "pfsState"}, 0};
    return info;
}

const TSetTypeInfo& FormSaveOptTypeInfo() {
    static const TSetTypeInfo info{"TPFormSaveOpt", &FormSaveOptsTypeInfo()};
    return info;
}

const TEnumTypeInfo& SaveLocationTypeInfo() {
    static const TEnumTypeInfo info{"TPSaveLocationType", {"pslRegistry", "pslStream", "pslStorage", "pslUser"}, 0};
    return info;
}

const TEnumTypeInfo& MRUDisplayTypeInfo() {
    static const TEnumTypeInfo info{"TPMRUDisplayType", {"pmdFileOnly", "pmdFullPath", "pmdAbbPath"}, 0};
    return info;
}

const TEnumTypeInfo& MRUPlacementTypeInfo() {
    static const TEnumTypeInfo info{"TPMRUPlacement", {"pmpDescending", "pmpBefore"}, 0};
    return info;
}

const TClassInfo& TPFormSettings::StaticClass() {
    using C = TPFormSettings;
    static const TClassInfo info =
        TClassBuilder<C>("TPFormSettings", &TPSettings::StaticClass)
            .Creatable()
            .SetOf("FormSaveOpt", FormSaveOptTypeInfo(), &C::FormSaveOpt, &C::SetFormSaveOpt)
            .Default(kAllFormSaveOpts.Bits())
            .Enum("SaveLocation", SaveLocationTypeInfo(), &C::SaveLocation, &C::SetSaveLocation)
            .Obj("MRUMenuItem", &C::MRUMenuItem, &C::SetMRUMenuItem)
            .Int("MRULength", &C::MRULength, &C::SetMRULength)
            .Default(4)
            .Enum("MRUDisplay", MRUDisplayTypeInfo(), &C::MRUDisplay, &C::SetMRUDisplay)
            .Default(pmdFullPath)
            .Int("MRUMaxItemWidth", &C::MRUMaxItemWidth, &C::SetMRUMaxItemWidth)
            .Default(200)
            .Enum("MRUPlacement", MRUPlacementTypeInfo(), &C::MRUPlacement, &C::SetMRUPlacement)
            .Default(pmpDescending)
            .Obj("AppSettingsCtrl", &C::AppSettingsCtrl, &C::SetAppSettingsCtrl)
            .Bool("AddToRecentDocs", &C::AddToRecentDocs, &C::AddToRecentDocs)
            .Default(1)
            .Bool("AutoRestartApp", &C::AutoRestartApp, &C::AutoRestartApp)
            .Default(0)
            .Bool("MRUValidate", &C::MRUValidate, &C::SetMRUValidate)
            .Default(1)
            .Int("MRUCount", &C::MRUCount, nullptr)
            .Event("OnMRUClick", &C::OnMRUClick)
            .Event("OnSetFormKeyName", &C::OnSetFormKeyName)
            .Build();
    return info;
}

TPFormSettings::TPFormSettings(TComponent* owner) : TPSettings(owner) {
    form_ = ObjectAs<TCustomForm>(owner);
    if (!form_) throw EPFormSettingsException(kNotAForm);
    if (!owner->IsDesigning()) InstallHook();
    advPropsTimer_.reset(TComponent::Create<TTimer>(nullptr));
    advPropsTimer_->SetEnabled(false);
    advPropsTimer_->SetInterval(200);
    advPropsTimer_->OnTimer = [this](TObject* sender) { AdvPropsTimerTick(sender); };
    if (form_->Is<TForm>()) TakeFormDefaults();
    // Dropped on a designed form, this component takes the form's components
    // as new; a designed form that is being opened has its settings already.
    if (owner->IsDesigning() && !owner->IsLoading())
        for (int i = 0; i < owner->ComponentCount(); ++i) QueueAdvProps(owner->Components(i));
}

// The form's own properties are read before its components are made, so
// they are already the designed ones here; values from the stream that
// follow still override what is set here.
void TPFormSettings::TakeFormDefaults() {
    switch (form_->BorderStyle()) {
        case TFormBorderStyle::bsNone:
            formSaveOpt_ = {};
            mruLength_ = 0;
            break;
        case TFormBorderStyle::bsSingle:
        case TFormBorderStyle::bsDialog:
        case TFormBorderStyle::bsToolWindow:
            formSaveOpt_ = {pfsLeft, pfsTop};
            mruLength_ = 0;
            break;
        case TFormBorderStyle::bsSizeable:
        case TFormBorderStyle::bsSizeToolWin: {
            const TBorderIcons icons = form_->BorderIcons();
            if (!icons.Has(TBorderIcon::biMinimize) && !icons.Has(TBorderIcon::biMaximize))
                formSaveOpt_.Exclude(pfsState);
            break;
        }
    }
    if (form_->FormStyle() == TFormStyle::fsMDIChild) saveLocation_ = pslStream;
    // The system may place the window while its size stays; the centring
    // is done here, when the stored bounds are applied.
    if (form_->Position() == TPosition::poScreenCenter && !form_->IsDesigning()) {
        form_->SetPosition(TPosition::poDefaultPosOnly);
        centre_ = true;
    }
}

void TPFormSettings::BeforeDestruction() {
    RemoveHook();
    if (appSettingsCtrl_ && IsLiveAppSettings(appSettingsCtrl_)) appSettingsCtrl_->UnlinkFormSettings(this);
    appSettingsCtrl_ = nullptr;
    TPSettings::BeforeDestruction();
}

// Nothing is saved here: the window hook saved when the form closed. The
// settings themselves belong to the form (or, while designing, to this
// component, which frees them as its owned components).
TPFormSettings::~TPFormSettings() {
    // Reached without BeforeDestruction (a plain delete): the form may no
    // longer be whole, so the hook is only told to pass everything on.
    if (hook_) ReleaseHookState();
}

TPLocation TPFormSettings::Location() const noexcept {
    switch (saveLocation_) {
        case pslRegistry: return TPLocation::Registry;
        case pslUser: return TPLocation::User;
        default: return TPLocation::Other;
    }
}

std::string TPFormSettings::GetKeyName() const {
    std::string formKeyName = form_ ? form_->Name() : std::string();
    if (OnSetFormKeyName) OnSetFormKeyName(const_cast<TPFormSettings*>(this), formKeyName);
    return BaseKeyName() + formKeyName;
}

void TPFormSettings::Loaded() {
    TPSettings::Loaded();
    if (loaded_) return;
    const std::vector<TPSetting*> list = Settings();
    if (IsDesigning()) {
        for (TPSetting* s : list) s->ResolveComponent();
    } else {
        for (TPSetting* s : list) s->StoreDefault();
        RestoreSequence(Location());
    }
    loaded_ = true;
}

void TPFormSettings::SaveSettings() { SaveSequence(Location()); }

void TPFormSettings::DefineProperties(TFiler& filer) {
    TPSettings::DefineProperties(filer);
    DefineFormSettings(*this, filer);
}

// ---- linking to the application settings ----------------------------------

void TPFormSettings::SetAppSettingsCtrl(TPAppSettings* value) {
    if (appSettingsCtrl_) {
        if (IsLiveAppSettings(appSettingsCtrl_)) appSettingsCtrl_->UnlinkFormSettings(this);
        RemoveFreeNotification(appSettingsCtrl_);
    }
    appSettingsCtrl_ = value;
    if (!value) return;
    // Told when it goes, wherever it lives, so that the reference never dangles.
    FreeNotification(value);
    companyName_ = value->CompanyName();
    softwareName_ = value->SoftwareName();
    softwareVersion_ = value->SoftwareVersion();
    value->LinkFormSettings(this);
}

void TPFormSettings::LinkAppValues() {
    if (!IsLiveAppSettings(appSettingsCtrl_)) return;
    const std::vector<TPSetting*> list = Settings();
    for (TPSetting* s : list) {
        if (s->RelAppSetting.empty()) continue;
        s->Value = appSettingsCtrl_->AppValue(s->RelAppSetting);
        s->WriteToProperty();
    }
}

// ---- components that go ----------------------------------------------------

void TPFormSettings::Notification(TComponent* component, TOperation operation) {
    TPSettings::Notification(component, operation);
    if (component && operation == TOperation::Remove) ForgetQueuedAdvProps(component);
    if (!component || component->Is<TPSetting>()) return;
    if (operation == TOperation::Insert) {
        if (component->Owner() == form_ && form_->IsDesigning() && !form_->IsLoading()) QueueAdvProps(component);
        return;
    }
    if (component == mruMenuItem_) {
        mruMenuItem_ = nullptr;
        // Whatever menu the entries were put into, they are of no use
        // without the item they belong to.
        FreeMRUItems();
    }
    if (component == appSettingsCtrl_) {
        // Left linked, the application settings would later call on this
        // component after it has gone.
        if (IsLiveAppSettings(appSettingsCtrl_)) appSettingsCtrl_->UnlinkFormSettings(this);
        appSettingsCtrl_ = nullptr;
    }
    // Once the main form's settings are saved the program is ending: the
    // settings stay listed until their owners free them.
    if (MainFormSaved()) return;
    // A setting may have heard of the freeing first and let go of its
    // reference already; it still counts as bound to the component.
    for (int i = SettingCount() - 1; i >= 0; --i) {
        TPSetting* s = Setting(i);
        if (!s->IsBoundTo(component)) continue;
        RemoveSetting(s);
        TComponent::Free(s);
    }
}
