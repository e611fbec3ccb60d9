#pragma once
// Test classes that forms are read into and written from: a root with a
// published field and methods, panels that hold controls, a widget with one
// property of every kind, collection items, a non-visual component. Loaded
// calls are logged.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/core/Strings.h"

namespace formtest {

enum class Color { Red, Green, Blue };
enum class Style { Bold, Italic, Underline };
using Styles = TSet<Style>;

// "Name: state" per Loaded call, in call order.
std::vector<std::string>& LoadedLog();
void RegisterClasses();

class TTestFont : public TPersistent {
    GLY_CLASS(TTestFont)
public:
    std::string name;
    int size = 8;
    Styles style;
};

class TTestItem : public TCollectionItem {
    GLY_CLASS(TTestItem)
public:
    using TCollectionItem::TCollectionItem;
    std::string caption;
    int width = 0;
    TComponent* link = nullptr;
};

class TTestControl;

// Holds the controls whose parent it is; a form and a panel are both.
class TTestContainer : public TComponent {
    GLY_CLASS(TTestContainer)
public:
    using TComponent::TComponent;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;
    std::vector<TTestControl*> controls;
};

class TTestControl : public TTestContainer {
    GLY_CLASS(TTestControl)
public:
    using TTestContainer::TTestContainer;
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent; }
    void SetParentComponent(TComponent* p) override;
    TTestContainer* parent = nullptr;
};

class TTestPanel : public TTestControl {
    GLY_CLASS(TTestPanel)
public:
    using TTestControl::TTestControl;
};

class TTestWidget : public TTestControl {
    GLY_CLASS(TTestWidget)
public:
    explicit TTestWidget(TComponent* owner);

    TTestFont* Font() const { return font_.get(); }
    TStringList* Lines() const { return lines_.get(); }
    TCollection* Items() const { return items_.get(); }
    void DefineProperties(TFiler& filer) override;

    int count = 0;
    bool enabled = true;
    Color color = Color::Red;
    Styles styles;
    std::string caption;
    double ratio = 0;
    TVariant data;
    char initial = 0;
    uint16_t mark = 0;  // a wide character: one UTF-16 unit
    int colour = 0;
    TNotifyEvent OnClick;
    TTestWidget* buddy = nullptr;
    TComponent* target = nullptr;
    std::vector<uint8_t> blob;

private:
    std::unique_ptr<TTestFont> font_ = std::make_unique<TTestFont>();
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    std::unique_ptr<TCollection> items_;
};

class TTestTimer : public TComponent {
    GLY_CLASS(TTestTimer)
public:
    using TComponent::TComponent;
    void Loaded() override;
    int interval = 1000;
};

class TTestForm : public TTestContainer {
    GLY_CLASS(TTestForm)
public:
    using TTestContainer::TTestContainer;
    void ButtonClick(TObject* sender) { clicked.push_back(sender); }
    void Resized(TObject* /*sender*/, int /*width*/) {}

    std::string caption;
    TTestWidget* Button1 = nullptr;  // published field
    std::vector<TObject*> clicked;
};

// Reads a form from its text (through the binary stream), creating the root.
TOwnedPtr<TComponent> ReadForm(std::string_view text);
std::vector<uint8_t> WriteForm(TComponent& root);

}  // namespace formtest
