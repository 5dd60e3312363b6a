// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinsplitter.h"

#include "framework/tcanvas.h"
#include "skin/data/skinnotice.h"
#include "skin/data/tbsdataskinsplittercontrol.h"
#include "skin/draw/skinimage.h"

TbsSkinSplitter::TbsSkinSplitter(QWidget* parent) : TSplitter(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TbsSkinSplitter::SetSkinData(TbsSkinData* value) {
  if (FSkinData) disconnect(FSkinData, nullptr, this, nullptr);
  FSkinData = value;
  // The records go with the skin data: no pointer into them may outlive it.
  if (value)
    connect(value, &QObject::destroyed, this, [this] {
      FSkinIndex = -1;
      SkinPicture = nullptr;
    });
  ChangeSkinData();
}

void TbsSkinSplitter::GetSkinData() {
  FSkinIndex = FSkinData && FSkinData->HasSkin() ? FSkinData->FindControlRecord(FSkinDataName) : -1;
  SkinPicture = nullptr;
  if (FSkinIndex == -1) return;
  const auto* record =
      dynamic_cast<const TbsDataSkinSplitterControl*>(FSkinData->ControlRecords[size_t(FSkinIndex)].get());
  if (!record) return;
  LeftTopPoint = record->LeftTopPoint;
  RightTopPoint = record->RightTopPoint;
  LeftBottomPoint = record->LeftBottomPoint;
  SkinRect = record->SkinRect;
  SkinPicture = FSkinData->ActivePicture(record->PictureIndex);
}

void TbsSkinSplitter::ChangeSkinData() {
  GetSkinData();
  const bool bound = FSkinIndex != -1;
  if (Horizontal()) {
    const int thickness = bound ? RectHeight(SkinRect) : FDefaultSize;
    SetMinSize(thickness);
    SetHeight(thickness);
  } else {
    const int thickness = bound ? RectWidth(SkinRect) : FDefaultSize;
    SetMinSize(thickness);
    SetWidth(thickness);
  }
  update();
}

void TbsSkinSplitter::WndProc(TMessage& message) {
  if (DispatchSkinNotice(message, FSkinData.data(), nullptr, [this] { ChangeSkinData(); })) return;
  TSplitter::WndProc(message);
}

void TbsSkinSplitter::Paint(TCanvas& canvas) {
  GetSkinData();
  // A bound record without its picture has nothing to compose from.
  if (FSkinIndex == -1 || !SkinPicture || Align() == alNone || Align() == alClient) {
    TSplitter::Paint(canvas);
    return;
  }
  TBitmap buffer;
  if (Horizontal())
    ComposeHorizontalSkinImage(LeftTopPoint.X, RectWidth(SkinRect) - RightTopPoint.X, buffer, *SkinPicture, SkinRect,
                               width());
  else
    ComposeVerticalSkinImage(LeftTopPoint.Y, RectHeight(SkinRect) - LeftBottomPoint.Y, buffer, *SkinPicture, SkinRect,
                             height());
  if (buffer.Width() < width() || buffer.Height() < height()) {
    canvas.Brush.Color = Color();  // a bar sized by hand past its record
    canvas.FillRect(TRect{0, 0, width(), height()});
  }
  canvas.Draw(0, 0, buffer);
}

void TbsSkinSplitter::mouseDoubleClickEvent(QMouseEvent* event) {
  TSplitter::mouseDoubleClickEvent(event);
  if (OnDblClick) OnDblClick();
}
