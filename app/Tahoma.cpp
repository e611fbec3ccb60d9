#include "app/Tahoma.h"

#include "app/FontFamilies.h"
#include "platform/core/Text.h"
#include "platform/win/Application.h"

void SubstituteTahoma() { SubstituteTahoma(FontFamilies()); }

void SubstituteTahoma(const std::vector<std::string>& families) {
    for (const std::string& family : families)
        if (text::SameText(family, "Tahoma")) return;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* form = Application->Components(i)->As<TCustomForm>()) form->Font()->SetName(std::string(kDefaultFace));
}
