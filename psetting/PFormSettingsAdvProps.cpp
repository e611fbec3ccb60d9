// Automatic settings while a form is designed: a component dropped on the
// form whose class is listed in the user's AdvProps key gets a setting for
// each property path listed there. The components are queued and handled a
// moment later, once the designer has named them.

#include <algorithm>
#include <cstdint>
#include <exception>
#include <iterator>

#include "platform/core/Strings.h"
#include "platform/win/Application.h"
#include "platform/win/Timer.h"
#include "psetting/PFormSettings.h"
#include "psetting/PRegistry.h"

namespace {
constexpr const char* kAdvPropsKey = "SOFTWARE\\Corvane\\PSetting\\AdvProps";
constexpr int32_t kAdvPropEncrypted = 2;
}  // namespace

void TPFormSettings::QueueAdvProps(TComponent* component) {
    if (!component || component == this) return;
    advPropsQueue_.push_back(component);
    advPropsTimer_->SetEnabled(true);
}

std::vector<TComponent*> TPFormSettings::QueuedAdvProps() const {
    std::vector<TComponent*> queued;
    std::copy_if(advPropsQueue_.begin(), advPropsQueue_.end(), std::back_inserter(queued),
                 [](TComponent* c) { return c != nullptr; });
    return queued;
}

bool TPFormSettings::AdvPropsTimerEnabled() const noexcept { return advPropsTimer_ && advPropsTimer_->Enabled(); }

void TPFormSettings::ForgetQueuedAdvProps(TComponent* component) noexcept {
    std::replace(advPropsQueue_.begin(), advPropsQueue_.end(), component, static_cast<TComponent*>(nullptr));
}

// Unnamed components wait for the next run of the timer. One component's
// failure (a stored value of the wrong type) is reported and does not hold
// up the others.
void TPFormSettings::AdvPropsTimerTick(TObject* /*sender*/) {
    advPropsTimer_->SetEnabled(false);
    // By index: adding settings may queue or forget components meanwhile.
    for (size_t i = 0; i < advPropsQueue_.size(); ++i) {
        TComponent* component = advPropsQueue_[i];
        if (!component || component->Name().empty()) continue;
        advPropsQueue_[i] = nullptr;
        try {
            AddAdvProps(component);
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
    std::erase(advPropsQueue_, nullptr);
}

void TPFormSettings::AddAdvProps(TComponent* component) {
    if (!component || component == this || component->ClassName().empty()) return;
    TPRegistry reg;
    if (!reg.OpenKey(kAdvPropsKey, false)) return;
    if (!reg.OpenKey(component->ClassName(), false)) return;
    TStringList names;
    reg.GetValueNames(names);
    for (int i = 0; i < names.Count(); ++i) {
        const std::string path = names[i];
        if (path.empty()) continue;
        const int32_t kind = reg.ReadInteger(path);
        TOwnedPtr<TPSetting> setting(TComponent::Create<TPSetting>(this));
        setting->BoundProperty = component->Name() + "." + path;
        setting->Encrypted = kind == kAdvPropEncrypted;
        setting->ResolveComponent();
        AppendSetting(setting.release());
    }
}
