#pragma once
// Reading and writing a property that a component does not publish but
// streams itself through DefineProperties (a "hidden" property).
//
// A TPHiddenPropsUse is a filer that only records the definitions that an
// object's DefineProperties hands it; afterwards it runs the recorded reader
// or writer of one of them on a stream. It lives for one such access.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/Strings.h"

class TPHiddenPropsUse : public TFiler {
    GLY_CLASS(TPHiddenPropsUse)
public:
    enum class TDefinitionKind { ReaderWriter, Binary };

    TPHiddenPropsUse();
    ~TPHiddenPropsUse() override;

    // A definition is recorded only when it brings both procedures; the
    // has-data flag does not matter here.
    void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;
    void FlushBuffer() override {}

    // Runs the recorded procedure of `name` against `stream`: a reader/writer
    // definition through a fresh 1024-byte reader or writer, a binary one on
    // the stream itself. A name that was not defined does nothing; the
    // result says whether a definition ran.
    bool ReadProperty(const std::string& name, TStream& stream, TPersistent& instance);
    bool WriteProperty(const std::string& name, TStream& stream, TPersistent& instance);

    // The names defined, in definition order (searched with IndexOf, which
    // ignores ASCII case).
    TStringList Names;
    std::vector<TReaderProc> ReadProcs;
    std::vector<TWriterProc> WriteProcs;
    std::vector<TStreamProc> BinaryReadProcs;
    std::vector<TStreamProc> BinaryWriteProcs;
    std::vector<TDefinitionKind> Kinds;

private:
    void Record(const std::string& name, TDefinitionKind kind);
};

// Lets `instance` declare its streamed non-published properties to `filer`.
void CallDefineProperties(TPersistent& instance, TFiler& filer);

// Whether `instance` declares a hidden property of that name (ASCII case ignored).
bool HasHiddenProperty(TPersistent& instance, const std::string& name);

// The data of the hidden property `name` of `instance`, in the form-resource
// encoding; empty when no such property is defined.
std::vector<uint8_t> WriteHiddenPropertyData(TPersistent& Instance, const std::string& Name);
// Reads such data back into the property; an unknown name reads nothing.
void ReadHiddenPropertyData(TPersistent& Instance, const std::string& Name, const uint8_t* Data, size_t Size);
