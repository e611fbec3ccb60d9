// TWriter: values, properties through reflection, components.

#include <bit>
#include <limits>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Extended.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"

const TClassInfo& TWriter::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWriter>("TWriter", &TFiler::StaticClass).Build();
    return info;
}

namespace {

[[noreturn]] void WriteFailure() { throw EWriteError(std::string(errors::kStreamWrite)); }

template <class T>
void WriteLittleEndian(TWriter& writer, T value) {
    uint8_t b[sizeof(T)];
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) {
        b[i] = uint8_t(v & 0xFF);
        v = static_cast<decltype(v)>(v >> 8);
    }
    writer.Write(b, sizeof b);
}

bool IsAscii(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

TWriter::TWriter(TStream& stream, int bufSize) : TFiler(&stream, bufSize) {}

TWriter::~TWriter() = default;

// ---- values -----------------------------------------------------------------

void TWriter::Write(const void* buffer, size_t count) { Stream()->WriteBuffer(buffer, count); }

void TWriter::WriteValue(TValueType value) {
    const uint8_t b = uint8_t(value);
    Write(&b, 1);
}

void TWriter::WriteListBegin() { WriteValue(TValueType::List); }

void TWriter::WriteListEnd() { WriteValue(TValueType::Null); }

void TWriter::WriteBoolean(bool value) { WriteValue(value ? TValueType::True : TValueType::False); }

void TWriter::WriteInteger(int64_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        WriteValue(TValueType::Int8);
        WriteLittleEndian(*this, int8_t(value));
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        WriteValue(TValueType::Int16);
        WriteLittleEndian(*this, int16_t(value));
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        WriteValue(TValueType::Int32);
        WriteLittleEndian(*this, int32_t(value));
    } else {
        WriteValue(TValueType::Int64);
        WriteLittleEndian(*this, value);
    }
}

void TWriter::WriteFloat(long double value) {
    WriteValue(TValueType::Extended);
    const TExtended10 x = TExtended10::FromLongDouble(value);
    Write(x.bytes.data(), x.bytes.size());
}

void TWriter::WriteSingle(float value) {
    WriteValue(TValueType::Single);
    WriteLittleEndian(*this, std::bit_cast<uint32_t>(value));
}

void TWriter::WriteCurrency(int64_t scaled) {
    WriteValue(TValueType::Currency);
    WriteLittleEndian(*this, scaled);
}

void TWriter::WriteDate(double value) {
    WriteValue(TValueType::Date);
    WriteLittleEndian(*this, std::bit_cast<uint64_t>(value));
}

void TWriter::WriteStr(const std::string& raw) {
    if (raw.size() > 255) WriteFailure();
    const uint8_t len = uint8_t(raw.size());
    Write(&len, 1);
    Write(raw.data(), raw.size());
}

void TWriter::WriteCounted(TValueType tag, const void* data, size_t count) {
    if (count > size_t(std::numeric_limits<int32_t>::max())) WriteFailure();
    WriteValue(tag);
    WriteLittleEndian(*this, int32_t(count));
    Write(data, count);
}

void TWriter::WriteCodePageBytes(const std::string& bytes) {
    if (bytes.size() <= 255) {
        WriteValue(TValueType::String);
        WriteStr(bytes);
    } else {
        WriteCounted(TValueType::LString, bytes.data(), bytes.size());
    }
}

void TWriter::WriteString(const std::string& value) {
    if (IsAscii(value)) return WriteCodePageBytes(value);
    // Other readers of these streams know text only as code-page bytes, so
    // every text that the code page gives back unchanged is written that
    // way. Tag 20 (UTF-8) is this format's one extension: it carries only
    // text with a character the code page cannot hold, which would
    // otherwise be lost.
    if (const auto bytes = text::ExactAnsi(value)) return WriteCodePageBytes(*bytes);
    WriteUtf8String(value);
}

void TWriter::WriteAnsiString(const std::string& value) { WriteCodePageBytes(text::Utf8ToAnsi(value)); }

void TWriter::WriteWideString(const std::string& value) {
    const std::u16string units = text::Utf8ToUtf16(value);
    if (units.size() > size_t(std::numeric_limits<int32_t>::max() / 2)) WriteFailure();
    WriteValue(TValueType::WString);
    WriteLittleEndian(*this, int32_t(units.size()));
    for (char16_t u : units) WriteLittleEndian(*this, uint16_t(u));
}

void TWriter::WriteUtf8String(const std::string& value) {
    WriteCounted(TValueType::Utf8String, value.data(), value.size());
}

void TWriter::WriteIdent(const std::string& ident) {
    if (text::SameText(ident, "False"))
        WriteValue(TValueType::False);
    else if (text::SameText(ident, "True"))
        WriteValue(TValueType::True);
    else if (text::SameText(ident, "nil"))
        WriteValue(TValueType::Nil);
    else {
        WriteValue(TValueType::Ident);
        WriteStr(ident);
    }
}

void TWriter::WriteVariant(const TVariant& value) {
    switch (value.VarType()) {
        case TVariant::Type::Empty: return WriteValue(TValueType::Nil);
        case TVariant::Type::Null: return WriteValue(TValueType::Null);
        case TVariant::Type::Boolean: return WriteBoolean(value.AsBool());
        case TVariant::Type::Integer: return WriteInteger(value.AsInt64());
        case TVariant::Type::Int64:
            // Tag 19 whatever the value, so that it reads back as an Int64.
            WriteValue(TValueType::Int64);
            return WriteLittleEndian(*this, value.AsInt64());
        case TVariant::Type::Double: return WriteFloat(value.AsDouble());
        case TVariant::Type::Date: return WriteDate(value.AsDouble());
        case TVariant::Type::String: return WriteString(value.ToText());
        case TVariant::Type::Array:
            WriteListBegin();
            for (const TVariant& item : value.Items()) {
                if (item.IsNull())
                    WriteValue(TValueType::Nil);
                else
                    WriteVariant(item);
            }
            return WriteListEnd();
    }
}

void TWriter::WriteBinary(const std::vector<uint8_t>& bytes) {
    WriteCounted(TValueType::Binary, bytes.data(), bytes.size());
}

// ---- defined properties -----------------------------------------------------

void TWriter::DefineProperty(const std::string& name, TReaderProc /*readData*/, TWriterProc writeData, bool hasData) {
    if (!hasData || !writeData) return;
    WritePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& name, TStreamProc /*readData*/, TStreamProc writeData,
                                   bool hasData) {
    if (!hasData || !writeData) return;
    TMemoryStream data;
    writeData(data);
    WritePropName(name);
    WriteBinary(data.Bytes());
}

void TWriter::WritePropName(const std::string& name) {
    const std::string full = propPath_ + name;
    if (full.size() > kMaxShortStringLength)
        throw EWriteError(NameTooLongMessage("Property name", full, kMaxShortStringLength));
    WriteStr(full);
}

std::string NameTooLongMessage(std::string_view what, const std::string& name, size_t limit) {
    return FormatText(errors::kNameTooLong, {what, name, std::to_string(name.size()), std::to_string(limit)});
}
