// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain group frame with its caption in the top border.

#include <string>

#include "framework/tcontrol.h"

class TGroupBox : public TControl {
  Q_OBJECT
 public:
  explicit TGroupBox(QWidget* parent = nullptr);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  // The etched frame: a light line inside a dark one.
  TColor FrameLightColor() const { return FFrameLightColor; }
  TColor FrameDarkColor() const { return FFrameDarkColor; }
  void SetFrameColors(TColor light, TColor dark);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string FCaption;
  TColor FFrameLightColor = clBtnHighlight;
  TColor FFrameDarkColor = clBtnShadow;
};
