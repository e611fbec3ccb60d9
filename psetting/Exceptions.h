#pragma once
// The settings library's own errors. Both carry only their message.

#include "platform/core/Exceptions.h"

// A setting's value cannot be converted or set the way it was asked.
class EPSettingException : public Exception {
    using Exception::Exception;
};

// A settings container has no setting of the asked name.
class EPSettingsException : public Exception {
    using Exception::Exception;
};
