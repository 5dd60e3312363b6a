// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A one-line text that looks and acts like a link: underlined, coloured from
// a plain-label record of the skin ("stdlabel" by default) with another
// colour under the pointer, and a click opens its URL with the desktop's
// default handler. Tab reaches it (a click does not focus it), and Enter or
// Space opens it as a click does.

#include <QPointer>
#include <QUrl>
#include <functional>
#include <string>

#include "framework/tlabel.h"
#include "skin/data/tbsskindata.h"

class TbsSkinLinkLabel : public TCustomLabel {
  Q_OBJECT
 public:
  explicit TbsSkinLinkLabel(QWidget* parent = nullptr);

  bool MouseIn() const { return FMouseIn; }
  int SkinIndex() const { return FSkinIndex; }
  // Not owned; clears itself when the skin data goes. A new skin data is
  // bound and shown at once; null is only stored.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
  // The font without a record (with UseSkinFont on); copied, no repaint.
  const TFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFont& value) { FDefaultFont = value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }
  // The text colour under the pointer without a record.
  TColor DefaultActiveFontColor() const { return FDefaultActiveFontColor; }
  void SetDefaultActiveFontColor(TColor value) { FDefaultActiveFontColor = value; }
  const std::string& URL() const { return FURL; }
  void SetURL(const std::string& value) { FURL = value; }

  // Opens the link as a click does; for the keyboard and assistive technology.
  void Activate() { Click(); }

  // Binds the record by name and copies its font.
  void GetSkinData();
  // Binds the record again, resizes to the text when AutoSize, repaints.
  void ChangeSkinData();
  // The skin change notice of its own skin data (or of none).
  void WndProc(TMessage& message) override;

  // Opens a link target; returns whether it was handed over. Replaceable so
  // tests can see what a click would open.
  std::function<bool(const std::string&)> OpenURL;

  TNotifyEvent OnDblClick;

  // The record's font, as last bound.
  std::string SkinFontName = "Arial";
  int SkinFontHeight = 0;
  TFontStyles SkinFontStyle = 0;
  TColor SkinFontColor = clBlack;
  TColor SkinActiveFontColor = clBlack;

 protected:
  void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) override;
  void Click() override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void Paint(TCanvas& canvas) override;

 private:
  // The font and colour the text is drawn in now: record, pointer, switches.
  TFont TextFont() const;

  bool FMouseIn = false;
  int FSkinIndex = -1;
  QPointer<TbsSkinData> FSkinData;
  std::string FSkinDataName = "stdlabel";
  TFont FDefaultFont{"Arial", 14, fsUnderline};
  bool FUseSkinFont = true;
  TColor FDefaultActiveFontColor = clBlue;
  std::string FURL;
};

// What a link target becomes for the desktop's handler: an address with a
// scheme as written (bytes outside ASCII percent-encoded, so none is lost),
// an absolute path as a file address of exactly its bytes; anything else
// (empty, relative, malformed) is an invalid URL and opens nothing.
QUrl LinkTargetUrl(const std::string& target);
// Hands `target` to the desktop's default handler; never through a shell.
bool OpenLinkTarget(const std::string& target);
