// The form settings component's built-in values (the form's geometry, its
// window state, the screen it was on and the recently used files) and the
// transfers that carry them with the Settings list to and from the registry
// or the user's handlers.

#include <exception>
#include <string>

#include "platform/win/Application.h"
#include "platform/win/Form.h"
#include "platform/win/WindowPlacement.h"
#include "psetting/FormBounds.h"
#include "psetting/PFormSettings.h"
#include "psetting/PRegistry.h"

namespace {

TPSetting& AddValue(TPFormValues& values, const char* name) {
    values.emplace_back(TComponent::Create<TPSetting>(nullptr));
    values.back()->Name = name;
    return *values.back();
}

int StateNumber(TWindowState state) {
    switch (state) {
        case TWindowState::wsMinimized: return 1;
        case TWindowState::wsMaximized: return 2;
        default: return 0;
    }
}

// A stored value of a kind that does not convert (a date where a number
// belongs) counts as not stored: bad data must not keep the form from
// loading.
template <class T, class F>
T ConvertedOr(T fallback, F&& convert) {
    try {
        return convert();
    } catch (const EPSettingException&) {
        return fallback;
    }
}

}  // namespace

TPFormValues TPFormSettings::BuildFormValues() const {
    TPFormValues values;
    if (formSaveOpt_.Has(pfsLeft)) AddValue(values, "Left").SetAsInteger(-1);
    if (formSaveOpt_.Has(pfsTop)) AddValue(values, "Top").SetAsInteger(-1);
    if (formSaveOpt_.Has(pfsWidth)) AddValue(values, "Width").SetAsInteger(-1);
    if (formSaveOpt_.Has(pfsHeight)) AddValue(values, "Height").SetAsInteger(-1);
    if (formSaveOpt_.Has(pfsState)) {
        AddValue(values, "MainForm").SetAsBoolean(false);
        AddValue(values, "State").SetAsInteger(-1);
    }
    if (!formSaveOpt_.Empty()) AddValue(values, "ScreenRes").SetAsString("");
    if (mruLength_ > 0) AddValue(values, "MRUList");
    return values;
}

void TPFormSettings::ReadFormValues(TPFormValues& values) {
    // The normal rectangle is the one the form returns to, whether it is
    // minimized or maximized now; the system keeps it relative to the work
    // area. A form without a window is where its bounds say.
    HWND window = form_->HandleAllocated() ? form_->WindowHandle() : nullptr;
    TRect bounds = form_->BoundsRect();
    if (window) {
        const TRect normal = WindowNormalRect(window);
        const TRect work = DesktopWorkArea();
        bounds = {normal.left + work.left, normal.top + work.top, normal.right + work.left, normal.bottom + work.top};
    }
    for (const TOwnedPtr<TPSetting>& item : values) {
        const std::string& name = item->Name;
        if (name == "Left") {
            item->SetAsInteger(bounds.left);
        } else if (name == "Top") {
            item->SetAsInteger(bounds.top);
        } else if (name == "Width") {
            item->SetAsInteger(bounds.Width());
        } else if (name == "Height") {
            item->SetAsInteger(bounds.Height());
        } else if (name == "MainForm") {
            item->SetAsBoolean(IsMainForm());
        } else if (name == "State") {
            int state = StateNumber(form_->WindowState());
            appWasMinimized_ = false;
            if (IsMainForm() && Application && WindowShowsMinimized(Application->Handle())) {
                state = 1;
                appWasMinimized_ = true;
            }
            item->SetAsInteger(state);
        } else if (name == "MRUList") {
            while (mruList_->Count() > mruLength_) mruList_->Delete(mruList_->Count() - 1);
            item->SetAsStrings(*mruList_);
        } else if (name == "ScreenRes") {
            const TSize res = SurfaceResolution(window);
            item->SetAsString(ResolutionText(res.cx, res.cy));
        }
    }
}

void TPFormSettings::ApplyFormValues(TPFormValues& values) {
    int left = -1, top = -1, width = -1, height = -1;
    std::string savedRes;
    bool minimizeApp = false, minimizeForm = false, maximize = false;
    for (const TOwnedPtr<TPSetting>& item : values) {
        TPSetting& s = *item;
        auto integer = [&s] { return ConvertedOr<int>(-1, [&s] { return int(s.GetAsInteger()); }); };
        const std::string& name = s.Name;
        if (name == "Left") {
            left = integer();
        } else if (name == "Top") {
            top = integer();
        } else if (name == "Width") {
            width = integer();
        } else if (name == "Height") {
            height = integer();
        } else if (name == "ScreenRes") {
            savedRes = ConvertedOr<std::string>({}, [&s] { return s.GetAsString(); });
        } else if (name == "MainForm") {
            wasMainForm_ = ConvertedOr(false, [&s] { return s.GetAsBoolean(); });
        } else if (name == "State") {
            // "MainForm" comes first in the list, so WasMainForm is current here.
            const int state = integer();
            if (state == 1) (wasMainForm_ ? minimizeApp : minimizeForm) = true;
            if (state == 2) maximize = true;
        } else if (name == "MRUList") {
            if (s.Value.Kind != pvkNone) {
                mruList_->Clear();
                try {
                    s.GetAsStrings(*mruList_);
                } catch (const EPSettingException&) {
                    // Not a list: the list stays empty.
                }
            }
            UpdateMRUMenu();
        }
    }
    SetFormBounds(left, top, width, height, savedRes);
    if (minimizeApp && Application) PostMinimizeCommand(Application->Handle());
    if (minimizeForm) form_->SetWindowState(TWindowState::wsMinimized);
    if (maximize) form_->SetWindowState(TWindowState::wsMaximized);
}

void TPFormSettings::SetFormBounds(int left, int top, int width, int height, const std::string& savedRes) {
    // A form whose place the system chooses gets it when its window is made:
    // make the window now, so that the rules start from where the form
    // really is and what they set is where it shows.
    form_->HandleNeeded();
    const TSize res = SurfaceResolution(form_->WindowHandle());
    TFormBoundsRequest request;
    request.left = left;
    request.top = top;
    request.width = width;
    request.height = height;
    request.savedRes = savedRes;
    request.screenWidth = res.cx;
    request.screenHeight = res.cy;
    request.currentLeft = form_->Left();
    request.currentTop = form_->Top();
    request.currentWidth = form_->Width();
    request.currentHeight = form_->Height();
    request.centre = centre_;
    const TFormBounds b = ComputeFormBounds(request);
    form_->SetLeft(b.left);
    form_->SetTop(b.top);
    form_->SetWidth(b.width);
    form_->SetHeight(b.height);
}

void TPFormSettings::SaveToRegistry() {
    TPRegistry reg;
    SelectRoot(reg);
    const std::string key = GetKeyName();
    const std::vector<TPSetting*> list = Settings();
    for (TPSetting* s : list) s->WriteToRegistry(reg, key, SaveAll());
    TPFormValues values = BuildFormValues();
    ReadFormValues(values);
    for (const TOwnedPtr<TPSetting>& item : values) item->WriteToRegistry(reg, key, SaveAll());
}

void TPFormSettings::RestoreFromRegistry() {
    TPRegistry reg;
    SelectRoot(reg);
    const std::string key = GetKeyName();
    const std::vector<TPSetting*> list = Settings();
    for (TPSetting* s : list) s->ReadFromRegistry(reg, key);
    TPFormValues values = BuildFormValues();
    for (const TOwnedPtr<TPSetting>& item : values) item->ReadFromRegistry(reg, key);
    ApplyFormValues(values);
}

void TPFormSettings::DoUserSave() {
    if (!OnUserSave) return;
    CallUserSave();
    TPFormValues values = BuildFormValues();
    ReadFormValues(values);
    for (const TOwnedPtr<TPSetting>& item : values) OnUserSave(this, item.get());
}

void TPFormSettings::DoUserRestore() {
    if (!OnUserRestore) return;
    CallUserRestore();
    TPFormValues values = BuildFormValues();
    for (const TOwnedPtr<TPSetting>& item : values) OnUserRestore(this, item.get());
    ApplyFormValues(values);
}
