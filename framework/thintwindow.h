#pragma once
// The small window that shows a control's hint. The application creates it
// through a replaceable class (THintWindowClass), so a skin can draw hints.

#include <QWidget>
#include <functional>
#include <string>

#include "framework/tcanvas.h"
#include "framework/trect.h"

class THintWindow : public QWidget {
  Q_OBJECT
 public:
  THintWindow();

  // The window rectangle needed for `hint`, at (0, 0), no wider than maxWidth.
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
  // Shows the window at `rect` (screen coordinates) with `hint`.
  virtual void ActivateHint(const TRect& rect, const std::string& hint);
  void ReleaseHandle() { hide(); }
  const std::string& Caption() const { return FCaption; }

 protected:
  // Draws the hint into the whole window.
  virtual void Paint(TCanvas& canvas);
  void paintEvent(QPaintEvent* event) override;

  std::string FCaption;
  TFont FFont{"MS Sans Serif", -11, 0, clInfoText};
};

using THintWindowClass = std::function<THintWindow*()>;
