// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbslistbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>

#include "skin/controls/accessiblecontrols.h"
#include "skin/controls/focusmark.h"
#include "skin/controls/tbsskincustomlistbox.h"

namespace {

int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Type-ahead compares as the list's own search does: ASCII letters without
// regard to case, every other byte exactly.
bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    unsigned char a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(prefix[i]);
    if (a < 0x80) a = static_cast<unsigned char>(std::tolower(a));
    if (b < 0x80) b = static_cast<unsigned char>(std::tolower(b));
    if (a != b) return false;
  }
  return true;
}

// Length of the last whole UTF-8 character of `s`.
size_t LastCharLength(const std::string& s) {
  size_t n = 1;
  while (n < s.size() && n < 4 && (static_cast<unsigned char>(s[s.size() - n]) & 0xC0) == 0x80) ++n;
  return n;
}

}  // namespace

TbsListBox::TbsListBox(QWidget* parent) : TControl(parent), Clock(SteadyMs) {
  InstallControlsAccessibility();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  SetColor(clWindow);
  FItems.OnChange = [this] { ItemsChanged(); };
}

TbsListBox::~TbsListBox() { FItems.OnChange = nullptr; }

void TbsListBox::ItemsChanged() {
  if (FSorted && !FSorting) {
    // Sorting replaces the lines, which reports a change of its own.
    FSorting = true;
    std::vector<std::string> sorted = FItems.Items();
    std::sort(sorted.begin(), sorted.end());
    FItems.Assign(std::move(sorted));
    FSorting = false;
  }
  if (FItemIndex >= Count()) FItemIndex = -1;
  if (FMultiSelect) {
    FSelected.assign(size_t(Count()), 0);
    FAnchor = -1;
  }
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  if (SkinBox) SkinBox->UpdateScrollBars();
  update();
  ListRowsChanged(this);
}

void TbsListBox::SetSorted(bool value) {
  if (FSorted == value) return;
  FSorted = value;
  if (value) ItemsChanged();
}

void TbsListBox::SetItemIndex(int value) {
  if (value < -1 || value >= Count()) value = -1;
  if (FItemIndex == value) return;
  FItemIndex = value;
  update();
  ListCurrentRowChanged(this);
}

void TbsListBox::SetMultiSelect(bool value) {
  if (FMultiSelect == value) return;
  FMultiSelect = value;
  FSelected.clear();
  FAnchor = -1;
  if (value) {
    // The single selection carries over as the first of several.
    FSelected.assign(size_t(Count()), 0);
    if (FItemIndex != -1) FSelected[size_t(FItemIndex)] = 1;
    FAnchor = FItemIndex;
  }
  update();
}

bool TbsListBox::Selected(int index) const {
  if (!FMultiSelect) return index >= 0 && index == FItemIndex;
  return index >= 0 && size_t(index) < FSelected.size() && FSelected[size_t(index)];
}

void TbsListBox::SetSelected(int index, bool value) {
  if (index < 0 || index >= Count()) return;
  if (!FMultiSelect) {
    if (value) SetItemIndex(index);
    else if (index == FItemIndex) SetItemIndex(-1);
    return;
  }
  if (bool(FSelected[size_t(index)]) == value) return;
  FSelected[size_t(index)] = value;
  update();
}

int TbsListBox::SelCount() const {
  if (!FMultiSelect) return -1;
  return int(std::count(FSelected.begin(), FSelected.end(), uint8_t(1)));
}

void TbsListBox::SelectOnlyRange(int from, int to) {
  if (from > to) std::swap(from, to);
  std::fill(FSelected.begin(), FSelected.end(), uint8_t(0));
  from = std::max(from, 0);
  to = std::min(to, Count() - 1);
  if (from <= to) std::fill(FSelected.begin() + from, FSelected.begin() + to + 1, uint8_t(1));
  update();
}

void TbsListBox::MultiPress(int index, Qt::KeyboardModifiers modifiers) {
  const bool shift = modifiers & Qt::ShiftModifier, ctrl = modifiers & Qt::ControlModifier;
  FDragExtends = false;
  if (!FExtendedSelect || (ctrl && !shift)) {
    FSelected[size_t(index)] ^= 1;
    FAnchor = index;
  } else if (shift) {
    const int anchor = FAnchor != -1 ? FAnchor : index;
    if (ctrl) {
      // Ctrl+Shift adds the range to what is selected.
      for (int i = std::min(anchor, index); i <= std::max(anchor, index); ++i) FSelected[size_t(i)] = 1;
    } else {
      SelectOnlyRange(anchor, index);
      FDragExtends = true;
    }
    FAnchor = anchor;
  } else {
    SelectOnlyRange(index, index);
    FAnchor = index;
    FDragExtends = true;
  }
  SetItemIndex(index);
  update();
}

bool TbsListBox::MultiSpace(Qt::KeyboardModifiers modifiers) {
  if (FItemIndex < 0) return false;
  const bool shift = modifiers & Qt::ShiftModifier, ctrl = modifiers & Qt::ControlModifier;
  if (!FExtendedSelect || ctrl) {
    FSelected[size_t(FItemIndex)] ^= 1;
    FAnchor = FItemIndex;
  } else if (shift && FAnchor != -1) {
    SelectOnlyRange(FAnchor, FItemIndex);
  } else {
    SelectOnlyRange(FItemIndex, FItemIndex);
    FAnchor = FItemIndex;
  }
  update();
  Click();
  return true;
}

int TbsListBox::RowsPerColumn() const { return FItemHeight > 0 ? std::max(1, height() / FItemHeight) : 1; }

int TbsListBox::VisibleRows() const { return RowsPerColumn(); }

int TbsListBox::MaxTopIndex() const {
  if (FColumns < 2) return std::max(0, Count() - VisibleRows());
  const int rows = RowsPerColumn();
  const int columns = (Count() + rows - 1) / rows;
  return std::max(0, columns - FColumns) * rows;
}

void TbsListBox::SetTopIndex(int value) {
  if (FColumns >= 2) value -= value % RowsPerColumn();
  value = std::clamp(value, 0, MaxTopIndex());
  if (FTopIndex == value) return;
  FTopIndex = value;
  update();
  if (SkinBox) SkinBox->UpdateScrollBars();
}

void TbsListBox::SetItemHeight(int value) {
  if (value < 1 || FItemHeight == value) return;
  FItemHeight = value;
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  update();
}

void TbsListBox::SetColumns(int value) {
  value = std::max(0, value);
  if (FColumns == value) return;
  FColumns = value;
  FTopIndex = 0;
  update();
}

TRect TbsListBox::ItemRect(int index) const {
  const int k = index - FTopIndex;
  if (FColumns < 2) return Bounds(0, k * FItemHeight, width(), FItemHeight);
  const int rows = RowsPerColumn(), columnWidth = width() / FColumns;
  const int column = k >= 0 ? k / rows : -((-k + rows - 1) / rows);
  return Bounds(column * columnWidth, (k - column * rows) * FItemHeight, columnWidth, FItemHeight);
}

int TbsListBox::ItemAtPos(const TPoint& p, bool existing) const {
  if (FItemHeight <= 0 || p.X < 0 || p.Y < 0 || p.X >= width()) return -1;
  int index;
  if (FColumns < 2) {
    index = FTopIndex + p.Y / FItemHeight;
  } else {
    const int rows = RowsPerColumn(), columnWidth = std::max(1, width() / FColumns);
    if (p.Y >= rows * FItemHeight) return -1;
    index = FTopIndex + (p.X / columnWidth) * rows + p.Y / FItemHeight;
  }
  if (index < Count()) return index;
  return existing ? -1 : Count();
}

TbsListScrollInfo TbsListBox::VScrollInfo() const {
  return TbsListScrollInfo{0, std::max(0, Count() - 1), VisibleRows(), FTopIndex};
}

TbsListScrollInfo TbsListBox::HScrollInfo() const {
  const int rows = RowsPerColumn();
  const int columns = (Count() + rows - 1) / rows;
  return TbsListScrollInfo{0, std::max(0, columns - 1), FColumns, FTopIndex / rows};
}

void TbsListBox::ScrollTo(int position) {
  SetTopIndex(FColumns < 2 ? position : position * RowsPerColumn());
}

void TbsListBox::MakeVisible(int index) {
  if (index < 0) return;
  if (FColumns >= 2) {
    const int rows = RowsPerColumn(), perScreen = rows * FColumns;
    if (index < FTopIndex) SetTopIndex(index);
    else if (index >= FTopIndex + perScreen) SetTopIndex(index - perScreen + rows);
    return;
  }
  if (index < FTopIndex)
    SetTopIndex(index);
  else if (index >= FTopIndex + VisibleRows())
    SetTopIndex(index - VisibleRows() + 1);
}

void TbsListBox::SelectAndShow(int index, Qt::KeyboardModifiers modifiers) {
  if (FMultiSelect && FExtendedSelect && !(modifiers & Qt::ControlModifier)) {
    // Plain keys select just the new row; Shift selects from the anchor to it; Ctrl moves only the caret.
    const int anchor = (modifiers & Qt::ShiftModifier) && FAnchor != -1 ? FAnchor : index;
    if (index >= 0) SelectOnlyRange(anchor, index);
    FAnchor = anchor;
  }
  SetItemIndex(index);
  MakeVisible(index);
  Click();
}

void TbsListBox::Click() {
  QPointer<TbsListBox> self(this);
  if (SkinBox) SkinBox->ListBoxClick();
  if (self) TControl::Click();
}

bool TbsListBox::Navigate(int key, Qt::KeyboardModifiers modifiers) {
  if (Count() == 0) return false;
  const int rows = FColumns >= 2 ? RowsPerColumn() : 1;
  const int page = FColumns >= 2 ? RowsPerColumn() * FColumns : std::max(1, VisibleRows() - 1);
  const int at = FItemIndex;
  int to;
  switch (key) {
    case Qt::Key_Up: to = at - 1; break;
    case Qt::Key_Down: to = at + 1; break;
    case Qt::Key_Left: to = at - rows; break;
    case Qt::Key_Right: to = at + rows; break;
    case Qt::Key_PageUp: to = at - page; break;
    case Qt::Key_PageDown: to = at + page; break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = Count() - 1; break;
    default: return false;
  }
  if (at == -1) to = key == Qt::Key_End ? Count() - 1 : 0;  // the first key selects from the top
  to = std::clamp(to, 0, Count() - 1);
  if (to == at) return true;
  SelectAndShow(to, modifiers);
  return true;
}

void TbsListBox::TypeAhead(const std::string& typed, bool backspace) {
  const int64_t now = Clock();
  if (now - FLastKeyTime >= kAutoCompleteResetMs) FFilter.clear();
  FLastKeyTime = now;
  if (backspace) {
    if (!FFilter.empty()) FFilter.erase(FFilter.size() - LastCharLength(FFilter));
  } else {
    FFilter += typed;
  }
  if (FFilter.empty()) {
    SetItemIndex(-1);
    Click();
    return;
  }
  const auto& items = FItems.Items();
  for (size_t i = 0; i < items.size(); ++i)
    if (StartsWithNoCase(items[i], FFilter)) {
      SelectAndShow(int(i));
      return;
    }
}

void TbsListBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!SkinBox) {
    painter.fillRect(rect(), ToQColor(clWindow));
    return;
  }
  SkinBox->PrepareListPaint();
  const TRect dirty = FromQRect(event->rect());
  const bool focused = hasFocus();
  auto stateOf = [&](int i) -> TOwnerDrawState {
    if (FMultiSelect) {
      // The caret shows as focused on its own, so a row taken out of the
      // selection never keeps the selected look.
      TOwnerDrawState state = Selected(i) ? TOwnerDrawState(odSelected) : 0u;
      if (i == FItemIndex && focused) state |= odFocused;
      return state;
    }
    if (i != FItemIndex) return 0;
    return focused ? TOwnerDrawState(odSelected | odFocused) : TOwnerDrawState(odSelected);
  };
  if (FColumns < 2) {
    // Only the rows the dirty area crosses are drawn, so a list of any
    // length paints in the time of one screen.
    const int lastOnScreen = std::min(FTopIndex + height() / FItemHeight, Count() - 1);
    const int first = FTopIndex + std::max(0, dirty.Top) / FItemHeight;
    const int last = std::min(lastOnScreen, FTopIndex + std::max(0, dirty.Bottom - 1) / FItemHeight);
    for (int i = first; i <= last; ++i) SkinBox->DrawListItem(painter, i, ItemRect(i), stateOf(i));
    // The rest below the last item, tiled from its own top-left.
    const int itemsBottom = lastOnScreen >= FTopIndex ? (lastOnScreen - FTopIndex + 1) * FItemHeight : 0;
    if (itemsBottom < height() && dirty.Bottom > itemsBottom)
      SkinBox->FillListBackground(painter, TRect{0, itemsBottom, width(), height()});
  } else {
    SkinBox->FillListBackground(painter, dirty);
    const int last = std::min(FTopIndex + RowsPerColumn() * FColumns, Count() - 1);
    for (int i = FTopIndex; i <= last; ++i) SkinBox->DrawListItem(painter, i, ItemRect(i), stateOf(i));
  }
  // With no current row to carry the focus, the list's own edge shows it.
  if (focused && FItemIndex == -1) {
    TCanvas canvas(&painter);
    DrawFocusMark(canvas, TRect{0, 0, width(), height()}, SkinBox->ItemTextColor());
  }
}

void TbsListBox::resizeEvent(QResizeEvent* event) {
  const int oldWidth = event->oldSize().width();
  TControl::resizeEvent(event);
  if (HScrollOffset >= 1 && oldWidth >= 0) HScrollOffset = std::max(0, HScrollOffset + oldWidth - width());
  FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
  update();
}

void TbsListBox::mousePressEvent(QMouseEvent* event) {
  QPointer<TbsListBox> self(this);
  const TPoint p = FromQPoint(event->position().toPoint());
  if (event->button() == Qt::LeftButton) {
    FSelecting = true;
    const int index = ItemAtPos(p);
    if (index != -1) {
      if (FMultiSelect)
        MultiPress(index, event->modifiers());
      else
        SetItemIndex(index);
      MakeVisible(index);
    }
  }
  if (SkinBox) SkinBox->ListBoxMouseDown(event->button(), p);
  if (self) TControl::mousePressEvent(event);
}

void TbsListBox::mouseMoveEvent(QMouseEvent* event) {
  QPointer<TbsListBox> self(this);
  const TPoint p = FromQPoint(event->position().toPoint());
  if (FSelecting && (event->buttons() & Qt::LeftButton)) {
    // Dragging with the button held moves the selection along, inside the visible rows.
    const TPoint inside{std::clamp(p.X, 0, width() - 1), std::clamp(p.Y, 0, height() - 1)};
    const int index = ItemAtPos(inside);
    if (index != -1 && !FMultiSelect) {
      SetItemIndex(index);
    } else if (index != -1 && FDragExtends && index != FItemIndex) {
      SelectOnlyRange(FAnchor, index);
      SetItemIndex(index);
    }
  }
  if (SkinBox) SkinBox->ListBoxMouseMove(p);
  if (self) TControl::mouseMoveEvent(event);
}

void TbsListBox::mouseReleaseEvent(QMouseEvent* event) {
  QPointer<TbsListBox> self(this);
  if (event->button() == Qt::LeftButton) FSelecting = false;
  if (SkinBox) SkinBox->ListBoxMouseUp(event->button(), FromQPoint(event->position().toPoint()));
  if (self) TControl::mouseReleaseEvent(event);  // the click
}

void TbsListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QPointer<TbsListBox> self(this);
  mousePressEvent(event);
  if (self && event->button() == Qt::LeftButton && SkinBox) SkinBox->ListBoxDblClick();
}

void TbsListBox::keyPressEvent(QKeyEvent* event) {
  QPointer<TbsListBox> self(this);
  int key = event->key();
  const int pressed = key;
  if (SkinBox) SkinBox->ListBoxKeyDown(key, ShiftStateOf(event->modifiers(), Qt::NoButton));
  if (!self) return;
  if (pressed != 0 && key == 0) return;  // the handler swallowed the key
  if (SkinBox && SkinBox->ScrollHorizontallyByKey(key)) return;
  if (Navigate(key, event->modifiers())) return;
  if (FMultiSelect && key == Qt::Key_Space && MultiSpace(event->modifiers())) return;
  const bool backspace = key == Qt::Key_Backspace;
  const QByteArray typed = event->text().toUtf8();
  if (!backspace && (typed.isEmpty() || static_cast<unsigned char>(typed[0]) < 0x20 ||
                     event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    TControl::keyPressEvent(event);
    return;
  }
  char ch = backspace ? '\b' : typed[0];
  if (SkinBox) SkinBox->ListBoxKeyPress(ch);
  if (!self || ch == '\0') return;
  if (FAutoComplete) TypeAhead(typed.toStdString(), backspace);
}

void TbsListBox::keyReleaseEvent(QKeyEvent* event) {
  QPointer<TbsListBox> self(this);
  int key = event->key();
  if (SkinBox) SkinBox->ListBoxKeyUp(key, ShiftStateOf(event->modifiers(), Qt::NoButton));
  if (self) TControl::keyReleaseEvent(event);
}

int TbsWheelSteps::Take(int delta) {
  if ((FRemainder > 0 && delta < 0) || (FRemainder < 0 && delta > 0)) FRemainder = 0;
  const int64_t units = int64_t(FRemainder) + delta;
  const int64_t steps = units / FUnitsPerStep;  // towards zero: a part step waits for more
  FRemainder = int(units - steps * FUnitsPerStep);
  return int(std::clamp<int64_t>(steps, -kMaxSteps, kMaxSteps));
}

void TbsListBox::Wheel(int angleDelta) {
  if (angleDelta == 0) return;
  QPointer<TbsListBox> self(this);
  // The list's own lines first, then the frame's extra step.
  const int lines = FWheelLines.Take(angleDelta);
  if (FColumns < 2 && lines != 0) SetTopIndex(FTopIndex - lines);
  if (self && SkinBox) SkinBox->ListBoxWheel(angleDelta);
}

void TbsListBox::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  Wheel(delta);
  event->accept();
}

void TbsListBox::focusInEvent(QFocusEvent* event) {
  TControl::focusInEvent(event);
  if (SkinBox) SkinBox->ListBoxEnter();
  update();
  ListFocused(this);
}

void TbsListBox::focusOutEvent(QFocusEvent* event) {
  TControl::focusOutEvent(event);
  if (SkinBox) SkinBox->ListBoxExit();
  update();
}
