#pragma once
// The main window: its controls are named fields and its behaviour is a set
// of handler methods that the form file wires to events.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win/Bevel.h"
#include "platform/win/Bitmap.h"
#include "platform/win/Button.h"
#include "platform/win/CheckBox.h"
#include "platform/win/CompactBitmap.h"
#include "platform/win/Edit.h"
#include "platform/win/Form.h"
#include "platform/win/Label.h"
#include "platform/win/ListBox.h"
#include "platform/win/Menus.h"
#include "platform/win/Memo.h"
#include "platform/win/PageControl.h"
#include "platform/win/Panel.h"
#include "platform/win/SpeedButton.h"
#include "platform/win/Splitter.h"
#include "platform/win/StatusBar.h"
#include "platform/win/StringGrid.h"
#include "platform/win/UpDown.h"
#include "psetting/PAppSettings.h"
#include "psetting/PFormSettings.h"

class TBitmapperThread;
class TPrintout;

class TMainForm : public TForm {
    GLY_CLASS(TMainForm)
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    // Controls, filled in by the form file.
    TPanel* Panel1 = nullptr;
    TSpeedButton* BoldBtn = nullptr;
    TSpeedButton* ItalicBtn = nullptr;
    TSpeedButton* UnderlineBtn = nullptr;
    TEdit* SizeEdit = nullptr;
    TUpDown* SizeUpDown = nullptr;
    TBevel* Bevel1 = nullptr;
    TSpeedButton* ReloadBrn = nullptr;
    TSpeedButton* PrintBtn = nullptr;
    TSpeedButton* AboutBtn = nullptr;
    TBevel* Bevel2 = nullptr;
    TCheckBox* CacheFontsCheck = nullptr;
    TStatusBar* StatusBar = nullptr;
    TListBox* FontList = nullptr;
    TSplitter* Splitter = nullptr;
    TPageControl* PageControl = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TMemo* TestMemo = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TPanel* Panel2 = nullptr;
    TPanel* PreviewPanel = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* DecLabel = nullptr;
    TLabel* HexLabel = nullptr;
    TButton* CopyBtn = nullptr;
    TStringGrid* TestGrid = nullptr;
    TPopupMenu* PrintPopup = nullptr;
    TMenuItem* FontListItem = nullptr;
    TMenuItem* TestTextItem = nullptr;
    TMenuItem* CharmapItem = nullptr;
    // The settings components that carry the user's choices between runs.
    TPFormSettings* PFormSettings = nullptr;
    TPAppSettings* PAppSettings = nullptr;

    // Window.
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    // Font list.
    void FontListDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void FontListClick(TObject* Sender);
    void Reload(TObject* Sender);
    // Previews.
    void CreateFontBitmap(int Index);
    void ClearCache();
    void CacheFontsCheckClick(TObject* Sender);
    // Style and size.
    void FontPropsChanged(TObject* Sender);
    void SizeEditKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void SizeUpDownChanging(TObject* Sender, bool& AllowChange);
    // Character map.
    void TestGridClick(TObject* Sender);
    void Copy(TObject* Sender);
    // Status bar.
    void StatusBarDrawPanel(TStatusBar* Sender, TStatusPanel* Panel, const TRect& Rect);
    // Printing.
    void PrintBtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PrintFontList(TObject* Sender);
    void PrintTestText(TObject* Sender);
    void PrintCharmap(TObject* Sender);
    // About box.
    void About(TObject* Sender);

    // State of the preview cache, for the status bar and for tests.
    int CachedCount() const noexcept { return PreviewsCached; }
    bool BitmapperRunning() const noexcept { return Bitmapper != nullptr; }
    const TCompactBitmap* PreviewBitmap(int index) const;
    // Waits until the preview thread has ended, serving its hand-offs.
    void WaitForBitmapper();

protected:
    // The previews and the fonts given in points are made again for the
    // new density; the selection, the texts and the toggles stay.
    void DpiChanged(int oldPpi, int newPpi) override;
    // The first window made for the form wraps the character grid (see
    // WrapCharacterGrid).
    void CreateWnd() override;

private:
    void StartBitmapper();
    void BitmapperTerminated(TObject* Sender);
    TFontStyles StyleFromToggles() const;
    // The four named values of PAppSettings: applied in FormCreate, handed
    // back in FormDestroy. The sample text comes last, once the memo has
    // its font: every font change lays the whole text out again.
    void ApplyStoredValues();
    void ApplyStoredText();
    void HandOverValues();
    int SizeValue();
    void Print(TPrintout& printout);
    // At a density other than the design's, sizes the window so that the
    // grid's cells fill its page as they do at the design's.
    void WrapCharacterGrid();

    // One slot per font family, empty until a preview is rendered into it;
    // no slots before FormCreate and after FormDestroy.
    std::vector<std::unique_ptr<TCompactBitmap>> FontBitmaps;
    // Where every preview is rendered before it is packed into its slot:
    // one bitmap for all, as large as the largest preview so far.
    std::unique_ptr<TBitmap> PreviewSheet;
    // The running preview thread, which frees itself; null when none runs.
    TBitmapperThread* Bitmapper = nullptr;
    // Previews rendered with the cache on since it was last cleared: what
    // CachedCount() answers.
    int PreviewsCached = 0;
    // The progress panel as last drawn: its width and the bar's (-1: no
    // bar); 0 until it has been drawn.
    int ProgressPanelWidth = 0;
    int ProgressDrawn = -1;
    // The window has been wrapped round the grid once; never again, so that
    // a size the user or the stored settings chose stays.
    bool GridWrapped = false;
};

// The main window, reachable from anywhere in the program while it exists.
extern TMainForm* MainForm;
