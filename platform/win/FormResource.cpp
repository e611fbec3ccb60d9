#include "platform/win/FormResource.h"

#include <cstring>

#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/core/Text.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

std::vector<uint8_t> FindFormResource(std::string_view className) {
    const std::string name = text::AsciiUpperCase(className);
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC info = ::FindResourceW(module, Wide(name).c_str(), RT_RCDATA);
    HGLOBAL loaded = info ? ::LoadResource(module, info) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes) throw EResNotFound(FormatText("Resource %s not found", {name}));
    const auto* first = static_cast<const uint8_t*>(bytes);
    return std::vector<uint8_t>(first, first + ::SizeofResource(module, info));
}

void ReadFormData(TComponent& root, const std::vector<uint8_t>& data) {
    static constexpr char kSignature[] = {'T', 'P', 'F', '0'};
    const bool binary = data.size() >= sizeof kSignature && std::memcmp(data.data(), kSignature, sizeof kSignature) == 0;
    std::string_view textForm(reinterpret_cast<const char*>(data.data()), data.size());
    if (textForm.substr(0, 3) == "\xEF\xBB\xBF") textForm.remove_prefix(3);  // an editor's UTF-8 mark
    TMemoryStream stream(binary ? data : ObjectTextToBinary(textForm));
    TReader reader(stream);
    reader.ReadRootComponent(&root);
}
