// The filer that records property definitions, and access to one of them.

#include "psetting/HiddenProps.h"

#include <memory>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Stream.h"

namespace {
constexpr int kHiddenBufSize = 1024;
}

const TClassInfo& TPHiddenPropsUse::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPHiddenPropsUse>("TPHiddenPropsUse", &TFiler::StaticClass).Build();
    return info;
}

TPHiddenPropsUse::TPHiddenPropsUse() : TFiler(nullptr, kHiddenBufSize) {}

TPHiddenPropsUse::~TPHiddenPropsUse() = default;

void TPHiddenPropsUse::Record(const std::string& name, TDefinitionKind kind) {
    Names.Add(name);
    Kinds.push_back(kind);
}

void TPHiddenPropsUse::DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData,
                                      bool /*hasData*/) {
    if (!readData || !writeData) return;
    Record(name, TDefinitionKind::ReaderWriter);
    ReadProcs.push_back(std::move(readData));
    WriteProcs.push_back(std::move(writeData));
    BinaryReadProcs.emplace_back();
    BinaryWriteProcs.emplace_back();
}

void TPHiddenPropsUse::DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                                            bool /*hasData*/) {
    if (!readData || !writeData) return;
    Record(name, TDefinitionKind::Binary);
    ReadProcs.emplace_back();
    WriteProcs.emplace_back();
    BinaryReadProcs.push_back(std::move(readData));
    BinaryWriteProcs.push_back(std::move(writeData));
}

// The recorded procedures are closures over the object whose DefineProperties
// made them, so `instance` must be that object; it is the one the caller
// collected the definitions from.
bool TPHiddenPropsUse::ReadProperty(const std::string& name, TStream& stream, TPersistent& /*instance*/) {
    const int i = Names.IndexOf(name);
    if (i < 0) return false;
    if (Kinds[size_t(i)] == TDefinitionKind::Binary) {
        BinaryReadProcs[size_t(i)](stream);
        return true;
    }
    TReader reader(stream, kHiddenBufSize);
    ReadProcs[size_t(i)](reader);
    return true;
}

bool TPHiddenPropsUse::WriteProperty(const std::string& name, TStream& stream, TPersistent& /*instance*/) {
    const int i = Names.IndexOf(name);
    if (i < 0) return false;
    if (Kinds[size_t(i)] == TDefinitionKind::Binary) {
        BinaryWriteProcs[size_t(i)](stream);
        return true;
    }
    TWriter writer(stream, kHiddenBufSize);
    WriteProcs[size_t(i)](writer);
    writer.FlushBuffer();
    return true;
}

void CallDefineProperties(TPersistent& instance, TFiler& filer) {
    instance.DefineProperties(filer);
}

bool HasHiddenProperty(TPersistent& instance, const std::string& name) {
    TPHiddenPropsUse use;
    CallDefineProperties(instance, use);
    return use.Names.IndexOf(name) >= 0;
}

std::vector<uint8_t> WriteHiddenPropertyData(TPersistent& Instance, const std::string& Name) {
    TPHiddenPropsUse use;
    CallDefineProperties(Instance, use);
    TMemoryStream stream;
    if (!use.WriteProperty(Name, stream, Instance)) return {};
    return stream.Bytes();
}

void ReadHiddenPropertyData(TPersistent& Instance, const std::string& Name, const uint8_t* Data, size_t Size) {
    TPHiddenPropsUse use;
    CallDefineProperties(Instance, use);
    TMemoryStream stream(std::vector<uint8_t>(Data, Data + Size));
    use.ReadProperty(Name, stream, Instance);
}
