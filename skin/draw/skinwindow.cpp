// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/draw/skinwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

bool GetMonitorWorkArea(QWidget* Window, bool WorkArea, TRect& R) {
  QScreen* screen = Window ? Window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return false;
  R = FromQRect(WorkArea ? screen->availableGeometry() : screen->geometry());
  return true;
}

void SetWindowAlphaValue(QWidget* Window, int Alpha) {
  if (!Window) return;
  constexpr double kOpaque = 255.0;
  Window->setWindowOpacity(std::clamp(Alpha, 0, 255) / kOpaque);
}
