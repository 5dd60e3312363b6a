// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scroll bar drawn from a scroll-bar record: two arrow buttons, the track
// and a thumb sized by the page. It keeps its own range and position and
// changes them by small and large steps, with auto-repeat while a button or
// the track is held, and by dragging the thumb. Scrolling controls place it
// beside their content, copy their state in with SetRange and follow OnChange.

#include <QTimer>
#include <string>

#include "framework/tscrollbar.h"
#include "skin/controls/scrollbargeometry.h"
#include "skin/controls/tbsskincustomcontrol.h"

class TbsSkinScrollBar : public TbsSkinCustomControl {
  Q_OBJECT
 public:
  static constexpr int kRepeatDelayMs = 500;     // first auto-repeat step
  static constexpr int kRepeatIntervalMs = 50;   // every later one
  static constexpr int kBothMarkerWidth = 19;

  explicit TbsSkinScrollBar(QWidget* parent = nullptr);
  ~TbsSkinScrollBar() override;

  int Min() const { return FMin; }
  void SetMin(int value);
  int Max() const { return FMax; }
  void SetMax(int value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int value);
  int Position() const { return FPosition; }
  void SetPosition(int value);
  // Copies a scrolled control's state in; raises no OnChange, so it cannot echo.
  void SetRange(int min, int max, int page, int position);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int value);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int value);
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind value);
  // A horizontal bar that also covers the corner beside a vertical bar.
  bool Both() const { return FBoth; }
  void SetBoth(bool value);
  int BothMarkerWidth() const { return FBothMarkerWidth; }
  void SetBothMarkerWidth(int value);
  const std::string& BothSkinDataName() const { return FBothSkinDataName; }
  void SetBothSkinDataName(const std::string& value) { FBothSkinDataName = value; }
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value);

  // The position for a thumb dragged `delta` pixels from where the drag began.
  int PositionFromDrag(int delta);
  // Places the parts for the present size, state and look.
  void UpdateGeometry();
  const TbsScrollBarGeometry& Geometry() const { return FGeometry; }
  TRect PartRect(TbsScrollBarPart part) const { return FGeometry.Parts[part]; }
  bool PartActive(TbsScrollBarPart part) const { return FActive[part]; }
  bool PartDown(TbsScrollBarPart part) const { return FDown[part]; }
  bool Dragging() const { return FDragging; }
  int RepeatKind() const { return FRepeatKind; }
  QTimer& RepeatTimer() { return FRepeatTimer; }

  void ReadSkinRecord() override;
  void CalcSkinSize(int& width, int& height) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnLastChange;       // the thumb was let go after a drag
  TNotifyEvent OnUpButtonClick;    // replaces the small step up when set
  TNotifyEvent OnDownButtonClick;  // replaces the small step down when set
  TNotifyEvent OnPageUp;           // after each page step toward Min
  TNotifyEvent OnPageDown;         // after each page step toward Max

 protected:
  void DrawDefaultImage(TBitmap& bitmap) override;
  void DrawSkinImage(TBitmap& bitmap) override;
  void MouseLeft() override;

  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  enum TRepeatKind { rkNone = 0, rkSmallDown = 1, rkSmallUp = 2, rkPageToMin = 3, rkPageToMax = 4 };

  // The parts follow every change of the state at once, so presses and
  // drags never meet a stale layout.
  void Changed();
  bool Skinned() const { return FSkinIndex != -1 && FHasScrollRecord; }
  bool Vertical() const { return FKind == sbVertical; }
  TbsScrollState State() const;
  int ClampPosition(int value) const;
  bool FocusedHere() const { return FCanFocused && hasFocus(); }
  int PartAt(const TPoint& p) const;
  void SetHotPart(int part);
  void StepDown();
  void StepUp();
  void StartRepeat(int intervalMs);
  void RepeatTick();
  bool PointerBeforeThumb() const;
  bool PointerAfterThumb() const;
  // Paging towards Max waits while the pointer is off the bar (the kind is
  // kept, so coming back resumes it); paging towards Min goes on.
  void PausePagingToMax();
  void UpdateFocusPolicy();
  void DrawSkinThumb(TCanvas& canvas, const TRect& r);

  int FMin = 0;
  int FMax = 100;
  int FPageSize = 0;
  int FPosition = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
  TScrollBarKind FKind = sbHorizontal;
  bool FBoth = false;
  int FBothMarkerWidth = kBothMarkerWidth;
  std::string FNormalSkinDataName;
  std::string FBothSkinDataName = "bothhscrollbar";
  bool FCanFocused = false;
  bool FTabStop = false;
  bool FFocusingByMouse = false;

  TbsScrollBarGeometry FGeometry;
  bool FActive[3] = {};
  bool FDown[3] = {};
  int FHotPart = -1;
  int FPressedPart = -1;
  TPoint FPointer{-1, -1};
  bool FMouseDown = false;
  bool FDragging = false;
  int FDragStartPos = 0;
  int FDragStartShift = 0;
  int FRepeatKind = rkNone;
  bool FDelayPending = false;
  QTimer FRepeatTimer;

  // Copied from the scroll bar record.
  bool FHasScrollRecord = false;
  TRect FTrackArea, FUpButtonRect, FActiveUpButtonRect, FDownUpButtonRect, FDownButtonRect,
      FActiveDownButtonRect, FDownDownButtonRect, FThumbRect, FActiveThumbRect, FDownThumbRect, FGlyphRect,
      FActiveGlyphRect, FDownGlyphRect;
  int FThumbOffset1 = 0;
  int FThumbOffset2 = 0;
};
