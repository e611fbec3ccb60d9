// Names at the edge of what the component stream can carry. A class name
// comes where the optional prefix byte 0xF0..0xFF may stand, so its length
// byte must stay below 0xF0; other names are short strings of up to 255
// bytes. The writer and the form-text parser refuse what does not fit,
// naming it; everything up to the limits round-trips.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"

namespace {

using Bytes = std::vector<uint8_t>;

// "T" followed by x's: a valid class name of `length` bytes.
std::string LongName(size_t length, char first = 'T') { return first + std::string(length - 1, 'x'); }

template <size_t Length>
class TLongNamed : public TComponent {
    GLY_CLASS(TLongNamed)
public:
    using TComponent::TComponent;
};

template <size_t Length>
const TClassInfo& TLongNamed<Length>::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TLongNamed>(LongName(Length), &TComponent::StaticClass).Creatable().Build();
    return info;
}

std::string TooLong(const std::string& what, const std::string& name, size_t limit) {
    return what + " " + name + " is too long for a component stream: " + std::to_string(name.size()) +
           " bytes, at most " + std::to_string(limit);
}

struct WriteCase {
    const TClassInfo& cls;
    size_t nameLength;
    std::string refusal;  // empty: written and read back
};

TEST(NameLength, TheWriterRefusesNamesTheStreamCannotCarry) {
    const WriteCase cases[] = {
        {TLongNamed<239>::StaticClass(), 5, ""},
        {TLongNamed<240>::StaticClass(), 5, TooLong("Class name", LongName(240), 239)},
        {TLongNamed<255>::StaticClass(), 5, TooLong("Class name", LongName(255), 239)},
        {TLongNamed<5>::StaticClass(), 240, ""},
        {TLongNamed<5>::StaticClass(), 255, ""},
        {TLongNamed<5>::StaticClass(), 256, TooLong("Component name", LongName(256, 'N'), 255)},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.cls.name.size());
        SCOPED_TRACE(c.nameLength);
        classes::Register(c.cls);
        TOwnedPtr<TComponent> root(c.cls.newComponent(nullptr));
        root->SetName(LongName(c.nameLength, 'N'));
        TMemoryStream stream;
        TWriter writer(stream);
        try {
            writer.WriteRootComponent(*root);
        } catch (const EWriteError& e) {
            EXPECT_EQ(e.Message(), c.refusal);
            continue;
        }
        ASSERT_EQ(c.refusal, "") << "written";
        const Bytes written = stream.Bytes();
        // "TPF0", then the class name's length byte where a prefix could be.
        ASSERT_GT(written.size(), 4u);
        EXPECT_EQ(written[4], c.cls.name.size());

        TMemoryStream in(written);
        TReader reader(in);
        TOwnedPtr<TComponent> back(reader.ReadRootComponent(nullptr));
        EXPECT_EQ(back->ClassName(), c.cls.name);
        EXPECT_EQ(back->Name(), root->Name());
        EXPECT_EQ(ObjectTextToBinary(ObjectBinaryToText(written)), written);
    }
}

struct TextCase {
    std::string text;
    std::string refusal;  // empty: parsed, and its stream gives the text back
};

TEST(NameLength, TheFormTextParserRefusesNamesTheStreamCannotCarry) {
    const std::string c239 = LongName(239), c240 = LongName(240), c255 = LongName(255);
    const std::string n255 = LongName(255, 'N');
    const TextCase cases[] = {
        {"object F: " + c239 + "\nend\n", ""},
        {"object " + c239 + "\nend\n", ""},
        {"object " + n255 + ": TForm\nend\n", ""},
        {"object F: " + c240 + "\nend\n", TooLong("Class name", c240, 239) + " on line 1"},
        {"object F: " + c255 + "\nend\n", TooLong("Class name", c255, 239) + " on line 1"},
        {"object " + c240 + "\nend\n", TooLong("Class name", c240, 239) + " on line 1"},
        {"object F: TForm\n  inherited G:\n    " + c240 + "\n  end\nend\n",
         TooLong("Class name", c240, 239) + " on line 3"},
        {"object F: " + LongName(256) + "\nend\n", "Identifier too long on line 1"},
        {"object " + LongName(256, 'N') + ": TForm\nend\n", "Identifier too long on line 1"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        try {
            const Bytes binary = ObjectTextToBinary(c.text);
            ASSERT_EQ(c.refusal, "") << "parsed";
            EXPECT_EQ(ObjectBinaryToText(binary), c.text);
        } catch (const EParserError& e) {
            EXPECT_EQ(e.Message(), c.refusal);
        }
    }
}

}  // namespace
