// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A bar between two aligned controls. Dragging it resizes the neighbour that
// is aligned to the same side and touches it; MinSize keeps both sides at
// least that large. With the line style a line follows the pointer and the
// size changes on release; with the update style the neighbour follows live.

#include <QPointer>

#include "framework/tcontrol.h"

class TCanvas;

enum TResizeStyle { rsNone, rsLine, rsUpdate };

// The proposed size of the neighbour; clearing `accept` keeps the last one.
using TCanResizeEvent = std::function<void(int& newSize, bool& accept)>;

class TSplitter : public TControl {
  Q_OBJECT
 public:
  explicit TSplitter(QWidget* parent = nullptr);

  int MinSize() const { return FMinSize; }
  void SetMinSize(int value) { FMinSize = std::max(1, value); }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }
  // On: dragging the neighbour below MinSize closes it to nothing.
  bool AutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool value) { FAutoSnap = value; }
  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool value);

  // The control this splitter resizes, or nullptr.
  TControl* FindControl() const;

  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;
  TNotifyEvent OnPaint;

 protected:
  // The framework's look: the fill in Color, a bevel when Beveled, then OnPaint.
  virtual void Paint(TCanvas& canvas);
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool Horizontal() const { return Align() == alTop || Align() == alBottom; }

 private:
  // Where a drag that wants the neighbour at `wanted` really puts it: the
  // far side keeps MinSize, the near side MinSize or, with AutoSnap, 0.
  int ClampedSize(int wanted) const;
  int FarRoom() const;
  void ShowLine(int size);
  void ApplySize(int size);

  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsLine;
  bool FAutoSnap = false;
  bool FBeveled = false;
  QPointer<TControl> FControl;
  int FDownPos = 0;
  int FStartSize = 0;
  int FNewSize = 0;
  int FMaxSize = 0;
  QWidget* FLine = nullptr;
};
