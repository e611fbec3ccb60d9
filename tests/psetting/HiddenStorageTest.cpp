// Hidden properties in the registry: a setting bound to a property that its
// component streams itself stores the property's own data after kind 8 and
// gives it back to the component, for both kinds of definition.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StorageTestUtil.h"

namespace storagetest {
namespace {

using regtest::TRawValue;

// The writer's text encoding: tag 6 and a length byte up to 255, tag 12 and
// an Int32 length beyond.
Bytes WrittenString(const std::string& text) {
    if (text.size() <= 255) return Join({{6, uint8_t(text.size())}, Ascii(text)});
    return Join({{12}, Int32(int32_t(text.size())), Ascii(text)});
}

TEST_F(StorageTest, BothKindsOfHiddenPropertyGoThroughTheRegistry) {
    struct Case {
        const char* what;
        std::string secret;
        Bytes blob;
    };
    Bytes big(3000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7);
    const Case cases[] = {
        {"short", "abc", {0x00, 0xFF, 0x10}},
        // Longer than the 1024 bytes of the reader's and writer's buffers.
        {"long", std::string(2000, 'x') + "end", big},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.gizmo1->Secret = c.secret;
        form.gizmo1->Blob = c.blob;
        TPSetting& secret = Bound("Gizmo1.Secret");
        TPSetting& blob = Bound("Gizmo1.Blob");
        secret.WriteToRegistry(reg, key.Path(), true);
        blob.WriteToRegistry(reg, key.Path(), true);
        EXPECT_EQ(Stored("Secret", "Gizmo1"), (TRawValue{REG_BINARY, Join({Int32(8), WrittenString(c.secret)})}));
        EXPECT_EQ(Stored("Blob", "Gizmo1"), (TRawValue{REG_BINARY, Join({Int32(8), c.blob})}));

        form.gizmo1->Secret = "changed";
        form.gizmo1->Blob = {9, 9};
        secret.ReadFromRegistry(reg, key.Path());
        blob.ReadFromRegistry(reg, key.Path());
        EXPECT_EQ(form.gizmo1->Secret, c.secret);
        EXPECT_EQ(form.gizmo1->Blob, c.blob);
        TComponent::Free(&secret);
        TComponent::Free(&blob);
    }
}

TEST_F(StorageTest, AHiddenPropertyGoesToTheComponentThePathNames) {
    form.gizmo1->Secret = "one";
    form.gizmo2->Secret = "two";
    Bound("Gizmo1.Secret").WriteToRegistry(reg, key.Path(), true);
    TPSetting& second = Bound("Gizmo2.Secret");
    Store("Secret", REG_BINARY, Join({Int32(8), WrittenString("from one")}), "Gizmo2");
    second.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo2->Secret, "from one");
    EXPECT_EQ(form.gizmo1->Secret, "one");
}

TEST_F(StorageTest, BadHiddenDataLeavesThePropertyAsItWas) {
    const Bytes cases[] = {
        Join({Int32(8), {6, 10, 'a'}}),     // shorter than its length
        Join({Int32(8), {2, 5}}),           // not a text
        Join({Int32(8)}),                   // no data at all
        Join({Int32(7), Int32(1), {'z'}}),  // another kind
    };
    TPSetting& secret = Bound("Gizmo1.Secret");
    for (const Bytes& bytes : cases) {
        form.gizmo1->Secret = "kept";
        Store("Secret", REG_BINARY, bytes, "Gizmo1");
        secret.ReadFromRegistry(reg, key.Path());
        EXPECT_EQ(form.gizmo1->Secret, "kept") << bytes.size();
    }
}

TEST_F(StorageTest, ADefinitionWithoutWriterIsNoHiddenPropertyToStore) {
    TPSetting& half = Bound("Gizmo1.HalfDefined");
    half.WriteToRegistry(reg, key.Path(), true);
    EXPECT_FALSE(Stored("HalfDefined", "Gizmo1"));
    Store("HalfDefined", REG_BINARY, Join({Int32(8), WrittenString("x")}), "Gizmo1");
    form.gizmo1->Secret = "kept";
    half.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo1->Secret, "kept");
}

}  // namespace
}  // namespace storagetest
