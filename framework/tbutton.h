#pragma once
// A plain push button drawn by us: raised face, optional glyph above the
// caption, sunken while pressed; clicks on release over the button and on
// Space or Enter.

#include <string>

#include "framework/tbitmap.h"
#include "framework/tcontrol.h"

class TButton : public TControl {
  Q_OBJECT
 public:
  explicit TButton(QWidget* parent = nullptr);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  TBitmap& Glyph() { return FGlyph; }
  void SetGlyph(const TBitmap& value);
  bool Down() const { return FDown; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void SetDown(bool value);

  std::string FCaption;
  TBitmap FGlyph;
  bool FDown = false;
  bool FTracking = false;
};
