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
// A component is written as: [prefix][class name][component name]
// [properties...] 0 [children...] 0; a form stream starts with the signature
// "TPF0". The optional prefix is one byte 0xF0 | flags (1 inherited, 2 child
// position, 4 inline), followed by an integer value when flag 2 is set; the
// writer never needs one. Properties are a short-string name (dotted for
// nested objects, e.g. "Font.Name") followed by one value. Every malformed or
// truncated input raises EReadError; nothing reads past the end of the stream.
//
// The class name comes right where the prefix may stand, so its length byte
// must stay below 0xF0: a class name has at most 239 bytes. The writer and
// the form-text parser refuse a longer one (and any other name beyond the
// 255 bytes of a short string) with a message that names it, rather than
// write a stream that no reader takes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"
#include "platform/core/Variant.h"

class TCollection;

inline constexpr size_t kMaxClassNameLength = 239;
inline constexpr size_t kMaxShortStringLength = 255;

// "Class name X is too long for a component stream: 240 bytes, at most 239";
// `what` is "Class name", "Component name" or "Property name".
std::string NameTooLongMessage(std::string_view what, const std::string& name, size_t limit);

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

    virtual void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData, bool hasData) = 0;
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
    // Lists, collections and components nest at most this deep; a stream
    // built to go deeper is rejected before it can exhaust the stack.
    static constexpr int kMaxDepth = 64;

    explicit TReader(TStream& stream, int bufSize = 4096);
    ~TReader() override;

    // Called by DefineProperties while a property that is not published is
    // read: the definition whose name matches PropName() (ASCII case ignored)
    // reads the value. A binary one reads tag 10 into a memory stream first.
    void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;
    void FlushBuffer() override {}

    // Values. Every reader of a value raises EReadError "Invalid property
    // value" when the tag is not one it accepts.
    TValueType ReadValue();
    TValueType NextValue();                // peeks
    void CheckValue(TValueType expected);  // reads a tag, raises unless it matches
    bool EndOfList();                      // peeks for the end-of-list tag
    void ReadListBegin();
    void ReadListEnd();
    bool ReadBoolean();            // tag 9 true, tag 8 false, else invalid property value
    int32_t ReadInteger();         // tags 2, 3, 4
    int64_t ReadInt64();           // tags 2, 3, 4, 19
    long double ReadFloat();       // tags 5, 15, 16, 17 and integers
    std::string ReadString();      // tags 6, 12, 18, 20
    std::string ReadAnsiString();  // tags 6 and 12 only
    std::string ReadIdent();       // tags 7, 8, 9, 13 (as "False", "True", "nil")
    // Tag 0 gives Null, 13 Empty, 2-4 Integer, 19 Int64, 5/15/16 Double,
    // 17 Date, strings String, a list an Array.
    TVariant ReadVariant();
    std::vector<uint8_t> ReadBinary();  // tag 10
    void SkipValue();
    // Raw pieces without a tag: a short string (length byte + bytes, not
    // converted), bytes, and an Int32 count of `unitSize`-byte units that is
    // checked against the bytes left in the stream.
    std::string ReadStr();
    void Read(void* buffer, size_t count);
    size_t ReadSize(size_t unitSize = 1);

    // After the collection tag: clears the collection, then adds an item for
    // each entry (an optional integer order value, which is skipped, then
    // the item's properties as a list), up to the end of the list.
    void ReadCollection(TCollection& collection);
    // Reads the published and defined properties of `instance` until the end
    // of the list, which it leaves for the caller.
    void ReadProperties(TPersistent& instance);
    // One property. A dotted name walks published object properties; a name
    // that is neither published nor defined raises
    // "Error reading <component>.<dotted name>: Property <missing part> does
    // not exist". Exceptions of setters are raised again as EReadError with
    // their message.
    void ReadProperty(TPersistent& instance);

    // Reads a whole form stream ("TPF0" signature) into `root`, or into a new
    // component of the stream's class when `root` is null; creates the owned
    // components through the class registry, fixes references, then runs
    // Loaded on every component read, the root first, in creation order.
    // When it fails, the components already made stay with their owner
    // (a root made here is freed) and none of them is left loading.
    TComponent* ReadRootComponent(TComponent* root);
    // Reads one component header and body; `component` may be an existing one
    // to read into (null creates it with Owner() as owner). References and
    // Loaded are left to ReadRootComponent.
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
    class DepthGuard {
    public:
        explicit DepthGuard(TReader& reader) : reader_(reader) { reader_.Enter(); }
        ~DepthGuard() { reader_.Leave(); }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        TReader& reader_;
    };
    uint8_t ReadByte();
    void ReadComponentBody(TComponent& component);
    void ReadPropValue(TPersistent& instance, const TPropInfo& prop);
    void ReadSetValue(TPersistent& instance, const TPropInfo& prop);
    void ReadObjectValue(TPersistent& instance, const TPropInfo& prop);
    void ReadMethodValue(TPersistent& instance, const TPropInfo& prop);
    void ReadDefinedProperty(TPersistent& instance, const std::string& fullName);
    void DropFixupsWithin(const TCollection& collection);
    void ResolveFixups();
    void AbandonLoaded() noexcept;
    void Enter();  // nesting guard against streams built to exhaust the stack
    void Leave() noexcept { --depth_; }
    [[noreturn]] void PropValueError();

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    TComponent* component_ = nullptr;  // the component whose properties are read
    std::string propName_;
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

    // Writes the property (its name, then what writeData writes) when hasData.
    void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
    void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                              bool hasData) override;
    void FlushBuffer() override {}

    void WriteValue(TValueType value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteBoolean(bool value);
    void WriteInteger(int64_t value);    // the smallest of tags 2, 3, 4, 19
    void WriteFloat(long double value);  // tag 5
    void WriteSingle(float value);       // tag 15
    void WriteCurrency(int64_t scaled);  // tag 16: the value times 10000
    void WriteDate(double value);        // tag 17
    // Text in the ANSI code page as tag 6 (tag 12 beyond 255 bytes) when the
    // code page gives it back unchanged; otherwise as tag 20, so that no
    // character is lost.
    void WriteString(const std::string& value);
    // Always tag 6 / 12 in the ANSI code page, for formats that require it.
    void WriteAnsiString(const std::string& value);
    void WriteWideString(const std::string& value);  // tag 18
    void WriteUtf8String(const std::string& value);  // tag 20
    void WriteIdent(const std::string& ident);       // False/True/nil map to tags 8/9/13
    // Empty as nil (13), Null as tag 0, Int64 always as tag 19, arrays as a
    // list. A list cannot hold tag 0, so a Null inside an array is written
    // as nil.
    void WriteVariant(const TVariant& value);
    void WriteBinary(const std::vector<uint8_t>& bytes);
    void WriteStr(const std::string& raw);  // short string without a tag; EWriteError beyond 255 bytes
    void Write(const void* buffer, size_t count);

    void WriteCollection(const TCollection& collection);  // tag 14, items, end
    // The published properties that differ from their defaults (ordinals
    // other than their default, non-empty strings, variants and
    // collections, non-zero floats), in AllProps order, then those of
    // DefineProperties; no end-of-list tag. Components that the instance
    // does not own are written as references by name, other objects as
    // their own properties under the dotted name.
    void WriteProperties(const TPersistent& instance);
    void WriteSignature();
    void WriteComponent(TComponent& component);
    // "TPF0", then the root with its children as GetChildren gives them.
    void WriteRootComponent(TComponent& root);

    TComponent* LookupRoot() const noexcept { return lookupRoot_; }

private:
    void WriteProperty(const TPersistent& instance, const TPropInfo& prop);
    void WriteObjectProperty(const TPersistent& instance, const TPropInfo& prop);
    void WritePropName(const std::string& name);
    void WriteCounted(TValueType tag, const void* data, size_t count);
    // Tag 6, or tag 12 beyond 255 bytes, around bytes already in the code page.
    void WriteCodePageBytes(const std::string& bytes);
    std::string propPath_;
    TComponent* lookupRoot_ = nullptr;
};

// Form files: the readable text form, one to one with the binary stream.
//   object Name: TClass            (inherited / inline for flags 1 / 4;
//                                    "object TClass" when unnamed;
//                                    "object Name: TClass [3]" child position)
//     Prop = 12 | -3 | $FF | 'text'#13#10'more' | Ident | True | False | nil | Null
//     Prop = 1.5 (extended) | 1.5s (single) | 1.5c (currency) | 1.5d (date)
//     Set = [a, b]    List = ( 'a' 'b' )    Data = { 0A1B }
//     Items = < item  Prop = 1  end  item [2]  end >   ([2]: order value)
//     object Child: TClass ... end
//   end
// Properties come before children, as in the stream. Keywords ignore case
// and are no keywords before "=" (a property may be called Inline); "//"
// starts a comment; Null cannot be an item of a list (tag 0 would end it).
// Strings: '' is a quote, #nnn a character, pieces join without blanks, and
// "+" continues a string on the next line. Quoted text is UTF-8.
//   'abc'   the writer's choice: tag 6/12 where the code page holds the
//           text, tag 20 otherwise (#nnn is a Unicode code point)
//   A'abc'  tag 6/12 through the ANSI code page (#nnn is a byte)
//   U'abc'  tag 20 (#nnn is a byte of the UTF-8 payload)
//   W'abc'  tag 18 (#nnn is a UTF-16 unit)
// A float that no decimal reproduces exactly (infinity, NaN, an x87
// encoding that no number produces) is written as its stored bytes in hex:
// X'0000000000000080FF7F' with 10 bytes is an extended, 4 a single, 8 a date.
// Decimals convert exactly (FloatText.h); currency keeps four places.
// Binary to text gives canonical text (indentation of two blanks, the
// shortest decimals that give the same bytes, strings split every 64
// characters, the prefixes only where the plain form would not give the
// same bytes back); text gives binary in the writer's encoding. The round
// trip binary -> text -> binary reproduces every stream that uses the
// smallest integer tag, tag 12 only beyond 255 bytes, and identifiers other
// than True, False and nil, as TWriter writes.
std::vector<uint8_t> ObjectTextToBinary(std::string_view text);      // EParserError on bad text
std::string ObjectBinaryToText(const std::vector<uint8_t>& binary);  // EReadError on a bad stream

// "<what is wrong> on line <n>".
GLY_EXCEPTION(EParserError, EReadError);
