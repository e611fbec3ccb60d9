// A form's life: read from its form data, OnCreate, the main form, closing,
// OnDestroy while everything exists, then its window, then its components.
#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/win/Form.h"
#include "platform/win/FormResource.h"
#include "tests/win/TestControls.h"

namespace {

std::vector<std::string> g_log;

// Writes its name to the log when it is freed.
class TRecorder : public TComponent {
    GLY_CLASS(TRecorder)
public:
    using TComponent::TComponent;
    ~TRecorder() override { g_log.push_back("free " + Name()); }
};

const TClassInfo& TRecorder::StaticClass() {
    static const TClassInfo info = TClassBuilder<TRecorder>("TRecorder", &TComponent::StaticClass).Creatable().Build();
    return info;
}

class TLifeForm : public TForm {
    GLY_CLASS(TLifeForm)
public:
    using TForm::TForm;
    void FormCreate(TObject* Sender) {
        g_log.push_back("create components=" + std::to_string(ComponentCount()) + " self=" +
                        std::to_string(Sender == this));
    }
    void FormDestroy(TObject*) {
        g_log.push_back("destroy components=" + std::to_string(ComponentCount()) +
                        " window=" + std::to_string(HandleAllocated()));
    }
    void FormClose(TObject*, TCloseAction& Action) {
        g_log.push_back("close");
        if (refuseClose) Action = TCloseAction::caNone;
    }
    bool refuseClose = false;
};

const TClassInfo& TLifeForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TLifeForm>("TLifeForm", &TForm::StaticClass)
                                       .Creatable()
                                       .Method<&TLifeForm::FormCreate>("FormCreate")
                                       .Method<&TLifeForm::FormDestroy>("FormDestroy")
                                       .Method<&TLifeForm::FormClose>("FormClose")
                                       .Build();
    return info;
}

const char* const kLifeForm = R"(object LifeForm: TLifeForm
  Width = 300
  Height = 200
  Caption = 'Life'
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object First: TRecorder
  end
  object Second: TRecorder
  end
  object Third: TRecorder
  end
end
)";

class FormLifecycle : public testing::Test {
protected:
    static void SetUpTestSuite() {
        classes::Register(TRecorder::StaticClass());
        classes::Register(TLifeForm::StaticClass());
    }
    void SetUp() override {
        g_log.clear();
        ASSERT_EQ(Application->MainForm(), nullptr);
        ASSERT_EQ(Application->ComponentCount(), 0);
    }
};

TEST_F(FormLifecycle, OnCreateRunsAfterLoadingAndTheFirstFormBecomesMain) {
    TLifeForm* form = Application->CreateFormFrom<TLifeForm>(FormText(kLifeForm));
    EXPECT_EQ(g_log, std::vector<std::string>{"create components=3 self=1"});
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(form->Owner(), Application);
    EXPECT_EQ(form->Caption(), "Life");
    TForm* second = TComponent::Create<TForm>(Application);
    EXPECT_EQ(Application->MainForm(), form);
    TComponent::Free(second);
    TComponent::Free(form);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormLifecycle, FreeingRunsOnDestroyFirstThenTheWindowThenComponentsLastFirst) {
    TLifeForm* form = Application->CreateFormFrom<TLifeForm>(FormText(kLifeForm));
    form->HandleNeeded();
    const auto previous = form->WindowProc;
    form->WindowProc = [previous](TMessage& m) {
        if (m.Msg == WM_DESTROY) g_log.push_back("WM_DESTROY");
        previous(m);
    };
    g_log.clear();
    TComponent::Free(form);
    EXPECT_EQ(g_log, (std::vector<std::string>{"destroy components=3 window=1", "WM_DESTROY", "free Third",
                                               "free Second", "free First"}));
}

TEST_F(FormLifecycle, ClosingTheMainFormEndsRunWhichFreesTheForms) {
    TLifeForm* form = Application->CreateFormFrom<TLifeForm>(FormText(kLifeForm));
    form->refuseClose = true;
    form->Show();
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(::IsWindowVisible(form->WindowHandle()));

    form->refuseClose = false;
    g_log.clear();
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(g_log, (std::vector<std::string>{"close", "destroy components=3 window=1", "free Third",
                                               "free Second", "free First"}));
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormLifecycle, BadFormDataLeavesNoFormBehind) {
    std::string unknownClass = kLifeForm;
    unknownClass.replace(unknownClass.find("Second: TRecorder"), 17, "Second: TNoSuchKind");
    EXPECT_THROW(Application->CreateFormFrom<TLifeForm>(FormText(unknownClass)), EClassNotFound);
    EXPECT_EQ(Application->ComponentCount(), 0);
    EXPECT_EQ(Application->MainForm(), nullptr);
    // What was read before the failure goes with the form; neither handler ran.
    EXPECT_EQ(g_log, std::vector<std::string>{"free First"});
}

TEST_F(FormLifecycle, AFormWithoutAResourceIsReported) {
    try {
        Application->CreateForm<TLifeForm>();
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource TLIFEFORM not found");
    }
    EXPECT_EQ(Application->ComponentCount(), 0);
}

}  // namespace
