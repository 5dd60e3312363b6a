#pragma once
// The list inside a skinned list box: the item strings, the selection, the
// top row and the keyboard, with every pixel painted by its skinned frame.
// Items are kept exactly as given (file names are bytes); only the rows on
// screen are converted for display, so a list of any length costs nothing
// until it is painted.

#include <cstdint>
#include <functional>
#include <string>

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
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value) { FMultiSelect = value; }
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool value) { FExtendedSelect = value; }
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
  void Click() override;

 private:
  void ItemsChanged();
  int RowsPerColumn() const;
  int MaxTopIndex() const;
  // Selects, scrolls it into view and reports the change as a click.
  void SelectAndShow(int index);
  void MakeVisible(int index);
  bool Navigate(int key);
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
};
