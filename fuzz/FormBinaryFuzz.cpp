// Binary -> text -> binary -> text. Every stream that converts to text gives
// a text that parses, and from there the conversions are stable both ways.

#include "FuzzSupport.h"
#include "platform/core/Filer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text;
    try {
        text = ObjectBinaryToText(fuzz::Bytes(data, data + size));
    } catch (const Exception&) {
        return 0;
    }
    fuzz::Bytes binary, binary2;
    std::string text2;
    try {
        binary = ObjectTextToBinary(text);
        text2 = ObjectBinaryToText(binary);
        binary2 = ObjectTextToBinary(text2);
    } catch (const Exception& e) {
        std::fprintf(stderr, "converting back:\n%s\n%s\n", text.c_str(), e.what());
        FUZZ_CHECK(false, "the text of a stream parses, and its stream converts again");
    }
    if (text2 != text) fuzz::ShowDifference("binary -> text -> binary -> text", text, text2);
    FUZZ_CHECK(text2 == text, "binary -> text -> binary -> text gives the same text");
    if (binary2 != binary) fuzz::ShowDifference("text -> binary twice", binary, binary2);
    FUZZ_CHECK(binary2 == binary, "the writer's stream comes back unchanged");
    return 0;
}
