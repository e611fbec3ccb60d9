// String lists and collections as settings and forms use them.

#include <gtest/gtest.h>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"

namespace {

std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i) out.push_back(s[i]);
    return out;
}

TEST(Strings, TextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("a");
    list.Add("");
    list.Add("Tučné");
    EXPECT_EQ(list.Text(), "a\r\n\r\nTučné\r\n");
}

TEST(Strings, SetTextSplitsAtCrLfLfOrCr) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"one\r\ntwo", {"one", "two"}},
        {"one\ntwo\rthree", {"one", "two", "three"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\nb", {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.Add("old");
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text;
        // Text of what was split gives the same lines back.
        TStringList again;
        again.SetText(list.Text());
        EXPECT_EQ(Lines(again), c.lines) << c.text;
    }
}

TEST(Strings, CommaTextQuotesWhatNeedsIt) {
    TStringList list;
    list.SetCommaText(R"(a, "b c" ,"say ""hi""",,d)");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b c", "say \"hi\"", "", "d"}));
    EXPECT_EQ(list.CommaText(), R"(a,"b c","say ""hi""","",d)");
}

TEST(Strings, IndexOfIgnoresAsciiCaseAndReportsAbsence) {
    TStringList list;
    list.SetText("Alpha\nbeta\nALPHA");
    EXPECT_EQ(list.IndexOf("alpha"), 0);
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    EXPECT_EQ(list.IndexOf("gamma"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(Strings, IndexesAreChecked) {
    TStringList list;
    list.Add("x");
    EXPECT_THROW(list.Get(1), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(2, "y"), EListError);
    EXPECT_NO_THROW(list.Insert(1, "y"));
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"x", "y"}));
}

TEST(Strings, ChangeEventsWaitForTheEndOfAnUpdate) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.SetText("b\nc\nd");  // one update, one report
    EXPECT_EQ(changes, 2);
    TStringList other;
    other.Assign(list);
    EXPECT_TRUE(other.Equals(list));
    TPersistent notAList;
    EXPECT_THROW(other.Assign(notAList), EConvertError);
}

class TPoint : public TCollectionItem {
    GLY_CLASS(TPoint)
public:
    using TCollectionItem::TCollectionItem;
    int x = 0;
    void Assign(const TPersistent& src) override {
        if (const auto* p = src.As<TPoint>())
            x = p->x;
        else
            TCollectionItem::Assign(src);
    }
};

const TClassInfo& TPoint::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPoint>("TPoint", &TCollectionItem::StaticClass).Item().Int("X", &TPoint::x, &TPoint::x).Build();
    return info;
}

TEST(Collection, ItemsKnowTheirPlaceAndLeaveWhenFreed) {
    TCollection points(TPoint::StaticClass());
    auto* a = static_cast<TPoint*>(points.Add());
    auto* b = static_cast<TPoint*>(points.Add());
    auto* c = static_cast<TPoint*>(points.Add());
    a->x = 1, b->x = 2, c->x = 3;
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(b->Collection(), &points);
    c->SetIndex(0);
    EXPECT_EQ(points.ItemAs<TPoint>(0)->x, 3);
    delete b;  // an item freed on its own leaves the collection
    EXPECT_EQ(points.Count(), 2);
    EXPECT_EQ(points.ItemAs<TPoint>(1)->x, 1);
    points.Delete(0);
    EXPECT_EQ(points.Count(), 1);
    EXPECT_THROW(points.Items(1), EListError);

    TCollection copy(TPoint::StaticClass());
    copy.Assign(points);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.ItemAs<TPoint>(0)->x, 1);
}

TEST(Collection, AClassWithoutItemFactoryCannotAdd) {
    TCollection bad(TPersistent::StaticClass());
    EXPECT_THROW(bad.Add(), EListError);
    EXPECT_EQ(bad.Count(), 0);
}

}  // namespace
