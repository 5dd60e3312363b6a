// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bar between two aligned panes, drawn from a splitter record of the skin
// ("vsplitter" by default): its ends copied, the run between them tiled. The
// record also sets the bar's thickness and the smallest size a pane can be
// dragged to; without a record the framework splitter's look and DefaultSize.

#include <QPointer>
#include <string>

#include "framework/tbitmap.h"
#include "framework/tsplitter.h"
#include "skin/data/tbsskindata.h"

class TbsSkinSplitter : public TSplitter {
  Q_OBJECT
 public:
  explicit TbsSkinSplitter(QWidget* parent = nullptr);

  // Thickness without a record.
  int DefaultSize() const { return FDefaultSize; }
  void SetDefaultSize(int value) { FDefaultSize = value; }
  // Not owned; clears itself when the skin data goes. Setting it (even to
  // null) takes the record's thickness at once.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  // Takes effect at the next paint or skin change.
  void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
  int SkinIndex() const { return FSkinIndex; }

  // Binds the record by name and copies its geometry and picture.
  void GetSkinData();
  // Reads the record and takes its thickness (or DefaultSize) as the bar's
  // size and MinSize, then repaints.
  void ChangeSkinData();
  // The skin change notice of its own skin data (or of none).
  void WndProc(TMessage& message) override;

  // The record's geometry, relative to SkinRect, and its picture.
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint;
  TRect SkinRect;
  TBitmap* SkinPicture = nullptr;

  TNotifyEvent OnDblClick;

 protected:
  void Paint(TCanvas& canvas) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int FDefaultSize = 10;
  int FSkinIndex = -1;
  QPointer<TbsSkinData> FSkinData;
  std::string FSkinDataName = "vsplitter";
};
