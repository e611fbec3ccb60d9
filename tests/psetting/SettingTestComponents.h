#pragma once
// Small components whose published properties cover every kind a setting can
// be bound to, and two properties they stream themselves (hidden ones).

#include <memory>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Collection.h"
#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/core/Strings.h"

enum class TGizmoShape { gsRound, gsSquare, gsTriangle };
enum class TGizmoStyle { gyBold, gyWide, gyTall };
using TGizmoStyles = TSet<TGizmoStyle>;

inline const TEnumTypeInfo& GizmoShapeTypeInfo() {
    static const TEnumTypeInfo info{"TGizmoShape", {"gsRound", "gsSquare", "gsTriangle"}, 0};
    return info;
}
inline const TEnumTypeInfo& GizmoStyleTypeInfo() {
    static const TEnumTypeInfo info{"TGizmoStyle", {"gyBold", "gyWide", "gyTall"}, 0};
    return info;
}
inline const TSetTypeInfo& GizmoStylesTypeInfo() {
    static const TSetTypeInfo info{"TGizmoStyles", &GizmoStyleTypeInfo()};
    return info;
}

// A nested object reached by a dotted path ("Part.Name").
class TGizmoPart : public TPersistent {
    GLY_CLASS(TGizmoPart)
public:
    std::string Name;
    int Size = 0;
};

inline const TClassInfo& TGizmoPart::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGizmoPart>("TGizmoPart", &TPersistent::StaticClass)
                                       .Str("Name", &TGizmoPart::Name, &TGizmoPart::Name)
                                       .Int("Size", &TGizmoPart::Size, &TGizmoPart::Size)
                                       .Build();
    return info;
}

class TGizmoItem : public TCollectionItem {
    GLY_CLASS(TGizmoItem)
public:
    using TCollectionItem::TCollectionItem;
    std::string Title;
    int Rank = 0;
};

inline const TClassInfo& TGizmoItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGizmoItem>("TGizmoItem", &TCollectionItem::StaticClass)
                                       .Item()
                                       .Str("Title", &TGizmoItem::Title, &TGizmoItem::Title)
                                       .Int("Rank", &TGizmoItem::Rank, &TGizmoItem::Rank)
                                       .Build();
    return info;
}

class TGizmo : public TComponent {
    GLY_CLASS(TGizmo)
public:
    explicit TGizmo(TComponent* owner) : TComponent(owner) {}

    int Count = 0;
    char Letter = 'A';
    TGizmoShape Shape = TGizmoShape::gsRound;
    bool Active = false;
    double Ratio = 0;
    std::string Caption;
    TVariant Data;
    TGizmoStyles Styles;
    int Fixed = 11;  // published read-only

    TStringList* Lines() const { return lines_.get(); }
    TGizmoPart* Part() const { return part_.get(); }
    TGizmoPart* Missing() const { return nullptr; }  // an object property that holds nil
    TCollection* Items() const { return items_.get(); }
    TComponent* Link = nullptr;  // a reference to another component
    TGizmo* Peer = nullptr;      // a reference that only takes gizmos
    TNotifyEvent OnPing;

    // Streamed by DefineProperties, not published.
    std::string Secret;
    std::vector<uint8_t> Blob;

    void DefineProperties(TFiler& filer) override {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            "Secret", [this](TReader& r) { Secret = r.ReadString(); }, [this](TWriter& w) { w.WriteString(Secret); },
            !Secret.empty());
        filer.DefineBinaryProperty(
            "Blob",
            [this](TStream& s) {
                Blob.resize(size_t(s.Remaining()));
                if (!Blob.empty()) s.ReadBuffer(Blob.data(), Blob.size());
            },
            [this](TStream& s) {
                if (!Blob.empty()) s.WriteBuffer(Blob.data(), Blob.size());
            },
            !Blob.empty());
        // Without a writer: not a property that can be written back.
        filer.DefineProperty("HalfDefined", [](TReader& r) { r.SkipValue(); }, nullptr, false);
    }

private:
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TGizmoPart> part_ = std::make_unique<TGizmoPart>();
    std::unique_ptr<TCollection> items_ = std::make_unique<TCollection>(TGizmoItem::StaticClass(), this);
};

inline const TClassInfo& TGizmo::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGizmo>("TGizmo", &TComponent::StaticClass)
                                       .Creatable()
                                       .Int("Count", &TGizmo::Count, &TGizmo::Count)
                                       .Char("Letter", &TGizmo::Letter, &TGizmo::Letter)
                                       .Enum("Shape", GizmoShapeTypeInfo(), &TGizmo::Shape, &TGizmo::Shape)
                                       .Bool("Active", &TGizmo::Active, &TGizmo::Active)
                                       .Float("Ratio", &TGizmo::Ratio, &TGizmo::Ratio)
                                       .Str("Caption", &TGizmo::Caption, &TGizmo::Caption)
                                       .Var("Data", &TGizmo::Data, &TGizmo::Data)
                                       .SetOf("Styles", GizmoStylesTypeInfo(), &TGizmo::Styles, &TGizmo::Styles)
                                       .Int("Fixed", &TGizmo::Fixed, nullptr)
                                       .Obj("Lines", &TGizmo::Lines, nullptr)
                                       .Obj("Part", &TGizmo::Part, nullptr)
                                       .Obj("Missing", &TGizmo::Missing, nullptr)
                                       .Obj("Items", &TGizmo::Items, nullptr)
                                       .Obj("Link", &TGizmo::Link, &TGizmo::Link)
                                       .Obj("Peer", &TGizmo::Peer, &TGizmo::Peer)
                                       .Event("OnPing", &TGizmo::OnPing)
                                       .Build();
    return info;
}

// A form-like root named "Form1" that owns three gizmos and frees them.
struct TGizmoForm {
    TOwnedPtr<TComponent> form{TComponent::Create<TComponent>(nullptr)};
    TGizmo* gizmo1;
    TGizmo* gizmo2;
    TGizmo* gizmo3;

    TGizmoForm() {
        form->SetName("Form1");
        gizmo1 = Make("Gizmo1");
        gizmo2 = Make("Gizmo2");
        gizmo3 = Make("Gizmo3");
    }
    TGizmo* Make(const std::string& name) {
        auto* g = TComponent::Create<TGizmo>(form.get());
        g->SetName(name);
        return g;
    }
};
