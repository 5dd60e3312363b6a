// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinlinklabel.h"

#include <QDesktopServices>
#include <QKeyEvent>

#include "framework/tcanvas.h"
#include "skin/controls/accessiblecontrols.h"
#include "skin/controls/focusmark.h"
#include "skin/data/skinnotice.h"
#include "skin/data/tbsdataskinstdlabelcontrol.h"

namespace {
bool IsSchemeChar(char c, bool first) {
  const bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (first) return alpha;
  return alpha || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Length of the "scheme:" prefix, or 0 when the text has none.
size_t SchemeLength(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && IsSchemeChar(s[i], i == 0)) ++i;
  return i > 0 && i < s.size() && s[i] == ':' ? i + 1 : 0;
}

// Percent-encodes the bytes an address may not hold as they are; every
// other byte, "%" included, stays as written.
QByteArray EncodeBytes(const std::string& s, bool keepPercent) {
  QByteArray out;
  static const char kHex[] = "0123456789ABCDEF";
  for (unsigned char c : s) {
    if (c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
        c == '{' || c == '|' || c == '}' || (!keepPercent && (c == '%' || c == '#' || c == '?'))) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += char(c);
    }
  }
  return out;
}
}  // namespace

QUrl LinkTargetUrl(const std::string& target) {
  if (target.empty()) return {};
  if (target[0] == '/') {
    // A path names a file byte for byte: "%", "#" and "?" are part of it.
    return QUrl::fromEncoded("file://" + EncodeBytes(target, false), QUrl::StrictMode);
  }
  if (SchemeLength(target) == 0) return {};
  const QByteArray bytes = QByteArray::fromStdString(target);
  const QString text = QString::fromUtf8(bytes);
  // UTF-8 goes in as text, so a host name in any script stays a name; other
  // bytes go in percent-encoded, each one kept.
  const QUrl url = text.toUtf8() == bytes ? QUrl(text, QUrl::TolerantMode)
                                          : QUrl::fromEncoded(EncodeBytes(target, true), QUrl::StrictMode);
  return url.isValid() ? url : QUrl();
}

bool OpenLinkTarget(const std::string& target) {
  const QUrl url = LinkTargetUrl(target);
  return url.isValid() && QDesktopServices::openUrl(url);
}

TbsSkinLinkLabel::TbsSkinLinkLabel(QWidget* parent) : TCustomLabel(parent) {
  InstallControlsAccessibility();
  // Tab only: a click opens the link and leaves the focus where it was.
  setFocusPolicy(Qt::TabFocus);
  SetTransparent(true);
  Font() = FDefaultFont;
  SetCursor(crHandPoint);
  OpenURL = OpenLinkTarget;
}

void TbsSkinLinkLabel::SetSkinData(TbsSkinData* value) {
  if (FSkinData) disconnect(FSkinData, nullptr, this, nullptr);
  FSkinData = value;
  if (!value) return;
  connect(value, &QObject::destroyed, this, [this] { FSkinIndex = -1; });
  ChangeSkinData();
}

void TbsSkinLinkLabel::GetSkinData() {
  FSkinIndex = FSkinData && FSkinData->HasSkin() ? FSkinData->FindControlRecord(FSkinDataName) : -1;
  if (FSkinIndex == -1) return;
  const auto* record =
      dynamic_cast<const TbsDataSkinStdLabelControl*>(FSkinData->ControlRecords[size_t(FSkinIndex)].get());
  if (!record) return;
  SkinFontName = record->FontName;
  SkinFontStyle = record->FontStyle;
  SkinFontHeight = record->FontHeight;
  SkinFontColor = record->FontColor;
  SkinActiveFontColor = record->ActiveFontColor;
}

void TbsSkinLinkLabel::ChangeSkinData() {
  GetSkinData();
  AdjustBounds();
  update();
}

void TbsSkinLinkLabel::WndProc(TMessage& message) {
  if (DispatchSkinNotice(message, FSkinData.data(), nullptr, [this] { ChangeSkinData(); })) return;
  TCustomLabel::WndProc(message);
}

TFont TbsSkinLinkLabel::TextFont() const {
  TFont font;
  if (FSkinIndex == -1) {
    font = FUseSkinFont ? FDefaultFont : Font();
    if (FMouseIn) font.SetColor(FDefaultActiveFontColor);
    font.SetStyle(font.Style() | fsUnderline);
  } else {
    font = Font();
    if (FUseSkinFont) {
      font.SetName(SkinFontName);
      font.SetHeight(SkinFontHeight);
      font.SetStyle(SkinFontStyle | fsUnderline);
    }
    font.SetColor(FMouseIn ? SkinActiveFontColor : SkinFontColor);
  }
  if (FSkinData && FSkinData->ResourceStrData()) font.SetCharSet(FSkinData->ResourceStrData()->CharSet());
  return font;
}

void TbsSkinLinkLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
  GetSkinData();
  canvas.Font = TextFont();
  DrawCaption(canvas, rect, flags, LabelText(flags));
}

void TbsSkinLinkLabel::Click() {
  if (!Enabled()) return;
  TCustomLabel::Click();
  // A target the desktop cannot open is no error of the program's.
  if (!FURL.empty() && OpenURL) OpenURL(FURL);
}

void TbsSkinLinkLabel::enterEvent(QEnterEvent* event) {
  TCustomLabel::enterEvent(event);
  FMouseIn = true;
  update();
}

void TbsSkinLinkLabel::leaveEvent(QEvent* event) {
  TCustomLabel::leaveEvent(event);
  FMouseIn = false;
  update();
}

void TbsSkinLinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  TCustomLabel::mouseDoubleClickEvent(event);
  if (OnDblClick) OnDblClick();
}

void TbsSkinLinkLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !event->isAutoRepeat() &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    Click();
    return;
  }
  TCustomLabel::keyPressEvent(event);
}

void TbsSkinLinkLabel::focusInEvent(QFocusEvent* event) {
  TCustomLabel::focusInEvent(event);
  update();
}

void TbsSkinLinkLabel::focusOutEvent(QFocusEvent* event) {
  TCustomLabel::focusOutEvent(event);
  update();
}

void TbsSkinLinkLabel::Paint(TCanvas& canvas) {
  TCustomLabel::Paint(canvas);
  // In the text's own colour, so it reads wherever the label stands.
  if (hasFocus()) DrawFocusMark(canvas, TRect{0, 0, width(), height()}, TextFont().Color());
}
