// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskincontrol.h"

#include <QPainter>

#include "skin/controls/accessiblecontrols.h"
#include "skin/data/skinnotice.h"

TbsSkinControl::TbsSkinControl(QWidget* parent) : TControl(parent) {
  InstallControlsAccessibility();
  // The paint draws every pixel; erasing first would only flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

TbsSkinControl::~TbsSkinControl() = default;

void TbsSkinControl::SetSkinData(TbsSkinData* value) {
  if (FSkinData == value) return;
  if (FSkinData) disconnect(FSkinData, nullptr, this, nullptr);
  FSkinData = value;
  // A freed skin data leaves the control on its default look, with no
  // record index pointing into records that are gone.
  if (value) connect(value, &QObject::destroyed, this, [this] { BeforeSkinChange(); });
  if (value && value->HasSkin() && !(value->ComponentState() & csDesigning)) SkinChanged();
}

void TbsSkinControl::SetSkinDataName(const std::string& value) { FSkinDataName = value; }

void TbsSkinControl::ReadSkinRecord() {
  if (!FSkinData || !FSkinData->HasSkin())
    FSkinIndex = -1;
  else
    FSkinIndex = FSkinData->FindControlRecord(FSkinDataName);
}

void TbsSkinControl::SkinChanged() {
  ReadSkinRecord();
  update();
}

void TbsSkinControl::BeforeSkinChange() { FSkinIndex = -1; }

void TbsSkinControl::WndProc(TMessage& message) {
  if (DispatchSkinNotice(message, FSkinData.data(), [this] { BeforeSkinChange(); }, [this] { SkinChanged(); }))
    return;
  TControl::WndProc(message);
}

void TbsSkinControl::DrawControl(TBitmap& bitmap) {
  if (FSkinIndex == -1)
    DrawDefaultImage(bitmap);
  else
    DrawSkinImage(bitmap);
}

void TbsSkinControl::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  // Every paint binds the record again, so a new name or skin shows at once.
  ReadSkinRecord();
  QPainter painter(this);
  TBitmap buffer(width(), height(), TBitmap::ForPaint);
  PlaceOnDevice(buffer, painter, 0, 0);
  DrawControl(buffer);
  TCanvas(&painter).Draw(0, 0, buffer);
}

void TbsSkinControl::enterEvent(QEnterEvent* event) {
  TControl::enterEvent(event);
  MouseEntered();
}

void TbsSkinControl::leaveEvent(QEvent* event) {
  TControl::leaveEvent(event);
  MouseLeft();
}
