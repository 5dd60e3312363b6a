// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: its title, the message loop, the error box for
// exceptions that reach the loop, and the hint machinery (which control is
// under the mouse, its hint text, the pauses and the hint window).

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "framework/tform.h"
#include "framework/thintwindow.h"


class TApplication : public QApplication {
  Q_OBJECT
 public:
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value);

  // Shows `message` the way an error that reached the loop is shown: caption
  // = Title, stop icon, OK; "." appended when the last character sorts after ".".
  void ShowException(const std::string& message);
  static std::string ErrorBoxText(const std::string& message);

  // Runs the loop until the main form closes.
  int Run();
  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { FMainForm = form; }
  // Off: Run starts the loop without showing the main form (a program that
  // starts hidden in the notification area).
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool value) { FShowMainForm = value; }

  // Hints.
  int HintPause() const { return FHintPause; }
  void SetHintPause(int ms) { FHintPause = ms; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int ms) { FHintShortPause = ms; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int ms) { FHintHidePause = ms; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  // Replacing the class takes effect for the next hint shown; null is the
  // framework's own hint window.
  void SetHintWindowClass(THintWindowClass factory);
  // Raised before every hint the application shows.
  TShowHintEvent OnShowHint;
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  TControl* HintControl() const { return FHintControl; }
  void CancelHint();

  // The first non-empty hint from `control` up through its parents.
  static std::string GetHint(const TControl* control);

  // Called instead of the error box when set.
  std::function<void(const std::exception&)> OnException;
  // Shows an error a handler raised: OnException, or else the error box.
  void HandleException(const std::exception& e);
  // Errors that got past every handler boundary into Qt's event delivery and
  // were caught only by the loop: each is a boundary missing in the framework.
  int ExceptionsReachingTheLoop() const { return FExceptionsReachingTheLoop; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void HintMouseMove(QWidget* widget);
  void ShowHintNow();

  std::string FTitle;
  QPointer<TForm> FMainForm;
  bool FShowMainForm = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  THintWindowClass FHintWindowClass;
  std::unique_ptr<THintWindow> FHintWindow;
  QPointer<TControl> FHintControl;
  QTimer FHintTimer;
  QTimer FHideTimer;
  bool FHintShowing = false;
  int FExceptionsReachingTheLoop = 0;
};

TApplication* Application();
