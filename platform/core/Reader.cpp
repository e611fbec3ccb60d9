// TReader: the values of the component-stream encoding.

#include <bit>
#include <limits>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Extended.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"

const TClassInfo& TFiler::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFiler>("TFiler", &TObject::StaticClass).Build();
    return info;
}

const TClassInfo& TReader::StaticClass() {
    static const TClassInfo info = TClassBuilder<TReader>("TReader", &TFiler::StaticClass).Build();
    return info;
}

namespace {

[[noreturn]] void InvalidImage() { throw EReadError(std::string(errors::kInvalidImage)); }

template <class T>
T ReadLittleEndian(TReader& reader) {
    uint8_t b[sizeof(T)];
    reader.Read(b, sizeof b);
    uint64_t v = 0;
    for (size_t i = sizeof(T); i-- > 0;) v = (v << 8) | b[i];
    return static_cast<T>(v);
}

bool IsIntegerTag(TValueType t) {
    return t == TValueType::Int8 || t == TValueType::Int16 || t == TValueType::Int32 || t == TValueType::Int64;
}

}  // namespace

TReader::TReader(TStream& stream, int bufSize) : TFiler(&stream, bufSize) {}

TReader::~TReader() = default;

void TReader::Enter() {
    if (depth_ >= kMaxDepth) InvalidImage();
    ++depth_;
}

void TReader::PropValueError() { throw EReadError(std::string(errors::kInvalidPropertyValue)); }

// ---- raw pieces -------------------------------------------------------------

void TReader::Read(void* buffer, size_t count) { Stream()->ReadBuffer(buffer, count); }

uint8_t TReader::ReadByte() {
    uint8_t b;
    Read(&b, 1);
    return b;
}

std::string TReader::ReadStr() {
    const uint8_t len = ReadByte();
    std::string s(len, '\0');
    Read(s.data(), len);
    return s;
}

size_t TReader::ReadSize(size_t unitSize) {
    const int32_t count = ReadLittleEndian<int32_t>(*this);
    if (count < 0) InvalidImage();
    // Checked before anything is allocated: a crafted count must not make
    // the reader ask for gigabytes that the stream does not have.
    if (int64_t(count) * int64_t(unitSize) > Stream()->Remaining()) throw EReadError(std::string(errors::kStreamRead));
    return size_t(count);
}

// ---- tags -------------------------------------------------------------------

TValueType TReader::ReadValue() { return TValueType(ReadByte()); }

TValueType TReader::NextValue() {
    const TValueType t = ReadValue();
    Stream()->Seek(-1, TSeekOrigin::Current);
    return t;
}

void TReader::CheckValue(TValueType expected) {
    if (ReadValue() != expected) PropValueError();
}

bool TReader::EndOfList() { return NextValue() == TValueType::Null; }

void TReader::ReadListBegin() { CheckValue(TValueType::List); }

void TReader::ReadListEnd() { CheckValue(TValueType::Null); }

// ---- values -----------------------------------------------------------------

bool TReader::ReadBoolean() {
    switch (ReadValue()) {
        case TValueType::True: return true;
        case TValueType::False: return false;
        default: PropValueError();
    }
}

int32_t TReader::ReadInteger() {
    switch (ReadValue()) {
        case TValueType::Int8: return ReadLittleEndian<int8_t>(*this);
        case TValueType::Int16: return ReadLittleEndian<int16_t>(*this);
        case TValueType::Int32: return ReadLittleEndian<int32_t>(*this);
        default: PropValueError();
    }
}

int64_t TReader::ReadInt64() {
    if (NextValue() == TValueType::Int64) {
        ReadValue();
        return ReadLittleEndian<int64_t>(*this);
    }
    return ReadInteger();
}

long double TReader::ReadFloat() {
    const TValueType t = NextValue();
    if (IsIntegerTag(t)) return static_cast<long double>(ReadInt64());
    ReadValue();
    switch (t) {
        case TValueType::Extended: {
            TExtended10 x;
            Read(x.bytes.data(), x.bytes.size());
            return x.ToLongDouble();
        }
        case TValueType::Single: return std::bit_cast<float>(ReadLittleEndian<uint32_t>(*this));
        case TValueType::Currency: return static_cast<long double>(ReadLittleEndian<int64_t>(*this)) / 10000;
        case TValueType::Date: return std::bit_cast<double>(ReadLittleEndian<uint64_t>(*this));
        default: PropValueError();
    }
}

std::string TReader::ReadString() {
    switch (NextValue()) {
        case TValueType::String:
        case TValueType::LString: return ReadAnsiString();
        case TValueType::WString: {
            ReadValue();
            std::u16string units(ReadSize(2), u'\0');
            for (char16_t& u : units) u = ReadLittleEndian<char16_t>(*this);
            return text::Utf16ToUtf8(units);
        }
        case TValueType::Utf8String: {
            ReadValue();
            std::string s(ReadSize(), '\0');
            Read(s.data(), s.size());
            return s;
        }
        default: ReadValue(); PropValueError();
    }
}

std::string TReader::ReadAnsiString() {
    std::string bytes;
    switch (ReadValue()) {
        case TValueType::String: bytes = ReadStr(); break;
        case TValueType::LString:
            bytes.resize(ReadSize());
            Read(bytes.data(), bytes.size());
            break;
        default: PropValueError();
    }
    return text::AnsiToUtf8(bytes);
}

std::string TReader::ReadIdent() {
    switch (ReadValue()) {
        case TValueType::Ident: return ReadStr();
        case TValueType::False: return "False";
        case TValueType::True: return "True";
        case TValueType::Nil: return "nil";
        default: PropValueError();
    }
}

std::vector<uint8_t> TReader::ReadBinary() {
    CheckValue(TValueType::Binary);
    std::vector<uint8_t> bytes(ReadSize());
    Read(bytes.data(), bytes.size());
    return bytes;
}

TVariant TReader::ReadVariant() {
    const TValueType t = NextValue();
    switch (t) {
        case TValueType::Null: ReadValue(); return TVariant::Null();
        case TValueType::Nil: ReadValue(); return TVariant();
        case TValueType::False:
        case TValueType::True: return TVariant(ReadBoolean());
        case TValueType::Int8:
        case TValueType::Int16:
        case TValueType::Int32: return TVariant(int(ReadInteger()));
        case TValueType::Int64: return TVariant(ReadInt64());
        case TValueType::Extended:
        case TValueType::Single:
        case TValueType::Currency: return TVariant(double(ReadFloat()));
        case TValueType::Date: return TVariant::FromDate(double(ReadFloat()));
        case TValueType::String:
        case TValueType::LString:
        case TValueType::WString:
        case TValueType::Utf8String: return TVariant(ReadString());
        case TValueType::List: {
            DepthGuard guard(*this);
            ReadValue();
            std::vector<TVariant> items;
            while (!EndOfList()) items.push_back(ReadVariant());
            ReadListEnd();
            return TVariant::Array(std::move(items));
        }
        default: ReadValue(); PropValueError();
    }
}

void TReader::SkipValue() {
    auto skip = [this](int64_t count) {
        if (count > Stream()->Remaining()) throw EReadError(std::string(errors::kStreamRead));
        Stream()->Seek(count, TSeekOrigin::Current);
    };
    const TValueType t = ReadValue();
    switch (t) {
        case TValueType::Null:
        case TValueType::False:
        case TValueType::True:
        case TValueType::Nil: return;
        case TValueType::List: {
            DepthGuard guard(*this);
            while (!EndOfList()) SkipValue();
            ReadListEnd();
            return;
        }
        case TValueType::Int8: return skip(1);
        case TValueType::Int16: return skip(2);
        case TValueType::Int32:
        case TValueType::Single: return skip(4);
        case TValueType::Int64:
        case TValueType::Currency:
        case TValueType::Date: return skip(8);
        case TValueType::Extended: return skip(10);
        case TValueType::String:
        case TValueType::Ident: return skip(ReadByte());
        case TValueType::Binary:
        case TValueType::LString:
        case TValueType::Utf8String: return skip(int64_t(ReadSize()));
        case TValueType::WString: return skip(int64_t(ReadSize(2)) * 2);
        case TValueType::Set:
            while (!ReadStr().empty()) {
            }
            return;
        case TValueType::Collection: {
            DepthGuard guard(*this);
            while (!EndOfList()) {
                if (IsIntegerTag(NextValue())) ReadInt64();
                ReadListBegin();
                while (!EndOfList()) {
                    ReadStr();
                    SkipValue();
                }
                ReadListEnd();
            }
            ReadListEnd();
            return;
        }
    }
    PropValueError();
}

// ---- defined properties -----------------------------------------------------

void TReader::DefineProperty(const std::string& name, TReaderProc readData, TWriterProc /*writeData*/,
                             bool /*hasData*/) {
    if (propertyHandled_ || !readData || !text::SameText(name, propName_)) return;
    propertyHandled_ = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc /*writeData*/,
                                   bool /*hasData*/) {
    if (propertyHandled_ || !readData || !text::SameText(name, propName_)) return;
    propertyHandled_ = true;
    TMemoryStream data(ReadBinary());
    readData(data);
}
