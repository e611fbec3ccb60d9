#pragma once
// A concrete settings container for the tests: the nine operations of the
// abstract one, each logged, with the registry transfer of the components
// and the "Settings" property in either variant.

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "psetting/PRegistry.h"
#include "psetting/PSettings.h"
#include "psetting/SettingsStream.h"

class TTestSettings : public TPSettings {
    GLY_CLASS(TTestSettings)
public:
    explicit TTestSettings(TComponent* owner) : TPSettings(owner) {}
    // Settings read without an owner (the application variant) are this
    // container's to free, last first.
    ~TTestSettings() override {
        const std::vector<TPSetting*> all = Settings();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if (!(*it)->Owner()) TComponent::Free(*it);
    }

    bool appVariant = false;
    bool failTransfer = false;
    std::vector<std::string> log;

    void SetCompanyName(const std::string& value) override { companyName_ = value; }
    void SetSoftwareName(const std::string& value) override { softwareName_ = value; }
    void SetSoftwareVersion(const std::string& value) override { softwareVersion_ = value; }
    void SetRegistryRootKey(TPRootKeyType value) override { registryRootKey_ = value; }
    std::string GetKeyName() const override { return BaseKeyName() + "TestSettings"; }

    void DefineProperties(TFiler& filer) override {
        TPSettings::DefineProperties(filer);
        if (appVariant)
            DefineAppSettings(*this, filer);
        else
            DefineFormSettings(*this, filer);
    }

    // Opens the public sequences' hooks to the tests.
    using TPSettings::CallUserRestore;
    using TPSettings::CallUserSave;

protected:
    void DoUserSave() override {
        log.push_back("DoUserSave");
        CallUserSave();
    }
    void DoUserRestore() override {
        log.push_back("DoUserRestore");
        CallUserRestore();
    }
    void SaveToRegistry() override {
        log.push_back("SaveToRegistry");
        if (failTransfer) throw std::runtime_error("transfer failed");
        TPRegistry reg;
        SelectRoot(reg);
        for (TPSetting* s : Settings()) s->WriteToRegistry(reg, GetKeyName(), SaveAll());
    }
    void RestoreFromRegistry() override {
        log.push_back("RestoreFromRegistry");
        if (failTransfer) throw std::runtime_error("transfer failed");
        TPRegistry reg;
        SelectRoot(reg);
        for (TPSetting* s : Settings()) s->ReadFromRegistry(reg, GetKeyName());
    }
};

inline const TClassInfo& TTestSettings::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTestSettings>("TTestSettings", &TPSettings::StaticClass).Creatable().Build();
    return info;
}
