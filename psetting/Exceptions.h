#pragma once
// The settings library's own errors. They carry only their message.

#include "platform/core/Exceptions.h"

// A setting's value cannot be converted or set the way it was asked.
GLY_EXCEPTION(EPSettingException, Exception);

// A settings container has no setting of the asked name.
GLY_EXCEPTION(EPSettingsException, Exception);

// A form settings component was given an owner that is not a form.
GLY_EXCEPTION(EPFormSettingsException, Exception);
