// ObjectBinaryToText: a component stream as readable, canonical form text.

#include <cstring>

#include "platform/core/Filer.h"
#include "platform/core/FloatText.h"
#include "platform/core/FormStrings.h"
#include "platform/core/Text.h"

namespace {

using floattext::TFloatFormat;

[[noreturn]] void InvalidImage() { throw EReadError(std::string(errors::kInvalidImage)); }

bool IsDottedIdent(std::string_view s) {
    for (size_t start = 0;;) {
        const size_t dot = s.find('.', start);
        if (!text::IsValidIdent(s.substr(start, dot == std::string_view::npos ? dot : dot - start))) return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

class BinaryToText {
public:
    explicit BinaryToText(const std::vector<uint8_t>& binary) : stream_(binary), reader_(stream_) {}

    std::string Run() {
        char signature[4];
        reader_.Read(signature, sizeof signature);
        if (std::memcmp(signature, "TPF0", 4) != 0) InvalidImage();
        Component(0);
        return std::move(out_);
    }

private:
    // Nesting guard, as deep as the reader allows.
    struct Nest {
        explicit Nest(int& depth) : depth_(depth) {
            if (++depth_ > TReader::kMaxDepth) InvalidImage();
        }
        ~Nest() { --depth_; }
        int& depth_;
    };

    void Indent(int level) { out_.append(size_t(level) * 2, ' '); }

    void Component(int level) {
        Nest nest(depth_);
        const auto first = uint8_t(reader_.NextValue());
        uint8_t flags = 0;
        int32_t position = 0;
        if ((first & 0xF0) == 0xF0) {
            reader_.ReadValue();
            flags = first & 0x0F;
            // Only what the keywords and [n] can say has a text form.
            if (flags == 0 || (flags & 8) || (flags & 5) == 5) InvalidImage();
            if (flags & 2) position = reader_.ReadInteger();
        }
        const std::string cls = reader_.ReadStr();
        const std::string name = reader_.ReadStr();
        if (!text::IsValidIdent(cls) || (!name.empty() && !text::IsValidIdent(name))) InvalidImage();
        Indent(level);
        out_ += (flags & 4) ? "inline " : (flags & 1) ? "inherited " : "object ";
        out_ += name.empty() ? cls : name + ": " + cls;
        if (flags & 2) out_ += " [" + std::to_string(position) + "]";
        out_ += '\n';
        while (!reader_.EndOfList()) Property(level + 1);
        reader_.ReadListEnd();
        while (!reader_.EndOfList()) Component(level + 1);
        reader_.ReadListEnd();
        Indent(level);
        out_ += "end\n";
    }

    void Property(int level) {
        const std::string name = reader_.ReadStr();
        if (!IsDottedIdent(name)) InvalidImage();
        Indent(level);
        out_ += name + " = ";
        Value(level);
        out_ += '\n';
    }

    void Value(int level);
    void ListValue(int level);
    void CollectionValue(int level);
    void FloatValue(TFloatFormat format, const char* suffix);
    void CurrencyValue();
    void BinaryValue(int level);
    void SetValue();
    void StringValue(int level, TValueType tag);
    std::string Bytes(size_t count) {
        std::string s(count, '\0');
        reader_.Read(s.data(), count);
        return s;
    }

    TMemoryStream stream_;
    TReader reader_;
    std::string out_;
    int depth_ = 0;
};

void BinaryToText::Value(int level) {
    const TValueType t = reader_.NextValue();
    switch (t) {
        case TValueType::Null:
            reader_.ReadValue();
            out_ += "Null";
            return;
        case TValueType::List: return ListValue(level);
        case TValueType::Int8:
        case TValueType::Int16:
        case TValueType::Int32:
        case TValueType::Int64: out_ += std::to_string(reader_.ReadInt64()); return;
        case TValueType::Extended: reader_.ReadValue(); return FloatValue(TFloatFormat::Extended, "");
        case TValueType::Single: reader_.ReadValue(); return FloatValue(TFloatFormat::Single, "s");
        case TValueType::Date: reader_.ReadValue(); return FloatValue(TFloatFormat::Double, "d");
        case TValueType::Currency: reader_.ReadValue(); return CurrencyValue();
        case TValueType::String:
        case TValueType::LString:
        case TValueType::WString:
        case TValueType::Utf8String: return StringValue(level, t);
        case TValueType::Ident: {
            reader_.ReadValue();
            const std::string ident = reader_.ReadStr();
            if (!IsDottedIdent(ident)) InvalidImage();
            out_ += ident;
            return;
        }
        case TValueType::False:
            reader_.ReadValue();
            out_ += "False";
            return;
        case TValueType::True:
            reader_.ReadValue();
            out_ += "True";
            return;
        case TValueType::Nil:
            reader_.ReadValue();
            out_ += "nil";
            return;
        case TValueType::Binary: return BinaryValue(level);
        case TValueType::Set: return SetValue();
        case TValueType::Collection: return CollectionValue(level);
    }
    throw EReadError(std::string(errors::kInvalidPropertyValue));
}

void BinaryToText::ListValue(int level) {
    Nest nest(depth_);
    reader_.ReadListBegin();
    out_ += '(';
    if (!reader_.EndOfList()) {
        out_ += '\n';
        while (!reader_.EndOfList()) {
            Indent(level + 1);
            Value(level + 1);
            out_ += '\n';
        }
        Indent(level);
    }
    reader_.ReadListEnd();
    out_ += ')';
}

void BinaryToText::CollectionValue(int level) {
    Nest nest(depth_);
    reader_.ReadValue();
    out_ += '<';
    if (!reader_.EndOfList()) {
        out_ += '\n';
        while (!reader_.EndOfList()) {
            Indent(level + 1);
            out_ += "item";
            const TValueType t = reader_.NextValue();
            if (t == TValueType::Int8 || t == TValueType::Int16 || t == TValueType::Int32 || t == TValueType::Int64)
                out_ += " [" + std::to_string(reader_.ReadInt64()) + "]";
            out_ += '\n';
            reader_.ReadListBegin();
            while (!reader_.EndOfList()) Property(level + 2);
            reader_.ReadListEnd();
            Indent(level + 1);
            out_ += "end\n";
        }
        Indent(level);
    }
    reader_.ReadListEnd();
    out_ += '>';
}

void BinaryToText::FloatValue(TFloatFormat format, const char* suffix) {
    const std::string image = Bytes(floattext::ImageSize(format));
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.data());
    if (const auto decimal = floattext::Format(bytes, format)) {
        out_ += *decimal + suffix;
        return;
    }
    static const char kHex[] = "0123456789ABCDEF";
    out_ += "X'";
    for (uint8_t b : image) {
        out_ += kHex[b >> 4];
        out_ += kHex[b & 15];
    }
    out_ += '\'';
}

void BinaryToText::CurrencyValue() {
    const std::string raw = Bytes(8);
    uint64_t v = 0;
    for (size_t i = 8; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(raw[i]);
    const bool negative = (v >> 63) != 0;
    const uint64_t magnitude = negative ? ~v + 1 : v;
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (fraction.size() > 1 && fraction.back() == '0') fraction.pop_back();
    // Appended piece by piece: GCC 12 at -O3 takes a chain of + on
    // temporaries for an overlapping copy (a false -Wrestrict).
    if (negative) out_ += '-';
    out_ += std::to_string(magnitude / 10000);
    out_ += '.';
    out_ += fraction;
    out_ += 'c';
}

void BinaryToText::BinaryValue(int level) {
    const std::vector<uint8_t> bytes = reader_.ReadBinary();
    static const char kHex[] = "0123456789ABCDEF";
    auto hex = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            out_ += kHex[bytes[i] >> 4];
            out_ += kHex[bytes[i] & 15];
        }
    };
    constexpr size_t kLine = 32;
    if (bytes.size() <= kLine) {
        out_ += '{';
        hex(0, bytes.size());
        out_ += '}';
        return;
    }
    out_ += "{\n";
    for (size_t i = 0; i < bytes.size(); i += kLine) {
        Indent(level + 1);
        hex(i, std::min(bytes.size(), i + kLine));
        out_ += '\n';
    }
    Indent(level);
    out_ += '}';
}

void BinaryToText::SetValue() {
    reader_.ReadValue();
    out_ += '[';
    bool first = true;
    for (std::string ident = reader_.ReadStr(); !ident.empty(); ident = reader_.ReadStr()) {
        if (!text::IsValidIdent(ident)) InvalidImage();
        if (!first) out_ += ", ";
        out_ += ident;
        first = false;
    }
    out_ += ']';
}

void BinaryToText::StringValue(int level, TValueType tag) {
    reader_.ReadValue();
    std::string payload;
    if (tag == TValueType::String)
        payload = reader_.ReadStr();
    else
        payload = Bytes(tag == TValueType::WString ? reader_.ReadSize(2) * 2 : reader_.ReadSize());
    const std::vector<std::string> chunks = formtext::StringText(tag, payload);
    for (size_t i = 0; i < chunks.size(); ++i) {
        if (i > 0) {
            out_ += " +\n";
            Indent(level + 1);
        }
        out_ += chunks[i];
    }
}

}  // namespace

std::string ObjectBinaryToText(const std::vector<uint8_t>& binary) { return BinaryToText(binary).Run(); }
