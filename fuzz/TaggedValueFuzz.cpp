// Single tagged values of the component stream. The first byte picks the
// reader; the rest is the value. A value that reads must take as many bytes
// as SkipValue skips, and what is read must write and read back unchanged.

#include <functional>

#include "FuzzClasses.h"
#include "FuzzSupport.h"
#include "platform/core/Collection.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"
#include "tests/core/FormFixture.h"

namespace {

using fuzz::Bytes;

Bytes Written(const std::function<void(TWriter&)>& write) {
    TMemoryStream stream;
    TWriter writer(stream);
    write(writer);
    return stream.Bytes();
}

// Where SkipValue stops on `bytes`; -1 when it refuses them.
int64_t SkipEnd(const Bytes& bytes) {
    TMemoryStream stream(bytes);
    TReader reader(stream);
    try {
        reader.SkipValue();
    } catch (const Exception&) {
        return -1;
    }
    return stream.Position();
}

// Reads one value with `read`; gives where the reader stopped, or -1 when
// the value is refused.
int64_t ReadEnd(const Bytes& bytes, const std::function<void(TReader&)>& read) {
    TMemoryStream stream(bytes);
    TReader reader(stream);
    try {
        read(reader);
    } catch (const Exception&) {
        return -1;
    }
    return stream.Position();
}

void CheckExtent(const Bytes& bytes, int64_t end) {
    if (end < 0) return;
    const int64_t skipped = SkipEnd(bytes);
    if (skipped != end) std::fprintf(stderr, "read to %lld, skipped to %lld\n", (long long)end, (long long)skipped);
    FUZZ_CHECK(skipped == end, "SkipValue skips exactly the value that was read");
}

// Reads with `read`, writes the result with `write`; the written bytes
// must read back and write again to themselves.
template <class T>
void CheckRoundTrip(const Bytes& bytes, const std::function<T(TReader&)>& read,
                    const std::function<void(TWriter&, const T&)>& write) {
    T value{};
    CheckExtent(bytes, ReadEnd(bytes, [&](TReader& r) { value = read(r); }));
    if (ReadEnd(bytes, [&](TReader& r) { value = read(r); }) < 0) return;
    const Bytes once = Written([&](TWriter& w) { write(w, value); });
    T again{};
    const int64_t end = ReadEnd(once, [&](TReader& r) { again = read(r); });
    FUZZ_CHECK(end == int64_t(once.size()), "a written value reads back whole");
    const Bytes twice = Written([&](TWriter& w) { write(w, again); });
    if (twice != once) fuzz::ShowDifference("written twice", once, twice);
    FUZZ_CHECK(twice == once, "a value read back writes the same bytes");
}

void CollectionRoundTrip(const Bytes& bytes) {
    auto read = [](TReader& r, TCollection& c) {
        r.CheckValue(TValueType::Collection);
        r.ReadCollection(c);
    };
    TCollection first(formtest::TTestItem::StaticClass());
    CheckExtent(bytes, ReadEnd(bytes, [&](TReader& r) { read(r, first); }));
    const Bytes once = Written([&](TWriter& w) { w.WriteCollection(first); });
    TCollection second(formtest::TTestItem::StaticClass());
    FUZZ_CHECK(ReadEnd(once, [&](TReader& r) { read(r, second); }) == int64_t(once.size()),
               "a written collection reads back whole");
    const Bytes twice = Written([&](TWriter& w) { w.WriteCollection(second); });
    FUZZ_CHECK(twice == once, "a collection read back writes the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RegisterFuzzClasses();
    fuzz::TInput input(data, size);
    const uint8_t mode = input.Byte();
    const Bytes bytes = input.Rest();
    switch (mode % 11) {
        case 0:
            CheckRoundTrip<TVariant>(
                bytes, [](TReader& r) { return r.ReadVariant(); },
                [](TWriter& w, const TVariant& v) { w.WriteVariant(v); });
            break;
        case 1: SkipEnd(bytes); break;
        case 2:
            CheckRoundTrip<std::string>(
                bytes, [](TReader& r) { return r.ReadString(); },
                [](TWriter& w, const std::string& s) { w.WriteString(s); });
            break;
        case 3:
            CheckExtent(bytes, ReadEnd(bytes, [](TReader& r) { r.ReadAnsiString(); }));
            break;
        case 4: {
            std::string ident;
            CheckExtent(bytes, ReadEnd(bytes, [&](TReader& r) { ident = r.ReadIdent(); }));
            break;
        }
        case 5:
            CheckRoundTrip<long double>(
                bytes, [](TReader& r) { return r.ReadFloat(); },
                [](TWriter& w, const long double& v) { w.WriteFloat(v); });
            break;
        case 6:
            CheckRoundTrip<int64_t>(
                bytes, [](TReader& r) { return r.ReadInt64(); },
                [](TWriter& w, const int64_t& v) { w.WriteInteger(v); });
            break;
        case 7:
            CheckExtent(bytes, ReadEnd(bytes, [](TReader& r) { r.ReadInteger(); }));
            break;
        case 8:
            CheckRoundTrip<bool>(
                bytes, [](TReader& r) { return r.ReadBoolean(); }, [](TWriter& w, const bool& v) { w.WriteBoolean(v); });
            break;
        case 9:
            CheckRoundTrip<Bytes>(
                bytes, [](TReader& r) { return r.ReadBinary(); }, [](TWriter& w, const Bytes& v) { w.WriteBinary(v); });
            break;
        case 10: CollectionRoundTrip(bytes); break;
    }
    return 0;
}
