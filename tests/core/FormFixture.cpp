#include "FormFixture.h"

#include <algorithm>

namespace formtest {
namespace {

const TEnumTypeInfo& ColorType() {
    static const TEnumTypeInfo info{"TTestColor", {"tcRed", "tcGreen", "tcBlue"}, 0};
    return info;
}
const TEnumTypeInfo& StyleType() {
    static const TEnumTypeInfo info{"TTestStyle", {"tsBold", "tsItalic", "tsUnderline"}, 0};
    return info;
}
const TSetTypeInfo& StylesType() {
    static const TSetTypeInfo info{"TTestStyles", &StyleType()};
    return info;
}
const TIntIdentMap& ColourIdents() {
    static const TIntIdentMap map{{{0x0000FF, "clRed"}, {0xFF0000, "clBlue"}}};
    return map;
}

// State of the component when its Loaded runs.
std::string StateOf(const TComponent& c) {
    return c.Name() + (c.IsReading() ? ": reading" : c.IsLoading() ? ": loading" : ": idle");
}

}  // namespace

std::vector<std::string>& LoadedLog() {
    static std::vector<std::string> log;
    return log;
}

void RegisterClasses() {
    for (const TClassInfo* c : {&TTestForm::StaticClass(), &TTestPanel::StaticClass(), &TTestWidget::StaticClass(),
                                &TTestTimer::StaticClass()})
        classes::Register(*c);
}

const TClassInfo& TTestFont::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestFont>("TTestFont", &TPersistent::StaticClass)
                                       .Str("Name", &TTestFont::name, &TTestFont::name)
                                       .Int("Size", &TTestFont::size, &TTestFont::size)
                                       .Default(8)
                                       .SetOf("Style", StylesType(), &TTestFont::style, &TTestFont::style)
                                       .Default(0)
                                       .Build();
    return info;
}

const TClassInfo& TTestItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestItem>("TTestItem", &TCollectionItem::StaticClass)
                                       .Item()
                                       .Str("Caption", &TTestItem::caption, &TTestItem::caption)
                                       .Int("Width", &TTestItem::width, &TTestItem::width)
                                       .Default(0)
                                       .Obj("Link", &TTestItem::link, &TTestItem::link)
                                       .Build();
    return info;
}

const TClassInfo& TTestContainer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestContainer>("TTestContainer", &TComponent::StaticClass).Build();
    return info;
}

void TTestContainer::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TTestControl* c : controls)
        if (c->Owner() == root) proc(c);
    TComponent::GetChildren(proc, root);  // the root's components without a parent
}

void TTestContainer::Loaded() {
    LoadedLog().push_back(StateOf(*this));
    TComponent::Loaded();
}

const TClassInfo& TTestControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestControl>("TTestControl", &TTestContainer::StaticClass).Build();
    return info;
}

void TTestControl::SetParentComponent(TComponent* p) {
    if (parent)
        parent->controls.erase(std::remove(parent->controls.begin(), parent->controls.end(), this),
                               parent->controls.end());
    parent = ObjectAs<TTestContainer>(p);
    if (parent) parent->controls.push_back(this);
}

const TClassInfo& TTestPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTestPanel>("TTestPanel", &TTestControl::StaticClass).Creatable().Build();
    return info;
}

TTestWidget::TTestWidget(TComponent* owner)
    : TTestControl(owner), items_(std::make_unique<TCollection>(TTestItem::StaticClass(), this)) {}

const TClassInfo& TTestWidget::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestWidget>("TTestWidget", &TTestControl::StaticClass)
                                       .Creatable()
                                       .Int("Count", &TTestWidget::count, &TTestWidget::count)
                                       .Default(0)
                                       .Bool("Enabled", &TTestWidget::enabled, &TTestWidget::enabled)
                                       .Default(1)
                                       .Enum("Color", ColorType(), &TTestWidget::color, &TTestWidget::color)
                                       .Default(0)
                                       .SetOf("Styles", StylesType(), &TTestWidget::styles, &TTestWidget::styles)
                                       .Default(0)
                                       .Str("Caption", &TTestWidget::caption, &TTestWidget::caption)
                                       .Float("Ratio", &TTestWidget::ratio, &TTestWidget::ratio)
                                       .Var("Data", &TTestWidget::data, &TTestWidget::data)
                                       .Char("Initial", &TTestWidget::initial, &TTestWidget::initial)
                                       .Default(0)
                                       .WChar("Mark", &TTestWidget::mark, &TTestWidget::mark)
                                       .Default(0)
                                       .Int("Colour", &TTestWidget::colour, &TTestWidget::colour)
                                       .Idents(ColourIdents())
                                       .Default(0)
                                       .Obj("Font", &TTestWidget::Font, nullptr)
                                       .Obj("Lines", &TTestWidget::Lines, nullptr)
                                       .Obj("Items", &TTestWidget::Items, nullptr)
                                       .Event("OnClick", &TTestWidget::OnClick)
                                       .Obj("Buddy", &TTestWidget::buddy, &TTestWidget::buddy)
                                       .Obj("Target", &TTestWidget::target, &TTestWidget::target)
                                       .Build();
    return info;
}

void TTestWidget::DefineProperties(TFiler& filer) {
    TTestControl::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Blob",
        [this](TStream& s) {
            blob.assign(size_t(s.Size()), 0);
            s.ReadBuffer(blob.data(), blob.size());
        },
        [this](TStream& s) { s.WriteBuffer(blob.data(), blob.size()); }, !blob.empty());
}

const TClassInfo& TTestTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestTimer>("TTestTimer", &TComponent::StaticClass)
                                       .Creatable()
                                       .Int("Interval", &TTestTimer::interval, &TTestTimer::interval)
                                       .Default(1000)
                                       .Build();
    return info;
}

void TTestTimer::Loaded() {
    LoadedLog().push_back(StateOf(*this));
    TComponent::Loaded();
}

const TClassInfo& TTestForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", &TTestContainer::StaticClass)
                                       .Creatable()
                                       .Str("Caption", &TTestForm::caption, &TTestForm::caption)
                                       .Field("Button1", &TTestForm::Button1)
                                       .Method<&TTestForm::ButtonClick>("ButtonClick")
                                       .Method<&TTestForm::Resized>("Resized")
                                       .Build();
    return info;
}

TOwnedPtr<TComponent> ReadForm(std::string_view text) {
    TMemoryStream s(ObjectTextToBinary(text));
    TReader reader(s);
    return TOwnedPtr<TComponent>(reader.ReadRootComponent(nullptr));
}

std::vector<uint8_t> WriteForm(TComponent& root) {
    TMemoryStream s;
    TWriter writer(s);
    writer.WriteRootComponent(root);
    return s.Bytes();
}

}  // namespace formtest
