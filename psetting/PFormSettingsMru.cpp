// The properties of the form settings component that drive its list of
// recently used files, and the places where the list meets a menu.

#include "platform/win/Menus.h"
#include "psetting/PFormSettings.h"

void TPFormSettings::SetMRUMenuItem(TMenuItem* value) {
    if (value == mruMenuItem_) return;
    if (mruMenuItem_) {
        ClearMRUMenu();
        RemoveFreeNotification(mruMenuItem_);
    }
    mruMenuItem_ = value;
    // A freed menu item must not stay referenced.
    if (value) FreeNotification(value);
    UpdateMRUMenu();
}

void TPFormSettings::SetMRULength(int value) {
    if (value == mruLength_ || value < 0 || value > 9) return;
    mruLength_ = value;
    ClearMRUMenu();
    while (mruList_->Count() > mruLength_) mruList_->Delete(mruList_->Count() - 1);
    UpdateMRUMenu();
}

void TPFormSettings::SetMRUDisplay(TPMRUDisplayType value) {
    if (value == mruDisplay_) return;
    mruDisplay_ = value;
    UpdateMRUMenu();
}

void TPFormSettings::SetMRUMaxItemWidth(int value) {
    if (value == mruMaxItemWidth_ || value < 100 || value > 300) return;
    mruMaxItemWidth_ = value;
    UpdateMRUMenu();
}

void TPFormSettings::SetMRUPlacement(TPMRUPlacement value) {
    if (value == mruPlacement_) return;
    ClearMRUMenu();
    mruPlacement_ = value;
    UpdateMRUMenu();
}

void TPFormSettings::SetMRUValidate(bool value) {
    if (value == mruValidate_) return;
    ClearMRUMenu();
    mruValidate_ = value;
    UpdateMRUMenu();
}

// The list is not shown in a menu yet: there are no menu items to bring in
// line with it or to take away.
void TPFormSettings::UpdateMRUMenu() {}
void TPFormSettings::ClearMRUMenu() {}
