// The properties of the form settings component that drive its list of
// recently used files, and the list itself: what its entries show, which
// of them still exist, and a file just used coming to the top.

#include "psetting/PFormSettings.h"

#include "platform/win/FileNames.h"
#include "platform/win/Form.h"
#include "platform/win/Menus.h"
#include "platform/win/PathEllipsis.h"
#include "platform/win/Shell.h"

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

void TPFormSettings::ValidateMRUList() {
    for (int i = mruList_->Count() - 1; i >= 0; --i)
        if (!FileExists(mruList_->Get(i))) mruList_->Delete(i);
}

std::string TPFormSettings::GetMRUCaption(const std::string& fileName) const {
    switch (mruDisplay_) {
        case pmdFileOnly: {
            const size_t cut = fileName.find_last_of("\\:");
            return cut == std::string::npos ? fileName : fileName.substr(cut + 1);
        }
        case pmdAbbPath:
            return EllipsizePath(*form_, fileName, mruMaxItemWidth_);
        case pmdFullPath:
            break;
    }
    return fileName;
}

void TPFormSettings::AddMRUFile(const std::string& fileName) {
    if (fileName.empty() || mruLength_ == 0) return;
    for (int i = mruList_->Count() - 1; i >= 0; --i)
        if (SameFileName(mruList_->Get(i), fileName)) mruList_->Delete(i);
    mruList_->Insert(0, fileName);
    while (mruList_->Count() > mruLength_) mruList_->Delete(mruList_->Count() - 1);
    if (AddToRecentDocs && !IsDesigning()) AddToShellRecentDocs(fileName);
    UpdateMRUMenu();
}
