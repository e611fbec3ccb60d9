#pragma once
// The main window loaded from the real form file and shown, with no stored
// state before or after, for the tests of the window in process.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppMainForm.h"
#include "platform/win/Application.h"
#include "tests/app/MainFormFile.h"
#include "tests/support/Families.h"
#include "tests/support/StoredState.h"

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        const auto data = ReadMainForm();
        ASSERT_FALSE(data.empty()) << "GLYPHORA_SOURCE_DIR must name the source tree";
        ForgetStoredState();
        form = Application->CreateFormFrom<TMainForm>(data);
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        TComponent::Free(form);
        ForgetStoredState();
    }

    int Families() const { return static_cast<int>(expected.size()); }
    // What the list should hold, from the test's own enumeration.
    const std::vector<std::string> expected = InstalledFamilies();
    TMainForm* form = nullptr;
};
