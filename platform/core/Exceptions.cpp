#include "platform/core/Exceptions.h"

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args) {
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            if (arg != args.end()) out += *arg++;
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}
