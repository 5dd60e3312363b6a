// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every skinned windowed control: binds the control to one record
// of a skin data component by name, answers the skin change notices, and
// paints the whole control off-screen in one copy, from the skin when it has
// a record and in its default look otherwise.

#include <QPointer>
#include <string>

#include "framework/tbitmap.h"
#include "framework/tcontrol.h"
#include "skin/data/tbsskindata.h"

class TbsSkinControl : public TControl {
  Q_OBJECT
 public:
  explicit TbsSkinControl(QWidget* parent = nullptr);
  ~TbsSkinControl() override;

  // Not owned; clears itself when the skin data component goes.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  virtual void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  // Takes effect at the next paint or skin change.
  virtual void SetSkinDataName(const std::string& value);
  // Index into the skin data's control records; -1 = no record.
  int SkinIndex() const { return FSkinIndex; }

  virtual void ReadSkinRecord();
  virtual void SkinChanged();
  // The old skin is about to go: no record may be used until SkinChanged.
  virtual void BeforeSkinChange();
  virtual void AfterSkinChange() {}

  // Skin notices: reacts only to those of its own skin data (or of none).
  void WndProc(TMessage& message) override;

 protected:
  virtual void DrawDefaultImage(TBitmap&) {}
  virtual void DrawSkinImage(TBitmap&) {}
  // Composes the control into `bitmap` (already sized) by the current record.
  virtual void DrawControl(TBitmap& bitmap);
  // Called after OnMouseEnter / OnMouseLeave.
  virtual void MouseEntered() {}
  virtual void MouseLeft() {}

  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

  int FSkinIndex = -1;

 private:
  QPointer<TbsSkinData> FSkinData;
  std::string FSkinDataName;
};
