// A form of every standard control read from its text form and written back:
// the published properties stream both ways.
#include <gtest/gtest.h>

#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/win/Bevel.h"
#include "platform/win/Button.h"
#include "platform/win/CheckBox.h"
#include "platform/win/Edit.h"
#include "platform/win/Label.h"
#include "platform/win/ListBox.h"
#include "platform/win/Memo.h"
#include "platform/win/StatusBar.h"
#include "platform/win/UpDown.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kAllControls = R"(object AllForm: TForm
  Left = 30
  Top = 30
  Width = 646
  Height = 500
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 638
    Height = 28
    Align = alTop
    ShowHint = True
    TabOrder = 0
    object Bevel1: TBevel
      Left = 144
      Top = 2
      Width = 9
      Height = 24
      Shape = bsLeftLine
    end
    object SizeEdit: TEdit
      Left = 76
      Top = 4
      Width = 41
      Height = 21
      Hint = 'Velikost písma'
      MaxLength = 2
      TabOrder = 1
      Text = '16'
    end
    object SizeUpDown: TUpDown
      Left = 117
      Top = 4
      Width = 15
      Height = 21
      Associate = SizeEdit
      Min = 8
      Max = 72
      Position = 16
      TabOrder = 0
    end
    object CacheFontsCheck: TCheckBox
      Left = 416
      Top = 6
      Width = 137
      Height = 17
      Caption = '&Načítat písma dopředu'
      Checked = True
      TabOrder = 2
    end
  end
  object StatusBar: TStatusBar
    Left = 0
    Top = 454
    Width = 638
    Height = 19
    Panels = <
      item
        Text = 'Počet písem:'
        Width = 100
      end
      item
        Style = psOwnerDraw
        Width = 100
      end
      item
        Width = 50
      end>
  end
  object FontList: TListBox
    Left = 0
    Top = 28
    Width = 257
    Height = 426
    Align = alLeft
    ItemHeight = 36
    Items.Strings = (
      'a'
      'b')
    Style = lbOwnerDrawFixed
    TabOrder = 1
  end
  object TestMemo: TMemo
    Left = 257
    Top = 28
    Width = 381
    Height = 300
    Lines.Strings = (
      '(sem napište jakýkoliv text)')
    ScrollBars = ssVertical
    TabOrder = 2
  end
  object DecLabel: TLabel
    Left = 300
    Top = 340
    Caption = '000'
  end
  object CopyBtn: TButton
    Left = 400
    Top = 340
    Width = 75
    Height = 25
    Caption = '&Kopírovat'
    Default = True
    TabOrder = 3
  end
end
)";

std::string WrittenText(TComponent& root) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(root);
    return ObjectBinaryToText(stream.Bytes());
}

void ExpectAllControls(const TShownForm& form) {
    auto* updown = form.Find<TUpDown>("SizeUpDown");
    auto* edit = form.Find<TEdit>("SizeEdit");
    ASSERT_NE(updown, nullptr);
    EXPECT_EQ(updown->Associate(), edit);
    EXPECT_EQ(std::vector<int>({updown->Min(), updown->Max(), updown->Position()}), std::vector<int>({8, 72, 16}));
    EXPECT_EQ(edit->MaxLength(), 2);
    EXPECT_EQ(edit->Hint(), "Velikost písma");
    EXPECT_TRUE(edit->ShowHint());
    EXPECT_TRUE(form.Find<TCheckBox>("CacheFontsCheck")->Checked());
    auto* bar = form.Find<TStatusBar>("StatusBar");
    ASSERT_EQ(bar->Panels()->Count(), 3);
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), "Počet písem:");
    EXPECT_EQ(bar->Panels()->Items(1)->Style(), TStatusPanelStyle::psOwnerDraw);
    EXPECT_EQ(bar->Panels()->Items(2)->Width(), 50);
    auto* list = form.Find<TListBox>("FontList");
    EXPECT_EQ(list->Items()->CommaText(), "a,b");
    EXPECT_EQ(list->Style(), TListBoxStyle::lbOwnerDrawFixed);
    EXPECT_EQ(list->ItemHeight(), 36);
    auto* memo = form.Find<TMemo>("TestMemo");
    EXPECT_EQ(memo->Text(), "(sem napište jakýkoliv text)");
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(form.Find<TLabel>("DecLabel")->Caption(), "000");
    EXPECT_TRUE(form.Find<TButton>("CopyBtn")->Default());
    EXPECT_EQ(form.Find<TBevel>("Bevel1")->Shape(), TBevelShape::bsLeftLine);
}

TEST(ControlStreamTest, EveryControlReadsFromTheFormAndWritesBackTheSame) {
    TShownForm form{kAllControls};
    ExpectAllControls(form);

    const std::string text = WrittenText(*form.Get());
    for (const char* line : {"Associate = SizeEdit", "Items.Strings = (", "Lines.Strings = (", "Panels = <",
                             "Style = psOwnerDraw", "Shape = bsLeftLine", "Checked = True", "Default = True",
                             "MaxLength = 2", "Max = 72"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    // Defaults are not written.
    for (const char* line : {"TabStop", "WordWrap", "AutoSize", "Increment", "SizeGrip", "Align = alBottom"})
        EXPECT_EQ(text.find(line), std::string::npos) << line << "\n" << text;

    // What was written reads into the same form again.
    std::string renamed = text;
    renamed.replace(renamed.find("AllForm"), 7, "AllTwo");
    TShownForm again{renamed};
    ExpectAllControls(again);
}

}  // namespace
