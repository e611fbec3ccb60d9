object MainForm: TMainForm
  Left = 0
  Top = 0
  Width = 646
  Height = 500
  ActiveControl = FontList
  Caption = 'Glyphora'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  KeyPreview = True
  Position = poDefaultPosOnly
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnKeyDown = FormKeyDown
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 638
    Height = 28
    Align = alTop
    BevelInner = bvRaised
    BevelOuter = bvLowered
    ShowHint = True
    TabOrder = 0
    object BoldBtn: TSpeedButton
      Left = 3
      Top = 3
      Width = 23
      Height = 22
      Hint = 'Tučné'
      AllowAllUp = True
      GroupIndex = 1
      Flat = True
      Glyph.Data = {
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333333
        3333333333333330000000003333333300033000033333330003330000333333
        0003330000333333000333000033333300033000033333330000000333333333
        0003300033333333000333000333333300033300033333330003300033333330
        00000003333333333333333333333333333333333333}
      OnClick = FontPropsChanged
    end
    object ItalicBtn: TSpeedButton
      Left = 26
      Top = 3
      Width = 23
      Height = 22
      Hint = 'Kurzíva'
      AllowAllUp = True
      GroupIndex = 2
      Flat = True
      Glyph.Data = {
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333333
        3333333333333330000033333333333300033333333333330003333333333333
        3000333333333333300033333333333333000333333333333300033333333333
        3330003333333333333000333333333333330003333333333333000333333333
        33300000333333333333333333333333333333333333}
      OnClick = FontPropsChanged
    end
    object UnderlineBtn: TSpeedButton
      Left = 49
      Top = 3
      Width = 23
      Height = 22
      Hint = 'Podržení'
      AllowAllUp = True
      GroupIndex = 3
      Flat = True
      Glyph.Data = {
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333333
        3333333333333333333333333333330000000000003333333333333333333333
        3300003333333333300330033333333300333300333333330033330033333333
        0033330033333333003333003333333300333300333333330033330033333333
        00333300333333300003300003333333333333333333}
      OnClick = FontPropsChanged
    end
    object Bevel1: TBevel
      Left = 144
      Top = 2
      Width = 9
      Height = 24
      Shape = bsLeftLine
    end
    object ReloadBrn: TSpeedButton
      Left = 157
      Top = 3
      Width = 73
      Height = 22
      Hint = 'Obnoví seznam písem'
      Caption = 'Obnovit'
      Flat = True
      Glyph.Data = {
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333300
        000000000033330FFFFFFFFFF033330FFFF222FFF033330FFAF2FF2FF033330F
        AAFFFFF2F033330AAAAFFFF2F033330FFFFFFFF2F033330F2FFFFFFFF033330F
        2FFFFAAAA033330F2FFFFFAAF033330FF2FFF2AFF033330FFF222F000033330F
        FFFFFF0F0333330FFFFFFF0033333300000000033333}
      OnClick = Reload
    end
    object PrintBtn: TSpeedButton
      Left = 230
      Top = 3
      Width = 73
      Height = 22
      Hint = 'Vytiskne seznam písem nebo právě vybrané písmo'
      Caption = 'Tisk'
      Flat = True
      Glyph.Data = {
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333333
        3300000333333333330FFF0333333330000FFF0003333307770FFF0770333307
        7700000778033307777777777803330888888888800333077777777A78033307
        7777777778033330000000000033333330FFFFF03333333330F000F033333333
        30FFFFF0333333333000000033333333333333333333}
      OnMouseUp = PrintBtnMouseUp
    end
    object AboutBtn: TSpeedButton
      Left = 303
      Top = 3
      Width = 90
      Height = 22
      Hint = 'Zobrazí informace o aplikaci'
      Caption = 'O aplikaci...'
      Flat = True
      Glyph.Data = {
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333333
        3111111333333331111111111333331111FFFF1111333311111FF11111333111
        111FF11111133111111FF11111133111111FF11111133111111FF11111133111
        11FFF111111331111111111111133311111FF11111333311111FF11111333331
        11111111133333333111111333333333333333333333}
      OnClick = About
    end
    object Bevel2: TBevel
      Left = 404
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
      TabOrder = 1
      Text = '16'
      OnExit = FontPropsChanged
      OnKeyUp = SizeEditKeyUp
    end
    object SizeUpDown: TUpDown
      Left = 117
      Top = 4
      Width = 15
      Height = 21
      Hint = 'Velikost písma'
      Associate = SizeEdit
      Min = 8
      Max = 72
      Position = 16
      TabOrder = 0
      Thousands = False
      Wrap = False
      OnChanging = SizeUpDownChanging
    end
    object CacheFontsCheck: TCheckBox
      Left = 416
      Top = 6
      Width = 137
      Height = 17
      Hint = 'Pokud zatrhnete tuto volbu, zobrazování písem bude rychlejší, ale mohou nastat problémy při velkém počtu písem'
      Caption = '&Načítat písma dopředu'
      Checked = True
      TabOrder = 2
      OnClick = CacheFontsCheckClick
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
    SimplePanel = False
    SizeGrip = True
    OnDrawPanel = StatusBarDrawPanel
  end
  object FontList: TListBox
    Left = 0
    Top = 28
    Width = 257
    Height = 426
    Align = alLeft
    ItemHeight = 36
    Style = lbOwnerDrawFixed
    TabOrder = 1
    OnClick = FontListClick
    OnDrawItem = FontListDrawItem
  end
  object Splitter: TSplitter
    Left = 257
    Top = 28
    Width = 2
    Height = 426
    Align = alLeft
    Beveled = False
    MinSize = 30
  end
  object PageControl: TPageControl
    Left = 259
    Top = 28
    Width = 379
    Height = 426
    ActivePage = TabSheet2
    Align = alClient
    TabOrder = 2
    object TabSheet2: TTabSheet
      Caption = 'Testovací text'
      object TestMemo: TMemo
        Left = 0
        Top = 0
        Width = 371
        Height = 398
        Align = alClient
        Lines.Strings = (
          '(sem napište jakýkoliv text, který se zobrazí vybraným písmem)')
        ScrollBars = ssVertical
        TabOrder = 0
      end
    end
    object TabSheet1: TTabSheet
      Caption = 'Mapa znaků'
      object Panel2: TPanel
        Left = 0
        Top = 0
        Width = 371
        Height = 73
        Align = alTop
        BevelOuter = bvNone
        TabOrder = 1
        object Label1: TLabel
          Left = 64
          Top = 8
          Caption = 'Dec:'
        end
        object Label2: TLabel
          Left = 64
          Top = 24
          Caption = 'Hex:'
        end
        object DecLabel: TLabel
          Left = 96
          Top = 8
          Caption = '000'
        end
        object HexLabel: TLabel
          Left = 96
          Top = 24
          Caption = '00'
        end
        object PreviewPanel: TPanel
          Left = 8
          Top = 8
          Width = 49
          Height = 49
          BevelOuter = bvLowered
          Color = clWindow
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -32
          Font.Name = 'Tahoma'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
        end
        object CopyBtn: TButton
          Left = 128
          Top = 8
          Width = 75
          Height = 25
          Caption = '&Kopírovat'
          Default = True
          TabOrder = 1
          OnClick = Copy
        end
      end
      object TestGrid: TStringGrid
        Left = 0
        Top = 73
        Width = 371
        Height = 325
        Align = alClient
        ColCount = 16
        DefaultColWidth = 22
        DefaultRowHeight = 22
        FixedCols = 0
        FixedRows = 0
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -16
        Font.Name = 'Tahoma'
        Font.Style = []
        Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine]
        ParentFont = False
        RowCount = 14
        ScrollBars = ssNone
        TabOrder = 0
        OnClick = TestGridClick
      end
    end
  end
  object PrintPopup: TPopupMenu
    object FontListItem: TMenuItem
      Caption = '&Seznam fontů'
      OnClick = PrintFontList
    end
    object TestTextItem: TMenuItem
      Caption = '&Testovací text'
      OnClick = PrintTestText
    end
    object CharmapItem: TMenuItem
      Caption = '&Mapa znaků'
      OnClick = PrintCharmap
    end
  end
  object PFormSettings: TPFormSettings
    CompanyName = 'Orlenka'
    SoftwareName = 'Glyphora'
    SoftwareVersion = '2.10'
    RegistryRootKey = prkCurrentUser
    SaveLocation = pslRegistry
    MRULength = 0
    MRUMaxItemWidth = 300
    AppSettingsCtrl = PAppSettings
    Settings = (
      ''
      'BoldBtn.Down'
      ''
      False
      ''
      'ItalicBtn.Down'
      ''
      False
      ''
      'UnderlineBtn.Down'
      ''
      False
      ''
      'Splitter.Left'
      ''
      False
      ''
      'PageControl.ActivePage'
      ''
      False
      ''
      'SizeUpDown.Position'
      ''
      False
      ''
      'CacheFontsCheck.Checked'
      ''
      False
    )
  end
  object PAppSettings: TPAppSettings
    CompanyName = 'Orlenka'
    SoftwareName = 'Glyphora'
    SoftwareVersion = '2.10'
    RegistryRootKey = prkCurrentUser
    SaveLocation = palRegistry
    Settings = (
      'FontList.ItemIndex'
      False
      'TestGrid.Row'
      False
      'TestGrid.Col'
      False
      'TestMemo.Text'
      False
    )
  end
end
