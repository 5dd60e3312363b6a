// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes every hint of the application appear in the skin's hint window: on
// creation the application's hint window class becomes TbsSkinHintWindow and
// its show-hint event comes here. It also shows texts of its own after the
// hint pause (ShowHintDelayed), for the skinned frame's caption buttons.
// One hint component per main form is active; the last one to go gives the
// application its own hint window back.

#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>

#include "framework/tcustomhint.h"
#include "framework/tfont.h"
#include "framework/thintwindow.h"
#include "skin/controls/tbsskinhintwindow.h"
#include "skin/data/tbsskindata.h"

class TbsSkinHint : public TCustomHint {
  Q_OBJECT
 public:
  static constexpr int kShortPauseMs = 100;  // between hints of neighbouring controls

  explicit TbsSkinHint(QObject* owner = nullptr);
  ~TbsSkinHint() override;

  bool Active() const { return FActive; }
  // Activating one deactivates every other active hint component of the
  // main form, and takes the application's show-hint event again.
  void SetActive(bool value);
  // Not owned; clears itself when the skin data goes.
  TbsSkinData* SkinData() const { return FSkinData.data(); }
  void SetSkinData(TbsSkinData* value) { FSkinData = value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value) { FAlphaBlend = value; }
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int value) { FAlphaBlendValue = std::clamp(value, 0, 255); }
  // The hint font without a skin, or with UseSkinFont off.
  const TFont& DefaultFont() const { return FDefaultFont; }
  void SetDefaultFont(const TFont& value) { FDefaultFont = value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }

  TShowHintEvent OnShowHint;

  void ShowHintDelayed(const std::string& text) override;
  // Shows the remembered text below the pointer now; hides it after the
  // application's hide pause.
  void ShowHintNow();
  void HideHint() override;

  // The window of ShowHintDelayed (not the application's).
  TbsSkinHintWindow* HintWindow() const { return FHintWindow.get(); }
  // Waiting for the pause or for the hide pause; null when idle.
  QTimer* HintTimer() const { return FHintTimer.get(); }

 private:
  void RouteShowHint();
  void StartTimer(int ms, void (TbsSkinHint::*tick)());
  void DropTimer();

  bool FActive = true;
  QPointer<TbsSkinData> FSkinData;
  std::unique_ptr<TbsSkinHintWindow> FHintWindow;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 0;
  TFont FDefaultFont;
  bool FUseSkinFont = true;
  std::unique_ptr<QTimer> FHintTimer;
  std::string FHintText;
  bool FInstalled = false;
};
