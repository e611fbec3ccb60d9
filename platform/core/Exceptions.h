#pragma once
// The toolkit's exception family. Every error the program reports is one of
// these, carrying the exact text that the user sees.

#include <stdexcept>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// Declares `Name`, an exception kind below `Base` that carries only its
// message: GLY_EXCEPTION(EPrinter, Exception);
#define GLY_EXCEPTION(Name, Base) \
    class Name : public Base {    \
    public:                       \
        using Base::Base;         \
    }

// Replaces each "%s" in `format`, in order, with the next argument.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args);

GLY_EXCEPTION(EStreamError, Exception);
GLY_EXCEPTION(EReadError, EStreamError);
GLY_EXCEPTION(EWriteError, EStreamError);
GLY_EXCEPTION(EClassNotFound, EReadError);
GLY_EXCEPTION(EComponentError, Exception);
GLY_EXCEPTION(EPropertyError, Exception);
GLY_EXCEPTION(EConvertError, Exception);
GLY_EXCEPTION(EVariantError, Exception);
GLY_EXCEPTION(EListError, Exception);

// Fixed texts raised by the stream reader and writer.
namespace errors {
inline constexpr std::string_view kInvalidPropertyValue = "Invalid property value";
inline constexpr std::string_view kStreamRead = "Stream read error";
inline constexpr std::string_view kStreamWrite = "Stream write error";
inline constexpr std::string_view kInvalidImage = "Invalid stream format";
inline constexpr std::string_view kClassNotFound = "Class %s not found";
inline constexpr std::string_view kPropertyDoesNotExist = "Error reading %s.%s: Property %s does not exist";
inline constexpr std::string_view kUnresolvedReference = "Unresolved reference to %s";
inline constexpr std::string_view kDuplicateName = "A component named %s already exists";
inline constexpr std::string_view kInvalidName = "''%s'' is not a valid component name";
inline constexpr std::string_view kListIndex = "List index out of bounds (%s)";
inline constexpr std::string_view kNameTooLong = "%s %s is too long for a component stream: %s bytes, at most %s";
}  // namespace errors
