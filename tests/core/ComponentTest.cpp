// The owner tree: freeing, names, state, and notifications of insertion and
// removal, to the owner's components and to those that asked for it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"

namespace {

std::vector<std::string> g_log;

class TProbe : public TComponent {
    GLY_CLASS(TProbe)
public:
    using TComponent::TComponent;
    ~TProbe() override { g_log.push_back("free " + Name()); }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        // What the component is must still be known while it is removed.
        g_log.push_back(Name() + (op == TOperation::Insert ? " +" : " -") + c->Name() + ":" + c->ClassName());
    }
};

const TClassInfo& TProbe::StaticClass() {
    static const TClassInfo info = TClassBuilder<TProbe>("TProbe", &TComponent::StaticClass).Creatable().Build();
    return info;
}

// Frees a sibling from its own destructor, as a component that owns a
// partner it did not create might.
class TSiblingKiller : public TProbe {
    GLY_CLASS(TSiblingKiller)
public:
    TSiblingKiller(TComponent* owner, TComponent* victim) : TProbe(owner), victim_(victim) {}
    ~TSiblingKiller() override { TComponent::Free(victim_); }

private:
    TComponent* victim_;
};

const TClassInfo& TSiblingKiller::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSiblingKiller>("TSiblingKiller", &TProbe::StaticClass).Build();
    return info;
}

class THolder : public TComponent {
    GLY_CLASS(THolder)
public:
    using TComponent::TComponent;
    TProbe* First = nullptr;
};

const TClassInfo& THolder::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<THolder>("THolder", &TComponent::StaticClass).Field("First", &THolder::First).Build();
    return info;
}

TProbe* Probe(TComponent* owner, const std::string& name) {
    TProbe* p = TComponent::Create<TProbe>(owner);
    p->SetName(name);
    return p;
}

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
};

TEST_F(ComponentTest, OwnerFreesItsComponentsLastFirst) {
    {
        TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
        Probe(root.get(), "A");
        Probe(root.get(), "B");
        TProbe* c = Probe(root.get(), "C");
        Probe(c, "C1");
        EXPECT_EQ(root->ComponentCount(), 3);
        g_log.clear();
    }
    // C frees its own C1 after its destructor body ran; no sibling hears of
    // removals while the owner itself is being destroyed.
    EXPECT_EQ(g_log, (std::vector<std::string>{"free C", "free C1", "free B", "free A"}));
}

TEST_F(ComponentTest, FreeingLoopSurvivesAChildFreeingASibling) {
    TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
    TProbe* victim = Probe(root.get(), "Victim");
    Probe(root.get(), "Other");
    TComponent::Create<TSiblingKiller>(root.get(), victim)->SetName("Killer");
    g_log.clear();
    root.reset();
    // Each component is freed exactly once; the killer's own destructor body
    // frees its victim before the probe part of the killer logs.
    std::vector<std::string> frees;
    for (const auto& e : g_log)
        if (e.rfind("free ", 0) == 0) frees.push_back(e);
    EXPECT_EQ(frees, (std::vector<std::string>{"free Victim", "free Killer", "free Other"}));
}

TEST_F(ComponentTest, FindComponentIgnoresCaseAndReportsAbsence) {
    TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
    TProbe* list = Probe(root.get(), "FontList");
    Probe(list, "Inner");
    EXPECT_EQ(root->FindComponent("fontlist"), list);
    EXPECT_EQ(root->FindComponent("FONTLIST"), list);
    EXPECT_EQ(root->FindComponent("Inner"), nullptr);  // owned one level down
    EXPECT_EQ(root->FindComponent(""), nullptr);
    EXPECT_EQ(root->FindComponent("FontList2"), nullptr);
}

TEST_F(ComponentTest, NamesMustBeValidAndUniqueWithinTheOwner) {
    TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
    TProbe* a = Probe(root.get(), "Alpha");
    TProbe* b = Probe(root.get(), "Beta");
    EXPECT_THROW(b->SetName("ALPHA"), EComponentError);
    EXPECT_EQ(b->Name(), "Beta");
    for (const char* bad : {"1st", "with space", "dot.ted", "Tučné"}) EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
    EXPECT_NO_THROW(a->SetName("alpha"));  // a change of case only is a rename of itself
    EXPECT_NO_THROW(b->SetName(""));
    // Without an owner there is nobody to clash with.
    TOwnedPtr<TProbe> loose(Probe(nullptr, "Alpha"));
    EXPECT_EQ(loose->Name(), "Alpha");
}

TEST_F(ComponentTest, InsertionAndRemovalAreToldToTheOwnersComponents) {
    TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
    Probe(root.get(), "Watcher");
    g_log.clear();
    TProbe* added = Probe(root.get(), "");
    // The newcomer is already in the list, so it hears of itself too.
    EXPECT_EQ(g_log, (std::vector<std::string>{"Watcher +:TProbe", " +:TProbe"}));
    added->SetName("Added");
    g_log.clear();
    TComponent::Free(added);
    // Removal is told while the object is whole, before its destructor runs.
    EXPECT_EQ(g_log, (std::vector<std::string>{"Watcher -Added:TProbe", "Added -Added:TProbe", "free Added"}));
}

TEST_F(ComponentTest, FreeNotificationReachesComponentsOfOtherOwners) {
    TOwnedPtr<TComponent> left(TComponent::Create<TComponent>(nullptr));
    TOwnedPtr<TComponent> right(TComponent::Create<TComponent>(nullptr));
    TProbe* watcher = Probe(left.get(), "Watcher");
    TProbe* target = Probe(right.get(), "Target");
    TProbe* ignored = Probe(right.get(), "Ignored");
    watcher->FreeNotification(target);
    g_log.clear();
    TComponent::Free(target);
    EXPECT_EQ(g_log[0], "Watcher -Target:TProbe");
    g_log.clear();
    TComponent::Free(ignored);
    for (const auto& e : g_log) EXPECT_EQ(e.find("Watcher"), std::string::npos) << e;
    // Subscriptions are mutual: freeing the watcher first leaves no dangling entry.
    TProbe* target2 = Probe(right.get(), "Target2");
    TProbe* watcher2 = Probe(left.get(), "Watcher2");
    watcher2->FreeNotification(target2);
    TComponent::Free(watcher2);
    g_log.clear();
    TComponent::Free(target2);
    for (const auto& e : g_log) EXPECT_EQ(e.find("Watcher2"), std::string::npos) << e;
}

TEST_F(ComponentTest, PublishedFieldFollowsTheComponentOfItsName) {
    TOwnedPtr<THolder> holder(TComponent::Create<THolder>(nullptr));
    TProbe* p = Probe(holder.get(), "First");
    EXPECT_EQ(holder->First, p);
    p->SetName("Renamed");
    EXPECT_EQ(holder->First, nullptr);
    p->SetName("First");
    EXPECT_EQ(holder->First, p);
    TComponent::Free(p);
    EXPECT_EQ(holder->First, nullptr);
    // A component of the wrong class does not land in the field.
    TComponent::Create<TComponent>(holder.get())->SetName("First");
    EXPECT_EQ(holder->First, nullptr);
}

TEST_F(ComponentTest, StateFlagsPropagateToOwnedComponents) {
    TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
    TProbe* child = Probe(root.get(), "Child");
    root->SetDesigning(true);
    EXPECT_TRUE(child->IsDesigning());
    // Components inserted into a designed owner are designed too.
    EXPECT_TRUE(Probe(root.get(), "Late")->IsDesigning());
    root->SetDesigning(false);
    EXPECT_FALSE(child->IsDesigning());

    child->SetLoadingState(true, true);
    EXPECT_TRUE(child->IsLoading() && child->IsReading());
    child->Loaded();
    EXPECT_FALSE(child->IsLoading());

    root->Destroying();
    EXPECT_TRUE(child->IsDestroying());
}

TEST_F(ComponentTest, ComponentsListIsBoundsChecked) {
    TOwnedPtr<TComponent> root(TComponent::Create<TComponent>(nullptr));
    TProbe* a = Probe(root.get(), "A");
    EXPECT_EQ(root->Components(0), a);
    EXPECT_EQ(a->ComponentIndex(), 0);
    EXPECT_EQ(root->ComponentIndex(), -1);
    EXPECT_THROW(root->Components(1), EListError);
    EXPECT_THROW(root->Components(-1), EListError);
}

}  // namespace
