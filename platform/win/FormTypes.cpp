// The published shape of forms: their enumerations and class tables.

#include "platform/core/ClassBuilder.h"
#include "platform/win/Form.h"
#include "platform/win/Menus.h"

const TEnumTypeInfo& FormBorderStyleTypeInfo() {
    static const TEnumTypeInfo info{
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}, 0};
    return info;
}

const TSetTypeInfo& BorderIconsTypeInfo() {
    static const TEnumTypeInfo element{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}, 0};
    static const TSetTypeInfo info{"TBorderIcons", &element};
    return info;
}

const TEnumTypeInfo& PositionTypeInfo() {
    static const TEnumTypeInfo info{"TPosition",
                                    {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                     "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                                    0};
    return info;
}

const TEnumTypeInfo& FormStyleTypeInfo() {
    static const TEnumTypeInfo info{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}, 0};
    return info;
}

const TEnumTypeInfo& WindowStateTypeInfo() {
    static const TEnumTypeInfo info{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, 0};
    return info;
}

const TClassInfo& TCustomForm::StaticClass() {
    using F = TCustomForm;
    static const TClassInfo info =
        TClassBuilder<F>("TCustomForm", &TWinControl::StaticClass)
            .Obj("ActiveControl", &F::ActiveControl, &F::SetActiveControl)
            .StoredIf([](const F& f) { return f.ActiveControl() != nullptr; })
            .SetOf("BorderIcons", BorderIconsTypeInfo(), &F::BorderIcons, &F::SetBorderIcons)
            .Default(TBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize}.Bits())
            .Enum("BorderStyle", FormBorderStyleTypeInfo(), &F::BorderStyle, &F::SetBorderStyle)
            .Default(int(TFormBorderStyle::bsSizeable))
            .Str("Caption", &F::Caption, &F::SetCaption)
            .Int("ClientHeight", &F::ClientHeight, &F::SetClientHeight)
            .NotStored()
            .Int("ClientWidth", &F::ClientWidth, &F::SetClientWidth)
            .NotStored()
            .Enum("FormStyle", FormStyleTypeInfo(), &F::FormStyle, &F::SetFormStyle)
            .Default(int(TFormStyle::fsNormal))
            .Bool("KeyPreview", &F::KeyPreview, &F::SetKeyPreview)
            .Default(0)
            .Obj("Menu", &F::Menu, &F::SetMenu)
            .StoredIf([](const F& f) { return f.Menu() != nullptr; })
            .Enum("Position", PositionTypeInfo(), &F::Position, &F::SetPosition)
            .Default(int(TPosition::poDesigned))
            .Bool("Visible", &F::Visible, &F::SetVisible)
            .Default(0)
            .Enum("WindowState", WindowStateTypeInfo(), &F::WindowState, &F::SetWindowState)
            .Default(int(TWindowState::wsNormal))
            .Event("OnClose", &F::OnClose)
            .Event("OnCreate", &F::OnCreate)
            .Event("OnDestroy", &F::OnDestroy)
            .Event<TKeyEvent::Signature>("OnKeyDown", &F::OnKeyDown)
            .Event("OnShow", &F::OnShow)
            .Build();
    return info;
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TForm>("TForm", &TCustomForm::StaticClass).Creatable().Build();
    return info;
}
