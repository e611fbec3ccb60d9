#include "psetting/ValuePayload.h"

#include "platform/core/Collection.h"
#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "psetting/HiddenProps.h"

namespace {

constexpr int kFilerBufferSize = 1024;

std::vector<uint8_t> CollectionBytes(const TCollection& collection) {
    TMemoryStream stream;
    TWriter writer(stream, kFilerBufferSize);
    writer.WriteCollection(collection);
    return stream.Bytes();
}

// Reads items after the collection tag; `bytes` starts after it.
void ReadCollectionItems(TCollection& collection, const uint8_t* bytes, size_t size) {
    TMemoryStream stream(std::vector<uint8_t>(bytes, bytes + size));
    TReader reader(stream, kFilerBufferSize);
    reader.ReadCollection(collection);
}

// Reading clears the collection first, so a value that breaks off half way
// would leave it cut short: its items are put back from a copy instead.
void ReadCollectionOrKeep(TCollection& collection, const uint8_t* bytes, size_t size) {
    const std::vector<uint8_t> saved = CollectionBytes(collection);
    try {
        ReadCollectionItems(collection, bytes, size);
    } catch (...) {
        try {
            ReadCollectionItems(collection, saved.data() + 1, saved.size() - 1);
        } catch (...) {
        }
        throw;
    }
}

// The same for a hidden property: its reader may have set part of it when
// the data breaks off.
void ReadHiddenOrKeep(TPersistent& instance, const std::string& name, const uint8_t* bytes, size_t size) {
    const std::vector<uint8_t> saved = WriteHiddenPropertyData(instance, name);
    try {
        ReadHiddenPropertyData(instance, name, bytes, size);
    } catch (...) {
        try {
            ReadHiddenPropertyData(instance, name, saved.data(), saved.size());
        } catch (...) {
        }
        throw;
    }
}

TPersistent* HiddenOwner(const TPSetting& setting) {
    if (setting.Value.Kind != pvkHidden || !setting.Value.Object) return nullptr;
    return setting.Value.Object->As<TPersistent>();
}

TCollection* LiveCollection(const TPSetting& setting) {
    if (setting.Value.Kind != pvkCollection || !setting.Value.Object) return nullptr;
    return setting.Value.Object->As<TCollection>();
}

}  // namespace

void WriteValuePayload(TPSetting& setting, TValueStreamWriter& out) {
    const TPValue& v = setting.Value;
    switch (v.Kind) {
        case pvkNone: break;
        case pvkString:
        case pvkVariant:
        case pvkStrings: out.WriteString(v.Text); break;
        case pvkInteger: out.WriteInt32(v.Integer); break;
        case pvkFloat:
        case pvkDateTime: out.WriteExtended(v.Float); break;
        case pvkBoolean: out.WriteBoolean(v.Boolean); break;
        case pvkHidden:
            if (TPersistent* owner = HiddenOwner(setting))
                out.WriteBytes(WriteHiddenPropertyData(*owner, setting.HiddenPropertyName()));
            break;
        case pvkCollection:
            if (const TCollection* collection = LiveCollection(setting)) out.WriteBytes(CollectionBytes(*collection));
            break;
    }
}

bool ReadValuePayload(TPSetting& setting, TPValueKind kind, TValueStreamReader& in) {
    std::string text;
    int32_t integer = 0;
    long double number = 0;
    bool boolean = false;
    switch (kind) {
        case pvkString:
            if (!in.ReadString(text)) return false;
            setting.SetAsString(text);
            return true;
        case pvkInteger:
            if (!in.ReadInt32(integer)) return false;
            setting.SetAsInteger(integer);
            return true;
        case pvkFloat:
            if (!in.ReadExtended(number)) return false;
            setting.SetAsFloat(number);
            return true;
        case pvkBoolean:
            if (!in.ReadBoolean(boolean)) return false;
            setting.SetAsBoolean(boolean);
            return true;
        case pvkDateTime:
            if (!in.ReadExtended(number)) return false;
            setting.SetAsDateTime(double(number));
            return true;
        case pvkVariant:
            if (!in.ReadString(text)) return false;
            setting.SetAsVariant(TVariant(std::move(text)));
            return true;
        case pvkStrings:
            if (!in.ReadString(text)) return false;
            setting.SetAsString(text);
            setting.SetKind(pvkStrings);
            return true;
        case pvkHidden: {
            setting.ReadFromProperty();
            TPersistent* owner = HiddenOwner(setting);
            if (!owner) return false;
            ReadHiddenOrKeep(*owner, setting.HiddenPropertyName(), in.Current(), in.Remaining());
            return true;
        }
        case pvkCollection: {
            uint8_t marker = 0;
            if (!in.ReadByte(marker) || marker != uint8_t(TValueType::Collection)) return false;
            setting.ReadFromProperty();
            TCollection* collection = LiveCollection(setting);
            if (!collection) return false;
            ReadCollectionOrKeep(*collection, in.Current(), in.Remaining());
            return true;
        }
        case pvkNone: break;
    }
    return false;
}

void DecodeBinaryValue(TPSetting& setting, const std::vector<uint8_t>& data) {
    TValueStreamReader r(data);
    int32_t kind = 0;
    if (!r.ReadInt32(kind) || kind < int32_t(pvkFloat) || kind > int32_t(pvkCollection)) return;
    ReadValuePayload(setting, TPValueKind(kind), r);
}
