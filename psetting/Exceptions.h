#pragma once
// The settings library's own errors. They carry only their message.

#include "platform/core/Exceptions.h"

// A setting's value cannot be converted or set the way it was asked.
class EPSettingException : public Exception {
    using Exception::Exception;
};

// A settings container has no setting of the asked name.
class EPSettingsException : public Exception {
    using Exception::Exception;
};

// A form settings component was given an owner that is not a form.
class EPFormSettingsException : public Exception {
    using Exception::Exception;
};
