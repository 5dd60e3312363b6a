// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list inside a skinned list box: the item strings, the selection, the
// top row and the keyboard, with every pixel painted by its skinned frame.
// Items are kept exactly as given (file names are bytes); only the rows on
// screen are converted for display, so a list of any length costs nothing
// until it is painted.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/tcontrol.h"
#include "framework/tstringlist.h"

class TbsSkinCustomListBox;

enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2 };
using TOwnerDrawState = unsigned;

// The list's own scroll state, as a platform list reports it: rows (one
// column) or columns (several), the visible amount as the page.
struct TbsListScrollInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Position = 0;
};

// Turns wheel input into whole steps. High-resolution wheels and touchpads
// deliver one notch (120) as several small events, so what does not make a
// whole step yet is kept for the next event; turning the other way drops it.
class TbsWheelSteps {
 public:
  static constexpr int kNotch = 120;        // angle delta of one wheel notch
  static constexpr int kMaxSteps = 1 << 20;  // bounds the steps of an absurd delta

  explicit TbsWheelSteps(int stepsPerNotch) : FUnitsPerStep(kNotch / stepsPerNotch) {}
  // Whole steps for `delta` with what was kept; positive when the wheel turned up.
  int Take(int delta);
  void Reset() { FRemainder = 0; }
  int Remainder() const { return FRemainder; }

 private:
  int FUnitsPerStep;
  int FRemainder = 0;
};

class TbsListBox : public TControl {
  Q_OBJECT
 public:
  static constexpr int kAutoCompleteResetMs = 500;  // a pause this long starts a new search prefix
  static constexpr int kWheelLines = 3;             // lines the list itself scrolls per wheel notch

  explicit TbsListBox(QWidget* parent = nullptr);
  ~TbsListBox() override;

  TbsSkinCustomListBox* SkinBox = nullptr;
  // How many pixels the item contents are shifted left by horizontal scrolling.
  int HScrollOffset = 0;

  TStringList& Items() { return FItems; }
  const TStringList& Items() const { return FItems; }
  int Count() const { return FItems.Count(); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int value);
  int Columns() const { return FColumns; }
  void SetColumns(int value);
  // With several selections allowed, ItemIndex is the caret: the row the
  // keyboard works on, selected or not. A click toggles a row; with extended
  // selection a click selects one row, Shift extends from the anchor and Ctrl
  // toggles. Changing the lines clears the selection, since they no longer
  // name the same rows.
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool value) { FExtendedSelect = value; }
  bool Selected(int index) const;
  void SetSelected(int index, bool value);
  // Selected rows; -1 while only one row can be selected.
  int SelCount() const;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool value) { FAutoComplete = value; }
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }

  // Rows that fit wholly; at least one.
  int VisibleRows() const;
  TRect ItemRect(int index) const;
  // The item under a point, or -1 (when `existing` is false, past the last
  // item gives the count).
  int ItemAtPos(const TPoint& p, bool existing = true) const;
  TbsListScrollInfo VScrollInfo() const;
  TbsListScrollInfo HScrollInfo() const;
  // A scroll request that sets the thumb position: rows for one column, columns for several.
  void ScrollTo(int position);
  // Scrolls as little as needed to show the item.
  void MakeVisible(int index);
  // The wheel turned by `angleDelta` (120 a notch, positive up): the list's
  // own lines, then the skinned frame's extra step. Also for a wheel over the
  // frame's scroll bars.
  void Wheel(int angleDelta);
  // Reports a click to the frame, then raises OnClick.
  void Click() override;
  // The type-ahead prefix typed so far.
  const std::string& SearchPrefix() const { return FFilter; }
  // Milliseconds of a monotonic clock; replaceable so type-ahead timing can be driven.
  std::function<int64_t()> Clock;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ItemsChanged();
  int RowsPerColumn() const;
  int MaxTopIndex() const;
  // Selects (or, with several selections, moves the caret as the keys say),
  // scrolls it into view and reports the change as a click.
  void SelectAndShow(int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  bool Navigate(int key, Qt::KeyboardModifiers modifiers);
  // Several selections: exactly the rows between the two, both included.
  void SelectOnlyRange(int from, int to);
  void MultiPress(int index, Qt::KeyboardModifiers modifiers);
  bool MultiSpace(Qt::KeyboardModifiers modifiers);
  void TypeAhead(const std::string& typed, bool backspace);

  TStringList FItems;
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FItemHeight = 20;
  int FColumns = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  bool FSorting = false;
  bool FAutoComplete = true;
  std::string FFilter;
  int64_t FLastKeyTime = 0;
  bool FSelecting = false;
  // Several selections: one flag per line, the anchor of Shift ranges, and
  // whether the button held since the press extends the range.
  std::vector<uint8_t> FSelected;
  int FAnchor = -1;
  bool FDragExtends = false;
  TbsWheelSteps FWheelLines{kWheelLines};
};
