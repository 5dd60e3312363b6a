// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/focusmark.h"

#include <QPainter>

void DrawFocusMark(TCanvas& canvas, const TRect& r, TColor color) {
  if (r.Right - r.Left < 2 || r.Bottom - r.Top < 2) return;
  const QColor ink = ToQColor(color);
  canvas.Paint([&](QPainter& p) {
    // Walked round the outline as one run, so the dots keep their spacing at the corners.
    int k = 0;
    const auto dot = [&](int x, int y) {
      if (k++ % 2 == 0) p.fillRect(x, y, 1, 1, ink);
    };
    for (int x = r.Left; x < r.Right; ++x) dot(x, r.Top);
    for (int y = r.Top + 1; y < r.Bottom; ++y) dot(r.Right - 1, y);
    for (int x = r.Right - 2; x >= r.Left; --x) dot(x, r.Bottom - 1);
    for (int y = r.Bottom - 2; y > r.Top; --y) dot(r.Left, y);
  });
}
