// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinhint.h"

#include <QCursor>

#include "framework/tapplication.h"
#include "framework/handlerguard.h"

namespace {
// Skin hint components alive that installed the skinned hint window class.
int gInstalledHints = 0;
}  // namespace

TbsSkinHint::TbsSkinHint(QObject* owner) : TCustomHint(owner), FHintWindow(std::make_unique<TbsSkinHintWindow>()) {
  TApplication* app = Application();
  if (!app || (ComponentState() & csDesigning)) return;
  app->SetHintWindowClass([] { return new TbsSkinHintWindow; });
  // Off and on again, so the application makes its hint window anew.
  app->SetShowHint(!app->ShowHint());
  app->SetShowHint(!app->ShowHint());
  RouteShowHint();
  app->SetHintShortPause(kShortPauseMs);
  FInstalled = true;
  ++gInstalledHints;
}

TbsSkinHint::~TbsSkinHint() {
  FHintTimer.reset();
  FHintWindow.reset();
  if (!FInstalled) return;
  TApplication* app = Application();
  if (--gInstalledHints == 0 && app) {
    // Without any skin hint the skinned window would show nothing: hints
    // go back to the framework's own window rather than vanish.
    app->SetHintWindowClass(nullptr);
    app->OnShowHint = nullptr;
    return;
  }
  // The show-hint event goes on to the active one that stays, if any.
  if (app && app->MainForm())
    for (QObject* child : app->MainForm()->children())
      if (auto* other = qobject_cast<TbsSkinHint*>(child); other && other != this && other->Active()) {
        other->RouteShowHint();
        break;
      }
}

void TbsSkinHint::RouteShowHint() {
  if (TApplication* app = Application()) {
    QPointer<TbsSkinHint> self(this);
    app->OnShowHint = [self](std::string& hintStr, bool& canShow, THintInfo& hintInfo) {
      if (self && self->OnShowHint) self->OnShowHint(hintStr, canShow, hintInfo);
    };
  }
}

void TbsSkinHint::SetActive(bool value) {
  FActive = value;
  if (!value) return;
  if (TApplication* app = Application(); app && app->MainForm())
    for (QObject* child : app->MainForm()->children())
      if (auto* other = qobject_cast<TbsSkinHint*>(child); other && other != this && other->Active())
        other->SetActive(false);
  if (!(ComponentState() & csDesigning)) RouteShowHint();
}

void TbsSkinHint::StartTimer(int ms, void (TbsSkinHint::*tick)()) {
  FHintTimer = std::make_unique<QTimer>();
  FHintTimer->setSingleShot(true);
  QObject::connect(FHintTimer.get(), &QTimer::timeout, this, [this, tick] { CallGuarded([this, tick] { (this->*tick)(); }); });
  FHintTimer->start(ms);
}

void TbsSkinHint::DropTimer() {
  if (!FHintTimer) return;
  FHintTimer->stop();
  FHintTimer->disconnect();
  // Its own tick may be running this: it goes once that has returned.
  FHintTimer.release()->deleteLater();
}

void TbsSkinHint::ShowHintDelayed(const std::string& text) {
  DropTimer();
  FHintText = text;
  StartTimer(Application() ? Application()->HintPause() : 500, &TbsSkinHint::ShowHintNow);
}

void TbsSkinHint::ShowHintNow() {
  const QPoint cursor = QCursor::pos();
  const int y = cursor.y() + HintCursorHeight();
  FHintWindow->ShowHintWindow(TRect{cursor.x(), y, cursor.x(), y}, FHintText);
  DropTimer();
  StartTimer(Application() ? Application()->HintHidePause() : 2500, &TbsSkinHint::HideHint);
}

void TbsSkinHint::HideHint() {
  DropTimer();
  if (FHintWindow->isVisible()) FHintWindow->hide();
}
