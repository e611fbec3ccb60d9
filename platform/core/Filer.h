#pragma once
// The component-stream encoding: the filer base and its reader and writer.
//
// Value tags (one byte each) precede every value:
//   0 end of list, 1 list, 2/3/4 8/16/32-bit integer, 5 extended, 6 string up
//   to 255 bytes, 7 identifier, 8 false, 9 true, 10 binary, 11 set, 12 long
//   string, 13 nil, 14 collection, 15 single, 16 currency, 17 date, 18 wide
//   string, 19 64-bit integer, 20 UTF-8 string.
// Strings of tags 6 and 12 carry bytes of the ANSI code page; wide strings
// UTF-16LE; in memory every string is UTF-8.
//
// A component is written as: [class name][component name][properties...] 0
// [owned children...] 0; a form stream starts with the signature "TPF0".
// Properties are a short-string name (dotted for nested objects, e.g.
// "Font.Name") followed by one value. Every malformed or truncated input
// raises EReadError; nothing reads past the end of the stream.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/core/Variant.h"

class TCollection;

enum class TValueType : uint8_t {
    Null = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WString = 18,
    Int64 = 19,
    Utf8String = 20,
};

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

class TFiler : public TObject {
    GLY_CLASS(TFiler)
public:
    // `stream` may be null for filers that only collect definitions.
    TFiler(TStream* stream, int bufSize) : stream_(stream), bufSize_(bufSize) {}

    virtual void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData,
                                bool hasData) = 0;
    virtual void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                                      bool hasData) = 0;
    virtual void FlushBuffer() = 0;

    TStream* Stream() const noexcept { return stream_; }
    int BufSize() const noexcept { return bufSize_; }
    TComponent* Root() const noexcept { return root_; }
    void SetRoot(TComponent* root) noexcept { root_ = root; }
    // The object this one inherits its stored values from (inherited forms);
    // null when there is none.
    TPersistent* Ancestor() const noexcept { return ancestor_; }
    void SetAncestor(TPersistent* ancestor) noexcept { ancestor_ = ancestor; }

private:
    TStream* stream_;
    int bufSize_;
    TComponent* root_ = nullptr;
    TPersistent* ancestor_ = nullptr;
};

class TReader : public TFiler {
    GLY_CLASS(TReader)
public:
    explicit TReader(TStream& stream, int bufSize = 4096);
    ~TReader() override;

    void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;
    void FlushBuffer() override {}

    // Values.
    TValueType ReadValue();
    TValueType NextValue();  // peeks
    void CheckValue(TValueType expected);  // reads a tag, raises unless it matches
    bool EndOfList();        // peeks for the end-of-list tag
    void ReadListBegin();
    void ReadListEnd();
    bool ReadBoolean();      // tag 9 true, tag 8 false, else invalid property value
    int32_t ReadInteger();   // tags 2, 3, 4
    int64_t ReadInt64();     // tags 2, 3, 4, 19
    long double ReadFloat(); // tags 5, 15, 16, 17 and integers
    std::string ReadString();      // tags 6, 12, 18, 20
    std::string ReadAnsiString();  // tags 6 and 12 only
    std::string ReadIdent();       // tags 7, 8, 9, 13 (as "False", "True", "nil")
    TVariant ReadVariant();
    std::vector<uint8_t> ReadBinary();  // tag 10
    void SkipValue();
    // Raw pieces without a tag: a short string (length byte + bytes), bytes.
    std::string ReadStr();
    void Read(void* buffer, size_t count);

    void ReadCollection(TCollection& collection);  // after the collection tag
    // Reads the published and defined properties of `instance` up to the end
    // of the list.
    void ReadProperties(TPersistent& instance);
    void ReadProperty(TPersistent& instance);

    // Reads a whole form stream ("TPF0" signature) into `root`, or into a new
    // component of the stream's class when `root` is null; creates the owned
    // components through the class registry, fixes references, then runs
    // Loaded on every component read, the root first, in creation order.
    TComponent* ReadRootComponent(TComponent* root);
    // Reads one component header and body; `component` may be an existing one
    // to read into (null creates it with Owner() as owner).
    TComponent* ReadComponent(TComponent* component);

    TComponent* Owner() const noexcept { return owner_; }
    void SetOwner(TComponent* owner) noexcept { owner_ = owner; }
    TComponent* Parent() const noexcept { return parent_; }
    void SetParent(TComponent* parent) noexcept { parent_ = parent; }
    // Name of the property being read, for the property-definition hook.
    const std::string& PropName() const noexcept { return propName_; }

private:
    struct Fixup {
        TPersistent* instance;
        const TPropInfo* prop;
        std::string name;
    };
    void ReadPropValue(TPersistent& instance, const TPropInfo& prop);
    void ReadSetValue(TPersistent& instance, const TPropInfo& prop);
    void ResolveFixups();
    void Enter();  // nesting guard against streams built to exhaust the stack
    void Leave() noexcept { --depth_; }
    [[noreturn]] void PropValueError();

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    std::string propName_;
    bool canHandleExceptions_ = false;
    bool propertyHandled_ = false;
    int depth_ = 0;
    std::vector<Fixup> fixups_;
    std::vector<TComponent*> loaded_;
};

class TWriter : public TFiler {
    GLY_CLASS(TWriter)
public:
    explicit TWriter(TStream& stream, int bufSize = 4096);
    ~TWriter() override;

    void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;
    void FlushBuffer() override {}

    void WriteValue(TValueType value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteBoolean(bool value);
    void WriteInteger(int64_t value);   // the smallest of tags 2, 3, 4, 19
    void WriteFloat(long double value); // tag 5
    // ASCII text as tag 6 (tag 12 beyond 255 bytes); anything else as tag 20,
    // so that no character is lost whatever the code page.
    void WriteString(const std::string& value);
    // Always tag 6 / 12 in the ANSI code page, for formats that require it.
    void WriteAnsiString(const std::string& value);
    void WriteWideString(const std::string& value);  // tag 18
    void WriteUtf8String(const std::string& value);  // tag 20
    void WriteIdent(const std::string& ident);       // False/True/nil map to tags 8/9/13
    void WriteVariant(const TVariant& value);
    void WriteBinary(const std::vector<uint8_t>& bytes);
    void WriteStr(const std::string& raw);  // short string without a tag
    void Write(const void* buffer, size_t count);

    void WriteCollection(const TCollection& collection);  // tag 14, items, end
    void WriteProperties(const TPersistent& instance);
    void WriteSignature();
    void WriteComponent(TComponent& component);
    // "TPF0", then the root with its children as GetChildren gives them.
    void WriteRootComponent(TComponent& root);

    TComponent* LookupRoot() const noexcept { return lookupRoot_; }

private:
    void WriteProperty(const TPersistent& instance, const TPropInfo& prop);
    void WritePropName(const std::string& name);
    std::string propPath_;
    TComponent* lookupRoot_ = nullptr;
};

// Form files: the readable text form, one to one with the binary stream.
//   object Name: TClass
//     Prop = 12 | -3 | $FF | 1.5 | 'text'#13#10'more' | Ident | True | nil
//     Set = [a, b]    List = ( 'a' 'b' )    Data = { 0A1B }
//     Items = < item  Prop = 1  end >
//     object Child: TClass ... end
//   end
// Non-ASCII text in quotes is UTF-8 and becomes tag 20; ASCII text tags 6/12.
std::vector<uint8_t> ObjectTextToBinary(std::string_view text);  // EParserError on bad text
std::string ObjectBinaryToText(const std::vector<uint8_t>& binary);

class EParserError : public EReadError {
    using EReadError::EReadError;
};
