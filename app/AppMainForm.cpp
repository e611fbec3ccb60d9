#include "app/AppMainForm.h"

#include "app/BitmapperThread.h"
#include "app/FontFamilies.h"
#include "app/ViewRules.h"
#include "platform/core/ClassBuilder.h"
#include "platform/win/Clipboard.h"

TMainForm* MainForm = nullptr;

const TClassInfo& TMainForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainForm>("TMainForm", &TForm::StaticClass)
                                       .Creatable()
                                       .Field("Panel1", &TMainForm::Panel1)
                                       .Field("BoldBtn", &TMainForm::BoldBtn)
                                       .Field("ItalicBtn", &TMainForm::ItalicBtn)
                                       .Field("UnderlineBtn", &TMainForm::UnderlineBtn)
                                       .Field("SizeEdit", &TMainForm::SizeEdit)
                                       .Field("SizeUpDown", &TMainForm::SizeUpDown)
                                       .Field("Bevel1", &TMainForm::Bevel1)
                                       .Field("ReloadBrn", &TMainForm::ReloadBrn)
                                       .Field("PrintBtn", &TMainForm::PrintBtn)
                                       .Field("AboutBtn", &TMainForm::AboutBtn)
                                       .Field("Bevel2", &TMainForm::Bevel2)
                                       .Field("CacheFontsCheck", &TMainForm::CacheFontsCheck)
                                       .Field("StatusBar", &TMainForm::StatusBar)
                                       .Field("FontList", &TMainForm::FontList)
                                       .Field("Splitter", &TMainForm::Splitter)
                                       .Field("PageControl", &TMainForm::PageControl)
                                       .Field("TabSheet2", &TMainForm::TabSheet2)
                                       .Field("TestMemo", &TMainForm::TestMemo)
                                       .Field("TabSheet1", &TMainForm::TabSheet1)
                                       .Field("Panel2", &TMainForm::Panel2)
                                       .Field("PreviewPanel", &TMainForm::PreviewPanel)
                                       .Field("Label1", &TMainForm::Label1)
                                       .Field("Label2", &TMainForm::Label2)
                                       .Field("DecLabel", &TMainForm::DecLabel)
                                       .Field("HexLabel", &TMainForm::HexLabel)
                                       .Field("CopyBtn", &TMainForm::CopyBtn)
                                       .Field("TestGrid", &TMainForm::TestGrid)
                                       .Field("PrintPopup", &TMainForm::PrintPopup)
                                       .Field("FontListItem", &TMainForm::FontListItem)
                                       .Field("TestTextItem", &TMainForm::TestTextItem)
                                       .Field("CharmapItem", &TMainForm::CharmapItem)
                                       .Field("PFormSettings", &TMainForm::PFormSettings)
                                       .Field("PAppSettings", &TMainForm::PAppSettings)
                                       .Method<&TMainForm::FormCreate>("FormCreate")
                                       .Method<&TMainForm::FormDestroy>("FormDestroy")
                                       .Method<&TMainForm::FormKeyDown>("FormKeyDown")
                                       .Method<&TMainForm::FontListDrawItem>("FontListDrawItem")
                                       .Method<&TMainForm::FontListClick>("FontListClick")
                                       .Method<&TMainForm::Reload>("Reload")
                                       .Method<&TMainForm::CacheFontsCheckClick>("CacheFontsCheckClick")
                                       .Method<&TMainForm::FontPropsChanged>("FontPropsChanged")
                                       .Method<&TMainForm::SizeEditKeyUp>("SizeEditKeyUp")
                                       .Method<&TMainForm::SizeUpDownChanging>("SizeUpDownChanging")
                                       .Method<&TMainForm::TestGridClick>("TestGridClick")
                                       .Method<&TMainForm::Copy>("Copy")
                                       .Method<&TMainForm::StatusBarDrawPanel>("StatusBarDrawPanel")
                                       .Method<&TMainForm::PrintBtnMouseUp>("PrintBtnMouseUp")
                                       .Method<&TMainForm::PrintFontList>("PrintFontList")
                                       .Method<&TMainForm::PrintTestText>("PrintTestText")
                                       .Method<&TMainForm::PrintCharmap>("PrintCharmap")
                                       .Method<&TMainForm::About>("About")
                                       .Build();
    return info;
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    if (!MainForm) MainForm = this;
}

TMainForm::~TMainForm() {
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::FormCreate(TObject* /*Sender*/) {
    for (int row = 0; row < 14; ++row)
        for (int col = 0; col < 16; ++col)
            TestGrid->SetCell(col, row, AnsiCodeToUtf8(static_cast<uint8_t>(CharCodeOfCell(col, row))));

    const std::vector<std::string>& families = FontFamilies();
    FontList->Items()->BeginUpdate();
    FontList->Items()->Clear();
    for (const std::string& name : families) FontList->Items()->Add(name);
    FontList->Items()->EndUpdate();
    StatusBar->SetPanelText(kCountPanel, FamilyCountText(families.size()));

    TestMemo->SetMaxLength(kMemoTextLimit);
    ApplyStoredValues();

    FontListClick(this);
    TestGridClick(this);
    ApplyStoredText();

    FontBitmaps = std::vector<std::unique_ptr<TCompactBitmap>>(families.size());
    if (CacheFontsCheck->Checked()) StartBitmapper();
}

void TMainForm::FormDestroy(TObject* /*Sender*/) {
    ClearCache();
    FontBitmaps.clear();
    FontBitmaps.shrink_to_fit();
    PreviewSheet.reset();
    HandOverValues();
}

void TMainForm::FormKeyDown(TObject* /*Sender*/, uint16_t& Key, TShiftState /*Shift*/) {
    constexpr uint16_t kF5 = 116;
    if (Key == kF5) Reload(this);
}
