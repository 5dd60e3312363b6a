// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/shell/tbsskincustomtreeview.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

#include "framework/handlerguard.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "skin/data/tbsdataskintreeview.h"

namespace {

constexpr int kUnfocusedSelectionShare = 64;  // of 256: the text colour's part of the unfocused bar

TColor Mix(TColor base, TColor other, int otherShare) {
  base = ColorToRGB(base);
  other = ColorToRGB(other);
  auto channel = [otherShare](int a, int b) { return (a * (256 - otherShare) + b * otherShare + 128) / 256; };
  return RGBColor(channel(GetRValue(base), GetRValue(other)), channel(GetGValue(base), GetGValue(other)),
                  channel(GetBValue(base), GetBValue(other)));
}

}  // namespace

// The toolkit tree, with its pending layout made current on demand so the
// bars never mirror a stale range.
class TbsTreeWidget : public QTreeWidget {
 public:
  TbsTreeWidget(TbsSkinCustomTreeView* owner) : QTreeWidget(owner), FOwner(owner) {}
  // Only a pending layout is run: the ranges follow every layout by themselves.
  void LayOutNow() { executeDelayedItemsLayout(); }
  // The colour of the text of the row whose branches are being drawn.
  QColor BranchColor() const { return palette().color(FBranchSelected ? QPalette::HighlightedText : QPalette::Text); }

 protected:
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override {
    FBranchSelected = selectionModel() && selectionModel()->isSelected(index);
    QTreeWidget::drawBranches(painter, rect, index);
  }

  // Every way into editing (F2, the rename command) asks the tree first.
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
    QTreeWidgetItem* node = itemFromIndex(index);
    if (trigger != NoEditTriggers && node && !FOwner->CanEdit(node)) return false;
    return QTreeWidget::edit(index, trigger, event);
  }

 private:
  TbsSkinCustomTreeView* FOwner;
  mutable bool FBranchSelected = false;
};

// The style draws expand arrows in the palette's window-text colour: near
// black, lost on a dark skin's rows and on the selection. Here they take the
// colour of their row's text, so they show wherever the name does.
class TbsTreeBranchStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    const auto* tree = dynamic_cast<const TbsTreeWidget*>(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
    if (element != PE_IndicatorBranch || !tree || !item) return QProxyStyle::drawPrimitive(element, option, painter, widget);
    QStyleOptionViewItem branch(*item);
    const QColor color = tree->BranchColor();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
      branch.palette.setColor(role, color);
    QProxyStyle::drawPrimitive(element, &branch, painter, widget);
  }

  // One for every tree, made with the first and kept for the program's life.
  static QStyle* Shared() {
    static QStyle* const style = new TbsTreeBranchStyle;
    return style;
  }
};

// Ends an in-place edit by handing the text to the tree instead of
// writing it into the node: the rename decides what the caption becomes.
class TbsTreeEditDelegate : public QStyledItemDelegate {
 public:
  explicit TbsTreeEditDelegate(TbsSkinCustomTreeView* tree) : QStyledItemDelegate(tree), FTree(tree) {}
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    QTreeWidgetItem* node = FTree->FTree->itemFromIndex(index);
    if (!edit || !node) return;
    std::string text = edit->text().toStdString();
    if (text == node->text(0).toStdString()) return;  // nothing changed: no rename
    CallGuarded([&] {
      if (FTree->OnEdited) FTree->OnEdited(node, text);
      FTree->Edited(node, text);
    });
  }

 private:
  TbsSkinCustomTreeView* FTree;
};

TbsSkinCustomTreeView::TbsSkinCustomTreeView(QWidget* parent)
    : TbsSkinControl(parent), FTree(new TbsTreeWidget(this)), FDefaultColor(clWindow),
      FTreeColor(clWindow), FTreeFontColor(clWindowText) {
  // The header goes before any font reaches the tree: a shown header
  // measures its section in a font of its own on every font change.
  FTree->setHeaderHidden(true);
  // Its minimum section width too: measured, it would be the window's first
  // text (a font loaded before any is shown), and a row, with its icon, is
  // always wider than either.
  FTree->header()->setMinimumSectionSize(1);
  SetSkinDataName("treeview");
  SetColor(clWindow);
  Font() = FDefaultFont;
  FTree->setColumnCount(1);
  // The hidden header's own hint for its section (its label measured in
  // bold) never beats the section's minimum width: giving it outright spares
  // loading a bold font only to throw the measure away.
  FTree->headerItem()->setData(0, Qt::SizeHintRole, QSize(0, 0));
  FTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  FTree->header()->setStretchLastSection(false);
  FTree->setSelectionMode(QAbstractItemView::SingleSelection);
  FTree->setUniformRowHeights(true);  // one row height: layout and scrolling stay linear at any size
  FTree->setFrameShape(QFrame::NoFrame);
  FTree->setStyle(TbsTreeBranchStyle::Shared());
  FTree->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FTree->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  FTree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  FTree->setEditTriggers(QAbstractItemView::EditKeyPressed);
  FTree->setItemDelegate(new TbsTreeEditDelegate(this));
  FTree->setContextMenuPolicy(Qt::CustomContextMenu);
  FTree->setGeometry(rect());
  setFocusProxy(FTree);
  ForwardEventsOf(FTree->viewport());
  FTree->viewport()->installEventFilter(this);
  FTree->installEventFilter(this);  // its focus changes the selection's look

  connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
    CallGuarded([&] {
      bool allow = true;
      if (OnExpanding) OnExpanding(node, allow);
      if (!allow) {
        FTree->collapseItem(node);
        return;
      }
      Expanding(node);
      if (OnExpanded) OnExpanded(node);
    });
    UpdateScrollBars();
  });
  connect(FTree, &QTreeWidget::itemCollapsed, this, [this] { UpdateScrollBars(); });
  connect(FTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
    if (FSelecting) return;
    CallGuarded([&] {
      bool allow = true;
      if (OnChanging) OnChanging(now, allow);
      if (!allow) {
        FSelecting = true;
        FTree->setCurrentItem(before);
        FSelecting = false;
        return;
      }
      Changed(now);
      if (OnChange) OnChange(now);
    });
    UpdateScrollBars();
  });
  connect(FTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QPoint here = FTree->viewport()->mapTo(this, pos);
    CallGuarded([&] { ContextMenu(here); });
  });
  for (QScrollBar* bar : {FTree->verticalScrollBar(), FTree->horizontalScrollBar()}) {
    connect(bar, &QScrollBar::rangeChanged, this, [this] { UpdateScrollBars(); });
    connect(bar, &QScrollBar::valueChanged, this, [this] { UpdateScrollBars(); });
  }
  ApplyLook();
}

TbsSkinCustomTreeView::~TbsSkinCustomTreeView() = default;

QTreeWidget* TbsSkinCustomTreeView::Tree() const { return FTree; }

void TbsSkinCustomTreeView::SetVScrollBar(TbsSkinScrollBar* value) {
  if (FVScrollBar == value) return;
  if (FVScrollBar) FVScrollBar->OnChange = nullptr;
  FVScrollBar = value;
  if (value) {
    value->SetEnabled(true);
    value->SetVisible(false);
    value->OnChange = [this] { ScrollFromVBar(); };
  }
  UpdateScrollBars();
}

void TbsSkinCustomTreeView::SetHScrollBar(TbsSkinScrollBar* value) {
  if (FHScrollBar == value) return;
  if (FHScrollBar) FHScrollBar->OnChange = nullptr;
  FHScrollBar = value;
  if (value) {
    value->SetEnabled(true);
    value->SetVisible(false);
    value->OnChange = [this] { ScrollFromHBar(); };
  }
  UpdateScrollBars();
}

void TbsSkinCustomTreeView::SetDefaultFont(const TFont& value) {
  FDefaultFont = value;
  ApplyLook();
}

void TbsSkinCustomTreeView::SetDefaultColor(TColor value) {
  if (FDefaultColor == value) return;
  FDefaultColor = value;
  ApplyLook();
}

void TbsSkinCustomTreeView::SetUseSkinFont(bool value) {
  if (FUseSkinFont == value) return;
  FUseSkinFont = value;
  ApplyLook();
}

int TbsSkinCustomTreeView::Indent() const { return FTree->indentation(); }
void TbsSkinCustomTreeView::SetIndent(int value) { FTree->setIndentation(value); }
bool TbsSkinCustomTreeView::ShowRoot() const { return FTree->rootIsDecorated(); }
void TbsSkinCustomTreeView::SetShowRoot(bool value) { FTree->setRootIsDecorated(value); }

QTreeWidgetItem* TbsSkinCustomTreeView::Selected() const { return FTree->currentItem(); }

void TbsSkinCustomTreeView::Select(QTreeWidgetItem* node) {
  if (node) {
    FTree->setCurrentItem(node);
    FTree->scrollToItem(node);
  } else {
    FTree->setCurrentItem(nullptr);
  }
}

bool TbsSkinCustomTreeView::CanEdit(QTreeWidgetItem* node) {
  bool allow = true;
  if (OnEditing) OnEditing(node, allow);
  return allow;
}

void TbsSkinCustomTreeView::StartEditing(QTreeWidgetItem* node) {
  if (!node || !CanEdit(node)) return;
  node->setFlags(node->flags() | Qt::ItemIsEditable);
  FTree->scrollToItem(node);
  FTree->editItem(node, 0);
}

void TbsSkinCustomTreeView::Edited(QTreeWidgetItem* node, const std::string& text) {
  node->setText(0, QString::fromStdString(text));
}

int TbsSkinCustomTreeView::VisibleRowCount() const {
  FTree->LayOutNow();
  return FTree->verticalScrollBar()->pageStep();
}

int TbsSkinCustomTreeView::ShownRowCount() const {
  FTree->LayOutNow();
  const QScrollBar* bar = FTree->verticalScrollBar();
  // The tree's range runs over the top row: all rows less one page.
  return bar->maximum() > 0 ? bar->maximum() + bar->pageStep() : FTree->topLevelItemCount() ? -1 : 0;
}

// The rules, in the terms of a tree whose vertical range counts rows
// (0 .. rows - 1, page = rows that fit whole, position = top row) and whose
// horizontal range counts pixels (0 .. content width, page = the width):
//   vertical shown   <=> max > 0, page <= max and max < rows, tree visible
//   horizontal shown <=> tree width < max, tree visible
//   the horizontal bar covers the corner exactly when the vertical one shows.
bool TbsSkinCustomTreeView::CheckScrollBars() {
  FTree->LayOutNow();
  bool visibilityChanged = false;
  const bool treeVisible = Visible();
  if (TbsSkinScrollBar* bar = FVScrollBar) {
    const QScrollBar* q = FTree->verticalScrollBar();
    const int page = q->pageStep();
    const int rows = q->maximum() > 0 ? q->maximum() + page : 0;
    const int max = rows > 0 ? rows - 1 : 0;
    const bool show = max > 0 && page <= max && max < rows && treeVisible;
    if (show) bar->SetRange(0, max, page, q->value());
    if (bar->Visible() != show) {
      bar->SetVisible(show);
      visibilityChanged = true;
    }
  }
  if (TbsSkinScrollBar* bar = FHScrollBar) {
    const QScrollBar* q = FTree->horizontalScrollBar();
    const int width = FTree->viewport()->width();
    const int max = q->maximum() + width;
    const bool show = width < max && treeVisible;
    if (show) bar->SetRange(0, max, width, q->value());
    if (bar->Visible() != show) {
      bar->SetVisible(show);
      visibilityChanged = true;
    }
  }
  if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
    FHScrollBar->SetBoth(FVScrollBar->Visible());
  return visibilityChanged;
}

void TbsSkinCustomTreeView::UpdateScrollBars() {
  if (FInScrollBarCheck || AlignDisabled()) return;
  FInScrollBarCheck = true;
  // A bar that comes or goes changes the tree's size, which can bring or
  // take the other bar: a few rounds settle it.
  for (int round = 0; round < 3; ++round) {
    if (!CheckScrollBars()) break;
    if (Align() == alNone) break;
    if (TControl* parent = ParentControl()) parent->Realign();
  }
  FInScrollBarCheck = false;
}

void TbsSkinCustomTreeView::ScrollFromVBar() {
  if (FVScrollBar) FTree->verticalScrollBar()->setValue(FVScrollBar->Position());
}

void TbsSkinCustomTreeView::ScrollFromHBar() {
  if (FHScrollBar) FTree->horizontalScrollBar()->setValue(FHScrollBar->Position());
}

void TbsSkinCustomTreeView::SkinChanged() {
  ReadSkinRecord();
  ApplyLook();
  UpdateScrollBars();
  if (TControl* parent = ParentControl()) parent->Realign();
}

void TbsSkinCustomTreeView::BeforeSkinChange() {
  TbsSkinControl::BeforeSkinChange();
}

void TbsSkinCustomTreeView::ApplyLook() {
  const TbsDataSkinTreeView* record = nullptr;
  if (SkinIndex() != -1 && SkinData())
    record = dynamic_cast<const TbsDataSkinTreeView*>(SkinData()->ControlRecords[std::size_t(SkinIndex())].get());
  TFont font = FDefaultFont;
  if (record) {
    if (FUseSkinFont) {
      font.SetName(record->FontName);
      font.SetHeight(record->FontHeight);
      font.SetStyle(record->FontStyle);
    }
    font.SetColor(record->FontColor);
    FTreeColor = record->BGColor;
  } else {
    FTreeColor = FDefaultColor;
  }
  if (SkinData() && SkinData()->ResourceStrData()) font.SetCharSet(SkinData()->ResourceStrData()->CharSet());
  FTreeFontColor = font.Color();
  SetColor(FTreeColor);
  Font() = font;
  FontChanged();
}

void TbsSkinCustomTreeView::FontChanged() {
  TbsSkinControl::FontChanged();
  FTree->setFont(Font().ToQFont());
  QPalette palette = FTree->palette();
  palette.setColor(QPalette::Base, ToQColor(FTreeColor));
  palette.setColor(QPalette::Window, ToQColor(FTreeColor));
  palette.setColor(QPalette::Text, ToQColor(FTreeFontColor));
  FTree->setPalette(palette);
  ApplySelectionLook();  // the unfocused bar is made of the colours just set
}

TColor TbsSkinCustomTreeView::SelectionColor() const {
  return FFocusLook ? clHighlight : Mix(FTreeColor, FTreeFontColor, kUnfocusedSelectionShare);
}

TColor TbsSkinCustomTreeView::SelectionFontColor() const { return FFocusLook ? clHighlightText : FTreeFontColor; }

void TbsSkinCustomTreeView::ApplySelectionLook() {
  QPalette palette = FTree->palette();
  palette.setColor(QPalette::Highlight, ToQColor(SelectionColor()));
  palette.setColor(QPalette::HighlightedText, ToQColor(SelectionFontColor()));
  FTree->setPalette(palette);
}

void TbsSkinCustomTreeView::SetFocusLook(bool value) {
  if (FFocusLook == value) return;
  FFocusLook = value;
  ApplySelectionLook();
}

void TbsSkinCustomTreeView::resizeEvent(QResizeEvent* event) {
  TbsSkinControl::resizeEvent(event);
  FTree->setGeometry(rect());
  UpdateScrollBars();
}

void TbsSkinCustomTreeView::paintEvent(QPaintEvent*) {
  // The tree covers the whole control; nothing of this widget shows.
}

bool TbsSkinCustomTreeView::event(QEvent* event) {
  const bool result = TbsSkinControl::event(event);
  if (event->type() == QEvent::HideToParent) {
    if (FVScrollBar) FVScrollBar->SetVisible(false);
    if (FHScrollBar) FHScrollBar->SetVisible(false);
  } else if (event->type() == QEvent::ShowToParent) {
    UpdateScrollBars();
  }
  return result;
}

bool TbsSkinCustomTreeView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FTree && event->type() == QEvent::FocusIn) SetFocusLook(true);
  if (watched == FTree && event->type() == QEvent::FocusOut) {
    // The focus stays the tree's while another window or a menu has the
    // keyboard, and while the tree's own editor has it.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const QWidget* now = QApplication::focusWidget();
    const bool kept = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                      reason == Qt::MenuBarFocusReason || (now && FTree->isAncestorOf(now));
    SetFocusLook(kept);
  }
  if (watched == FTree->viewport() && event->type() == QEvent::MouseButtonPress && FRightClickSelect) {
    auto* me = static_cast<QMouseEvent*>(event);
    if (me->button() == Qt::RightButton)
      if (QTreeWidgetItem* node = FTree->itemAt(me->position().toPoint())) Select(node);
  }
  const bool result = TbsSkinControl::eventFilter(watched, event);
  if (watched == FTree->viewport() && event->type() == QEvent::MouseButtonRelease) UpdateScrollBars();
  return result;
}
