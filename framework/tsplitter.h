#pragma once
// A bar between two aligned controls. Dragging it resizes the neighbour that
// is aligned to the same side and touches it; MinSize keeps both sides at
// least that large. With the line style a line follows the pointer and the
// size changes on release.

#include <QPointer>

#include "framework/tcontrol.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate };

class TSplitter : public TControl {
  Q_OBJECT
 public:
  explicit TSplitter(QWidget* parent = nullptr);

  int MinSize() const { return FMinSize; }
  void SetMinSize(int value) { FMinSize = std::max(1, value); }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle value) { FResizeStyle = value; }

  // The control this splitter resizes, or nullptr.
  TControl* FindControl() const;

  TNotifyEvent OnMoved;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
  int ClampedSize(int wanted) const;
  void ShowLine(int size);

  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsLine;
  QPointer<TControl> FControl;
  int FDownPos = 0;
  int FStartSize = 0;
  int FNewSize = 0;
  QWidget* FLine = nullptr;
};
