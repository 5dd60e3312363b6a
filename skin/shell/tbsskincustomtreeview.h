// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tree view dressed by the skin: font, font colour and background from the
// skin's tree record (or DefaultFont and DefaultColor), no border and no
// scroll bars of its own. Two skinned scroll bars standing beside it as
// separate controls mirror its range, page and position and scroll it back;
// they show only while there is something to scroll, and the parent lays
// its aligned children out again when one comes or goes.

#include <QPointer>
#include <QTreeWidget>
#include <functional>
#include <string>

#include "framework/tfont.h"
#include "skin/controls/tbsskincontrol.h"
#include "skin/controls/tbsskinscrollbar.h"

class TbsTreeWidget;

class TbsSkinCustomTreeView : public TbsSkinControl {
  Q_OBJECT
 public:
  explicit TbsSkinCustomTreeView(QWidget* parent = nullptr);
  ~TbsSkinCustomTreeView() override;

  // The toolkit tree inside: nodes, expansion, selection and editing.
  QTreeWidget* Tree() const;

  // Not owned; each clears itself when its bar goes.
  TbsSkinScrollBar* VScrollBar() const { return FVScrollBar.data(); }
  void SetVScrollBar(TbsSkinScrollBar* value);
  TbsSkinScrollBar* HScrollBar() const { return FHScrollBar.data(); }
  void SetHScrollBar(TbsSkinScrollBar* value);

  const TFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFont& value);
  TColor DefaultColor() const { return FDefaultColor; }
  void SetDefaultColor(TColor value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value);

  int Indent() const;
  void SetIndent(int value);
  // Expand buttons on the top level.
  bool ShowRoot() const;
  void SetShowRoot(bool value);
  // A right click selects the node under the pointer first.
  bool RightClickSelect() const { return FRightClickSelect; }
  void SetRightClickSelect(bool value) { FRightClickSelect = value; }
  // The colours the tree shows now.
  TColor TreeColor() const { return FTreeColor; }
  TColor TreeFontColor() const { return FTreeFontColor; }
  // The selection's colours: the highlight while the tree has the focus,
  // else a quieter bar of the tree's own colours, so the keyboard's place shows.
  TColor SelectionColor() const;
  TColor SelectionFontColor() const;
  bool FocusLook() const { return FFocusLook; }

  QTreeWidgetItem* Selected() const;
  // Selects `node` (none clears the selection) through the changing check.
  void Select(QTreeWidgetItem* node);
  // Starts in-place editing of `node`'s caption.
  void StartEditing(QTreeWidgetItem* node);
  // Rows the view can show whole, and the rows shown now (expanded nodes).
  int VisibleRowCount() const;
  int ShownRowCount() const;

  // Mirrors the tree's scroll state into the bars (see the .cpp for the rules).
  void UpdateScrollBars();
  void SkinChanged() override;
  void BeforeSkinChange() override;

  std::function<void(QTreeWidgetItem*, bool&)> OnExpanding;  // may veto
  std::function<void(QTreeWidgetItem*)> OnExpanded;
  std::function<void(QTreeWidgetItem*, bool&)> OnChanging;  // may veto a new selection
  std::function<void(QTreeWidgetItem*)> OnChange;
  std::function<void(QTreeWidgetItem*, bool&)> OnEditing;  // may refuse an edit
  std::function<void(QTreeWidgetItem*, std::string&)> OnEdited;  // may change the new caption

  // Whether `node`'s caption may be edited now (OnEditing has its say).
  virtual bool CanEdit(QTreeWidgetItem* node);

 protected:
  // A node is expanding (OnExpanding allowed it): give it its children.
  virtual void Expanding(QTreeWidgetItem*) {}
  // The selection moved to `node` (possibly none).
  virtual void Changed(QTreeWidgetItem*) {}
  // An edit ended with `text` (after OnEdited): the caption becomes it.
  virtual void Edited(QTreeWidgetItem* node, const std::string& text);
  // A context menu was asked for at `pos` (client coordinates).
  virtual void ContextMenu(const QPoint&) {}

  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void FontChanged() override;

 private:
  friend class TbsTreeEditDelegate;
  void ApplyLook();
  void ApplySelectionLook();
  void SetFocusLook(bool value);
  // One pass of the bar rules; true when a bar came or went.
  bool CheckScrollBars();
  void ScrollFromVBar();
  void ScrollFromHBar();

  TbsTreeWidget* FTree;
  QPointer<TbsSkinScrollBar> FVScrollBar;
  QPointer<TbsSkinScrollBar> FHScrollBar;
  TFont FDefaultFont{"Arial", 14};
  TColor FDefaultColor;
  bool FUseSkinFont = true;
  bool FRightClickSelect = false;
  TColor FTreeColor;
  TColor FTreeFontColor;
  bool FInScrollBarCheck = false;
  bool FSelecting = false;
  bool FFocusLook = false;
};
