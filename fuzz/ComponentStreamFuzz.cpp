// The component-stream reader: a form stream read as a root through the
// class registry, into the test classes that have every property kind.
// Whatever reads must write back, and the written stream must read and write
// again to the same bytes.

#include "FuzzClasses.h"
#include "FuzzSupport.h"
#include "platform/core/Filer.h"
#include "tests/core/FormFixture.h"

namespace {

TOwnedPtr<TComponent> Read(const fuzz::Bytes& bytes) {
    TMemoryStream stream(bytes);
    TReader reader(stream);
    return TOwnedPtr<TComponent>(reader.ReadRootComponent(nullptr));
}

fuzz::Bytes Write(TComponent& root) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(root);
    return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::RegisterFuzzClasses();
    formtest::LoadedLog().clear();
    TOwnedPtr<TComponent> root;
    try {
        root = Read(fuzz::Bytes(data, data + size));
    } catch (const Exception&) {
        return 0;
    }
    fuzz::Bytes written;
    try {
        written = Write(*root);
    } catch (const Exception& e) {
        std::fprintf(stderr, "writing back: %s\n", e.what());
        FUZZ_CHECK(false, "a form that reads writes back");
    }
    fuzz::Bytes again;
    try {
        again = Write(*Read(written));
    } catch (const Exception& e) {
        std::fprintf(stderr, "reading the written stream: %s\n", e.what());
        FUZZ_CHECK(false, "the written stream reads");
    }
    if (again != written) {
        fuzz::ShowDifference("written twice", written, again);
        // As text too, where the streams convert, so that the finding reads.
        try {
            fuzz::ShowDifference("written twice, as text", ObjectBinaryToText(written), ObjectBinaryToText(again));
        } catch (const Exception&) {
        }
    }
    FUZZ_CHECK(again == written, "reading and writing the written stream gives the same bytes");
    return 0;
}
