#include "app/AppClasses.h"

#include "app/AppMainForm.h"

void RegisterAppClasses() { classes::Register(TMainForm::StaticClass()); }
