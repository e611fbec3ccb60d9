// The form-text parser: text -> binary -> text -> binary. Every text that
// parses gives a stream whose text parses again to the same stream, and
// that text is canonical (it comes back unchanged).

#include "FuzzSupport.h"
#include "platform/core/Filer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    fuzz::Bytes binary;
    try {
        binary = ObjectTextToBinary(text);
    } catch (const Exception&) {
        return 0;
    }
    std::string canonical, again;
    fuzz::Bytes binary2;
    try {
        canonical = ObjectBinaryToText(binary);
        binary2 = ObjectTextToBinary(canonical);
        again = ObjectBinaryToText(binary2);
    } catch (const Exception& e) {
        std::fprintf(stderr, "round trip of a parsed text: %s\n", e.what());
        FUZZ_CHECK(false, "the stream of a parsed text converts to text and back");
    }
    if (binary2 != binary) fuzz::ShowDifference("text -> binary -> text -> binary", binary, binary2);
    FUZZ_CHECK(binary2 == binary, "text -> binary -> text -> binary gives the same stream");
    if (again != canonical) fuzz::ShowDifference("binary -> text twice", canonical, again);
    FUZZ_CHECK(again == canonical, "the canonical text comes back unchanged");
    return 0;
}
