// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One open level of a skinned menu: a top-level popup window of ours that
// lays out the visible items, places itself against its anchor inside the
// work area, paints from the skin's popup-window and menu-item records (or
// the plain look) and turns the pointer and the keyboard into highlighting,
// scrolling, submenus and running items through its TbsSkinMenu.

#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "framework/tbitmap.h"
#include "framework/tmenuitem.h"
#include "framework/trect.h"
#include "skin/data/tbsdataskinpopupwindow.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinmenuitem.h"

class TbsSkinData;

class TbsSkinPopupWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMouseInterval = 50;   // ms between reads of the pointer
  static constexpr int kMorphInterval = 20;   // ms between fade steps of the items
  static constexpr int kScrollInterval = 100; // ms per item while scrolling
  static constexpr int kPlainGlyphColumn = 19;
  static constexpr int kPlainBorder = 2;      // plain look: the two frames around the items
  enum TScrollDirection { sdNone = 0, sdUp = 1, sdDown = 2 };

  TbsSkinPopupWindow(TbsSkinMenu* menu, int level);
  ~TbsSkinPopupWindow() override;

  int Level() const { return FLevel; }
  // The controller; none once it has gone and this window waits to be freed.
  TbsSkinMenu* Menu() const { return FMenu.data(); }
  // The item whose sub-items this popup shows.
  TMenuItem* ParentItem() const { return FParentItem.data(); }

  // Takes the visible sub-items of `items` from `first` on and sizes the
  // window for them against `workArea` (its height may make it scroll).
  void Prepare(TMenuItem* items, int first, TbsSkinData* skinData, const TRect& workArea);
  // Places the prepared window against `anchor` and shows it; the first
  // selectable item becomes active.
  void ShowAt(const TRect& anchor, bool upwards);

  bool Skinned() const { return FSkinned; }
  bool Scroll() const { return FScroll; }
  int ScrollDirection() const { return FScrollDirection; }
  int FirstVisible() const { return FFirstVisible; }
  int VisibleCount() const { return FVisibleCount; }
  int ItemCount() const { return int(FItems.size()); }
  TbsSkinMenuItem& Item(int index) const { return *FItems[size_t(index)]; }
  int ActiveItem() const { return FActiveItem; }
  const TRect& ItemsRect() const { return FItemsRect; }
  const TbsMenuPaintContext& PaintContext() const { return FContext; }
  const std::optional<QRegion>& WindowRegion() const { return FRegion; }
  // The scroll marker bands, in window coordinates.
  TRect UpBand() const;
  TRect DownBand() const;
  // The visible item under window point `p`, or -1.
  int ItemAt(const TPoint& p) const;
  // Item `index`'s rectangle in screen coordinates.
  TRect ItemScreenRect(int index) const;

  // Pointer and keyboard, as the timers and events feed them; tests may too.
  void ProcessMousePosition(const TPoint& p);
  void MouseTimerStep();
  void MorphTimerStep();
  void ScrollStep();
  // Highlights item `index` (-1: none) as the pointer or the keyboard does.
  void SetActiveItem(int index);
  // Tells assistive technology that the highlighted item has the focus.
  void AnnounceActiveItem();
  // Runs the active item; returns at once, since running may free this window.
  void ExecuteActiveItem();
  // True when the key was a menu key.
  bool HandleKey(int key, const QString& text);
  QTimer& MouseTimer() { return FMouseTimer; }
  QTimer& MorphTimer() { return FMorphTimer; }
  QTimer& ScrollTimer() { return FScrollTimer; }

  // The window's picture as it is now.
  QImage Render() const;
  // Closed by the menu: stops, hides and goes away later.
  void Dismiss();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void Layout();
  void Paint(TBitmap& buffer) const;
  void StartScroll(int direction);
  void StopScroll();
  // Moves the visible range so item `index` shows.
  void ScrollTo(int index);
  void StartMorph();
  void FadeInStep();
  int NextSelectable(int from, int step) const;

  QPointer<TbsSkinMenu> FMenu;
  int FLevel;
  QPointer<TMenuItem> FParentItem;
  std::vector<std::unique_ptr<TbsSkinMenuItem>> FItems;
  TbsMenuPaintContext FContext;
  int FDefItemHeight = 20;

  // The popup record and pictures, copied when the menu opens.
  bool FSkinned = false;
  TbsDataSkinPopupWindow FRecord;
  TBitmap FWindowPicture, FMaskPicture;
  TPoint FSizedLT, FSizedRT, FSizedLB, FSizedRB;
  TRect FItemsRect;
  std::optional<QRegion> FRegion;
  TRect FWorkArea;

  bool FScroll = false;
  int FScrollDirection = sdNone;
  int FFirstVisible = 0, FVisibleCount = 0;
  int FActiveItem = -1, FOldActiveItem = -1;

  QTimer FMouseTimer, FMorphTimer, FScrollTimer, FFadeTimer;
  QPoint FLastCursor;
  QPoint FCursorAtShow;
  bool FPressedInside = false;
  bool FDismissed = false;  // closing: a hide no longer closes the menu
  bool FGone = false;       // hidden and on its way out
  bool FAnnounced = false;  // assistive technology was told the menu opened
  int FAlpha = 255;
};
