// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/acceltext.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cctype>

namespace {

// Bytes of the UTF-8 character that starts with `lead`; a stray byte counts alone.
size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

void DrawUnderline(TCanvas& canvas, int x, int y, const TAccelText& text) {
  if (text.UnderlineLength == 0) return;
  const QFontMetrics fm(canvas.Font.ToQFont());
  const int left = x + fm.horizontalAdvance(ToQ(text.Shown.substr(0, text.UnderlineStart)));
  const int right =
      x + fm.horizontalAdvance(ToQ(text.Shown.substr(0, text.UnderlineStart + text.UnderlineLength)));
  // At the font's own underline position below the baseline, as an underlined font draws it.
  const int top = y + fm.ascent() + std::max(1, fm.underlinePos());
  const int thickness = std::max(1, fm.lineWidth());
  const QColor color = ToQColor(canvas.Font.Color());
  canvas.Paint([&](QPainter& p) { p.fillRect(QRect(left, top, right - left, thickness), color); });
}

}  // namespace

TAccelText ParseAccelText(const std::string& caption) {
  TAccelText text;
  text.Shown.reserve(caption.size());
  bool marked = false;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      text.Shown += caption[i];
      continue;
    }
    if (i + 1 >= caption.size()) break;  // a last lone "&" marks nothing
    ++i;
    if (caption[i] == '&') {
      text.Shown += '&';
      continue;
    }
    const size_t length = std::min(Utf8Length(static_cast<unsigned char>(caption[i])), caption.size() - i);
    if (!marked) {
      marked = true;
      text.UnderlineStart = text.Shown.size();
      text.UnderlineLength = length;
    }
    text.Shown.append(caption, i, length);
    i += length - 1;
  }
  return text;
}

std::string StripAccelerator(const std::string& caption) { return ParseAccelText(caption).Shown; }

char AcceleratorOf(const std::string& caption) {
  const TAccelText text = ParseAccelText(caption);
  if (text.UnderlineLength == 0) return '\0';
  return char(std::tolower(static_cast<unsigned char>(text.Shown[text.UnderlineStart])));
}

int AccelTextWidth(TCanvas& canvas, const std::string& caption) {
  return canvas.TextWidth(ParseAccelText(caption).Shown);
}

int AccelTextHeight(TCanvas& canvas, const std::string& caption) {
  return canvas.TextHeight(ParseAccelText(caption).Shown);
}

void AccelTextOut(TCanvas& canvas, int x, int y, const std::string& caption) {
  const TAccelText text = ParseAccelText(caption);
  canvas.TextOut(x, y, text.Shown);
  DrawUnderline(canvas, x, y, text);
}

void AccelTextRect(TCanvas& canvas, const TRect& clip, int x, int y, const std::string& caption) {
  const TAccelText text = ParseAccelText(caption);
  canvas.TextRect(clip, x, y, text.Shown);
  canvas.Paint([&](QPainter& p) {
    p.save();
    p.setClipRect(ToQRect(clip), Qt::IntersectClip);
  });
  DrawUnderline(canvas, x, y, text);
  canvas.Paint([](QPainter& p) { p.restore(); });
}
