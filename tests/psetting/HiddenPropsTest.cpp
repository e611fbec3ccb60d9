// The filer that records property definitions, and reading and writing a
// hidden property by name through it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "psetting/HiddenProps.h"
#include "tests/psetting/SettingTestComponents.h"

TEST(HiddenProps, RecordsBothKindsOfCompleteDefinitions) {
    TGizmo gizmo(nullptr);
    TPHiddenPropsUse use;
    EXPECT_EQ(use.BufSize(), 1024);
    EXPECT_EQ(use.Stream(), nullptr);
    CallDefineProperties(gizmo, use);
    ASSERT_EQ(use.Names.Count(), 2);  // HalfDefined has no writer
    EXPECT_EQ(use.Names[0], "Secret");
    EXPECT_EQ(use.Names[1], "Blob");
    EXPECT_EQ(use.Kinds, (std::vector<TPHiddenPropsUse::TDefinitionKind>{
                             TPHiddenPropsUse::TDefinitionKind::ReaderWriter, TPHiddenPropsUse::TDefinitionKind::Binary}));
    EXPECT_TRUE(HasHiddenProperty(gizmo, "SECRET"));
    EXPECT_FALSE(HasHiddenProperty(gizmo, "HalfDefined"));
    EXPECT_FALSE(HasHiddenProperty(gizmo, "Caption"));  // published, not hidden
}

TEST(HiddenProps, WritesEachKindInItsOwnEncoding) {
    TGizmo gizmo(nullptr);
    gizmo.Secret = "abc";
    gizmo.Blob = {0x00, 0xFF, 0x10};
    // The reader/writer kind goes through a writer: tag 6, length, bytes.
    EXPECT_EQ(WriteHiddenPropertyData(gizmo, "secret"), (std::vector<uint8_t>{6, 3, 'a', 'b', 'c'}));
    // The binary kind writes to the stream itself.
    EXPECT_EQ(WriteHiddenPropertyData(gizmo, "Blob"), (std::vector<uint8_t>{0x00, 0xFF, 0x10}));
    EXPECT_TRUE(WriteHiddenPropertyData(gizmo, "Nothing").empty());
    EXPECT_TRUE(WriteHiddenPropertyData(gizmo, "HalfDefined").empty());
}

TEST(HiddenProps, ReadsBackIntoAnotherInstance) {
    TGizmo source(nullptr);
    source.Secret = std::string(300, 'x');  // long enough for tag 12
    source.Blob = {1, 2, 3, 4};
    const auto secret = WriteHiddenPropertyData(source, "Secret");
    const auto blob = WriteHiddenPropertyData(source, "Blob");
    ASSERT_EQ(secret.front(), 12);

    TGizmo target(nullptr);
    ReadHiddenPropertyData(target, "Secret", secret.data(), secret.size());
    ReadHiddenPropertyData(target, "BLOB", blob.data(), blob.size());
    EXPECT_EQ(target.Secret, source.Secret);
    EXPECT_EQ(target.Blob, source.Blob);

    // An unknown name reads nothing.
    TGizmo untouched(nullptr);
    untouched.Secret = "same";
    ReadHiddenPropertyData(untouched, "Unknown", secret.data(), secret.size());
    EXPECT_EQ(untouched.Secret, "same");
    // No data at all: the reader fails cleanly and the property stays.
    EXPECT_THROW(ReadHiddenPropertyData(untouched, "Secret", nullptr, 0), EReadError);
    EXPECT_EQ(untouched.Secret, "same");
}

TEST(HiddenProps, BadDataFailsWithTheReadersError) {
    TGizmo gizmo(nullptr);
    gizmo.Secret = "kept";
    const std::vector<uint8_t> truncated{6, 10, 'a'};
    EXPECT_THROW(ReadHiddenPropertyData(gizmo, "Secret", truncated.data(), truncated.size()), EReadError);
    const std::vector<uint8_t> wrongTag{2, 5};
    EXPECT_THROW(ReadHiddenPropertyData(gizmo, "Secret", wrongTag.data(), wrongTag.size()), EReadError);
    EXPECT_EQ(gizmo.Secret, "kept");
}

TEST(HiddenProps, ReadAndWritePropertyReportWhetherADefinitionRan) {
    TGizmo gizmo(nullptr);
    gizmo.Secret = "s";
    TPHiddenPropsUse use;
    CallDefineProperties(gizmo, use);
    TMemoryStream out;
    EXPECT_FALSE(use.WriteProperty("Missing", out, gizmo));
    EXPECT_EQ(out.Size(), 0);
    EXPECT_TRUE(use.WriteProperty("Secret", out, gizmo));
    gizmo.Secret.clear();
    out.SetPosition(0);
    EXPECT_TRUE(use.ReadProperty("Secret", out, gizmo));
    EXPECT_EQ(gizmo.Secret, "s");
}
