// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small window that shows a control's hint. The application creates it
// through a replaceable class (THintWindowClass), so a skin can draw hints.

#include <QImage>
#include <QPoint>
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

class TControl;

// What the application is about to show as a hint; the show-hint event may
// change any of it.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint CursorPos;      // screen coordinates
  TPoint HintPos;        // top-left of the hint window, screen coordinates
  int HintMaxWidth = 0;  // wider texts wrap
  int HideTimeout = 0;   // ms the hint stays
};
// Clearing canShow keeps the hint from showing.
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;

// Rows from a cursor picture's hot spot down to its lowest row that is not
// fully transparent (alpha channel); 0 when none lies at or below the hot spot.
int CursorRowsBelowHotSpot(const QImage& cursor, const QPoint& hotSpot);
// How far below the pointer a hint opens: the rows of the current cursor's
// picture below its hot spot when the picture can be read, else the system
// cursor height.
int HintCursorHeight();
