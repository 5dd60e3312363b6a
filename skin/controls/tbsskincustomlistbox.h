// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame of a skinned list box: draws the list box record around an
// inner list, paints that list's rows from the record's item pieces, and
// creates, places and removes skinned scroll bars as the content needs them,
// keeping bars and list in step both ways.

#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>

#include "skin/controls/tbslistbox.h"
#include "skin/controls/tbsskincustomcontrol.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "framework/talignment.h"

using TKeyEvent = std::function<void(int& key, TShiftState shift)>;
// Replaces the drawing of an item's contents (the background is already drawn).
using TbsDrawSkinItemEvent = std::function<void(TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                TRect TxtRect, TOwnerDrawState State)>;

// The three buttons of the caption strip, in their order from the right.
enum TbsListCaptionButton { cbUpButton = 0, cbDownButton = 1, cbCheckButton = 2 };

struct TbsCaptionButtonState {
  TRect R;  // where it is at the present size
  bool MouseIn = false;
  bool Down = false;
};

class TbsSkinCustomListBox : public TbsSkinCustomControl {
  Q_OBJECT
 public:
  static constexpr int kRepeatDelayMs = 500;          // first auto-repeat step of a held caption button
  static constexpr int kRepeatIntervalMs = 100;       // every later one
  static constexpr int kRepeatReturnIntervalMs = 50;  // once the pointer comes back over the held button

  explicit TbsSkinCustomListBox(QWidget* parent = nullptr);
  ~TbsSkinCustomListBox() override;

  TbsListBox* InnerList() const { return FInnerList; }
  // The bars exist only while there is something to scroll.
  TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }

  // The inner list's lines themselves: filling or clearing them updates the list.
  TStringList& Items() { return FInnerList->Items(); }
  void SetItems(const TStringList& value);
  int ItemIndex() const { return FInnerList->ItemIndex(); }
  void SetItemIndex(int value) { FInnerList->SetItemIndex(value); }
  bool AutoComplete() const { return FInnerList->AutoComplete(); }
  void SetAutoComplete(bool value) { FInnerList->SetAutoComplete(value); }
  int Columns() const { return FInnerList->Columns(); }
  void SetColumns(int value);
  bool Selected(int index) const { return FInnerList->Selected(index); }
  void SetSelected(int index, bool value) { FInnerList->SetSelected(index, value); }
  int SelCount() const { return FInnerList->SelCount(); }
  bool MultiSelect() const { return FInnerList->MultiSelect(); }
  void SetMultiSelect(bool value) { FInnerList->SetMultiSelect(value); }
  bool ExtandedSelect() const { return FInnerList->ExtendedSelect(); }
  void SetExtandedSelect(bool value) { FInnerList->SetExtendedSelect(value); }
  bool Sorted() const { return FInnerList->Sorted(); }
  void SetSorted(bool value);
  TFont& ListBoxFont() { return FInnerList->Font(); }
  void SetListBoxFont(const TFont& value) { FInnerList->Font() = value; }
  bool ListBoxTabStop() const { return FInnerList->TabStop(); }
  void SetListBoxTabStop(bool value) { FInnerList->SetTabStop(value); }

  bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
  void SetUseSkinItemHeight(bool value);
  int DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int value);
  bool HorizontalExtent() const { return FHorizontalExtent; }
  void SetHorizontalExtent(bool value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int value);
  bool CaptionMode() const { return FCaptionMode; }
  void SetCaptionMode(bool value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int value);
  TFont& DefaultCaptionFont() { return FDefaultCaptionFont; }
  void SetDefaultCaptionFont(const TFont& value) { FDefaultCaptionFont = value; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  const TBitmap& Glyph() const { return FGlyph; }
  void SetGlyph(const TBitmap& value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  // Caption buttons at the present size and look; empty when there is no such button.
  TRect CaptionButtonRect(int button) const;
  const TbsCaptionButtonState& CaptionButton(int button) const { return FCaptionButtons[button]; }
  // The caption text area at the present size and look.
  TRect CaptionTextRect() const;
  int HotButton() const { return FHotButton; }
  int PressedButton() const { return FPressedButton; }
  // 0 none, 1 up, 2 down.
  int RepeatMode() const { return FRepeatMode; }
  QTimer& RepeatTimer() { return FRepeatTimer; }

  // The control height that shows `rows` whole rows.
  int HeightForRows(int rows) const;
  // The item at a point of the inner list, or -1.
  int ItemAtPos(const TPoint& p) const { return FInnerList->ItemAtPos(p); }
  int ItemHeight() const { return FInnerList->ItemHeight(); }
  const TRect& ListRect() const { return FListRect; }

  void ReadSkinRecord() override;
  void SkinChanged() override;
  // Places the inner list and the bars in the client part at the present size.
  void AdjustLayout();
  // Shows, hides and sets the bars from the inner list's state.
  void UpdateScrollBars();

  // Called by the inner list.
  virtual int ItemTextWidth(const std::string& text) const;
  virtual void ListBoxMouseDown(Qt::MouseButton button, const TPoint& p);
  virtual void ListBoxMouseMove(const TPoint& p);
  virtual void ListBoxMouseUp(Qt::MouseButton button, const TPoint& p);
  virtual void ListBoxClick();
  virtual void ListBoxDblClick();
  virtual void ListBoxKeyDown(int& key, TShiftState shift);
  virtual void ListBoxKeyUp(int& key, TShiftState shift);
  virtual void ListBoxKeyPress(char& key);
  virtual void ListBoxEnter() {}
  virtual void ListBoxExit() {}
  // After the list's own wheel step: one more line a notch while the vertical
  // bar shows, else the horizontal bar's small step.
  void ListBoxWheel(int angleDelta);
  // Left and Right scroll the texts while the horizontal bar shows; true when used.
  bool ScrollHorizontallyByKey(int key);
  void PrepareListPaint();
  void DrawListItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state);
  void FillListBackground(QPainter& painter, const TRect& area);
  // The colour of an item's text that is neither selected nor focused, in the present look.
  TColor ItemTextColor() const;

  TNotifyEvent OnListBoxClick;
  TNotifyEvent OnListBoxDblClick;
  TMouseEvent OnListBoxMouseDown;
  TMouseMoveEvent OnListBoxMouseMove;
  TMouseEvent OnListBoxMouseUp;
  TKeyEvent OnListBoxKeyDown;
  TKeyEvent OnListBoxKeyUp;
  TKeyPressEvent OnListBoxKeyPress;
  TbsDrawSkinItemEvent OnDrawItem;
  // What assistive technology says of an item besides its text; none when unset.
  std::function<std::string(int index)> OnItemDescription;
  // Replace the caption buttons' own action (and, for up and down, their auto-repeat).
  TNotifyEvent OnUpButtonClick;
  TNotifyEvent OnDownButtonClick;
  TNotifyEvent OnCheckButtonClick;

 protected:
  void DrawDefaultImage(TBitmap& bitmap) override;
  void DrawSkinImage(TBitmap& bitmap) override;
  void DefaultFontChanged() override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The wheel over the frame or its scroll bars scrolls the list.
  void wheelEvent(QWheelEvent* event) override;
  void MouseLeft() override;

 private:
  bool Skinned() const { return FSkinIndex != -1 && FHasListRecord; }
  void ShowVScrollBar();
  void HideVScrollBar();
  void ShowHScrollBar();
  void HideHScrollBar();
  void VScrollChanged();
  void HScrollChanged();
  TFont ItemFont() const;
  void DrawItemContents(TCanvas& canvas, int index, const TRect& textRect, TOwnerDrawState state);
  // Caption strip.
  int DefaultCaptionButtonSize() const;
  // A record part measured inside SkinRect, moved along when it lies in the stretching right or bottom part.
  TRect SizedSkinPart(const TRect& r) const;
  void UpdateCaptionButtons();
  int CaptionButtonAt(const TPoint& p) const;
  void SetHotButton(int button);
  void DrawCaptionContent(TCanvas& canvas, const TRect& K);
  void DrawDefaultCaptionButton(TCanvas& canvas, int button);
  void DrawSkinCaptionButton(TCanvas& canvas, int button);
  void StartRepeat(int intervalMs);
  void StopRepeat();
  void RepeatTick();
  // Moves the selection one row, keeping it on the list and in view.
  void StepItemIndex(int delta);

  TbsListBox* FInnerList;
  QPointer<TbsSkinScrollBar> FVScrollBar;
  QPointer<TbsSkinScrollBar> FHScrollBar;
  TbsWheelSteps FWheelSteps{1};
  bool FUseSkinItemHeight = true;
  int FDefaultItemHeight = 20;
  bool FHorizontalExtent = false;
  int FRowCount = 0;
  int FImageIndex = -1;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  bool FCaptionMode = false;
  int FDefaultCaptionHeight = 20;
  TFont FDefaultCaptionFont{"Arial", 14};
  std::string FCaption;
  TBitmap FGlyph;
  TAlignment FAlignment = taLeftJustify;
  TbsCaptionButtonState FCaptionButtons[3];
  int FHotButton = -1;
  int FOldHotButton = -1;
  int FPressedButton = -1;
  int FRepeatMode = 0;
  bool FFirstRepeat = false;
  QTimer FRepeatTimer;
  bool SkinUpdating = false;
  TRect FListRect;

  // Copied from the list box record.
  bool FHasListRecord = false;
  TRect FItemRect, FActiveItemRect, FFocusItemRect, FItemTextRect;
  int FItemLeftOffset = 0, FItemRightOffset = 0;
  std::string FFontName = "Arial";
  int FFontHeight = 14;
  TFontStyles FFontStyle = 0;
  TColor FFontColor = 0, FActiveFontColor = 0, FFocusFontColor = 0;
  TRect FCaptionRect;
  std::string FCaptionFontName = "Arial";
  int FCaptionFontHeight = 14;
  TFontStyles FCaptionFontStyle = 0;
  TColor FCaptionFontColor = 0;
  // Per button: normal (inside SkinRect), active and down (in the picture).
  TRect FButtonRects[3][3];
  std::string FVScrollBarName = "vscrollbar", FHScrollBarName = "hscrollbar",
              FBothHScrollBarName = "bothhscrollbar";
};
