object AboutDlg: TAboutDlg
  Left = 0
  Top = 0
  ActiveControl = OKBtn
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'O aplikaci'
  ClientHeight = 320
  ClientWidth = 296
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Position = poScreenCenter
  OnMouseMove = FormMouseMove
  object IconImage: TImage
    Left = 12
    Top = 8
    Width = 33
    Height = 33
    OnMouseMove = FormMouseMove
  end
  object NameLabel: TLabel
    Left = 56
    Top = 8
    Width = 38
    Height = 13
    Caption = 'Aplikace'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    OnMouseMove = FormMouseMove
  end
  object VersionLabel: TLabel
    Left = 56
    Top = 24
    Width = 30
    Height = 13
    Caption = 'Verze '
    OnMouseMove = FormMouseMove
  end
  object CopyrightLabel: TLabel
    Left = 56
    Top = 48
    Width = 51
    Height = 13
    Caption = 'Copyright'
    OnMouseMove = FormMouseMove
  end
  object Bevel1: TBevel
    Left = 0
    Top = 62
    Width = 297
    Height = 10
    Shape = bsBottomLine
  end
  object Panel1: TPanel
    Left = 0
    Top = 72
    Width = 297
    Height = 202
    BevelOuter = bvNone
    Color = 14737632
    TabOrder = 1
    OnMouseMove = FormMouseMove
    object Label3: TLabel
      Left = 16
      Top = 8
      Width = 48
      Height = 13
      Caption = 'Kontakt:'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'Tahoma'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label1: TLabel
      Left = 32
      Top = 25
      Width = 36
      Height = 13
      Caption = 'E-mail:'
      OnMouseMove = FormMouseMove
    end
    object EMailLabel: TLabel
      Left = 72
      Top = 25
      Width = 27
      Height = 13
      Cursor = crHandPoint
      Caption = 'E-mail'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlue
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsUnderline]
      ParentFont = False
      OnClick = EmailLabelClick
      OnMouseMove = EmailLabelMouseMove
    end
    object Label2: TLabel
      Left = 32
      Top = 41
      Width = 31
      Height = 13
      Caption = 'WWW:'
      OnMouseMove = FormMouseMove
    end
    object WWWLabel: TLabel
      Left = 72
      Top = 41
      Width = 29
      Height = 13
      Cursor = crHandPoint
      Caption = 'WWW'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clBlue
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsUnderline]
      ParentFont = False
      OnClick = WWWLabelClick
      OnMouseMove = WWWLabelMouseMove
    end
    object Label4: TLabel
      Left = 16
      Top = 64
      Width = 125
      Height = 13
      Caption = 'Dodatečné informace:'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'Tahoma'
      Font.Style = [fsBold]
      ParentFont = False
      OnMouseMove = FormMouseMove
    end
    object AdditionalMemo: TMemo
      Left = 32
      Top = 84
      Width = 241
      Height = 105
      ReadOnly = True
      ScrollBars = ssVertical
      TabOrder = 0
      OnMouseMove = FormMouseMove
    end
  end
  object Bevel2: TBevel
    Left = -1
    Top = 274
    Width = 297
    Height = 7
    Shape = bsTopLine
  end
  object OKBtn: TButton
    Left = 212
    Top = 286
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    Cancel = True
    ModalResult = 1
    TabOrder = 0
    OnMouseMove = FormMouseMove
  end
end
