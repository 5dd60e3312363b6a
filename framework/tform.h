// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A top-level window. Its controls live on a client-area widget placed at
// the client rectangle that the window procedure computes (WM_NCCALCSIZE);
// the band around it is the non-client area, painted through WM_NCPAINT and
// answering the mouse through WM_NCHITTEST and the non-client button
// messages. By default the client area fills the window and the platform
// draws the caption; a frame component hooks WindowProc to take over.
//
// The default processing of a non-client left button press on the caption
// (2) or an edge (10 to 17) runs the framework's move/size loop: a modal loop
// that holds the mouse, reports each proposed rectangle (WM_MOVING /
// WM_SIZING) and moves or sizes the window until the button is released.

#include <QPointer>
#include <functional>
#include <string>

#include "framework/tcontrol.h"
#include "framework/tmessage.h"

class QEventLoop;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;

struct TMinMaxInfo {
  TPoint MinTrackSize{1, 1};
  TPoint MaxTrackSize{32767, 32767};
};

class TForm : public TControl {
  Q_OBJECT
 public:
  explicit TForm(QWidget* parent = nullptr);
  ~TForm() override;

  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& value);

  // Parent of the form's controls.
  TControl* ClientArea() const { return FClientArea; }
  int ClientWidth() const { return FClientArea->width(); }
  int ClientHeight() const { return FClientArea->height(); }
  void SetClientSize(int width, int height);
  void SetBounds(int left, int top, int width, int height) override;
  void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
  void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
  // The client rectangle in window coordinates.
  TRect ClientRectInWindow() const { return FromQRect(FClientArea->geometry()); }
  // Asks WM_NCCALCSIZE again (the frame changed) and repaints the frame.
  void FrameChanged();
  // Repaints the non-client area.
  void InvalidateFrame();

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  bool HasBorder() const { return FBorderStyle != bsNone; }
  bool Sizeable() const { return FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin; }
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value) { FBorderIcons = value; }
  // Off: no platform caption or border (a frame component draws them).
  bool PlatformCaption() const { return FPlatformCaption; }
  void SetPlatformCaption(bool value);
  TWindowState WindowState() const;
  bool Active() const { return isActiveWindow(); }

  // The mouse goes to the form alone until released; meanwhile mouse input
  // arrives as client messages (WM_MOUSEMOVE, WM_LBUTTONUP, ...).
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const { return FCaptured; }
  bool InMoveSizeLoop() const { return FLoop != nullptr; }
  TMinMaxInfo MinMaxInfo();

  // Building the form from its layout: no alignment until EndBuild, which
  // lays out every control, parents before children.
  void BeginBuild();
  void EndBuild();
  bool Loading() const { return FLoading; }

  // Runs OnCreate; called once the form and its components exist.
  void DoCreate();

  // Ends the window while the form is still whole: sends WM_DESTROY once
  // through WindowProc, then gives WindowProc back to the form's own WndProc,
  // so no hook (a frame component, a handler of a derived form, a lambda)
  // runs later against parts already destroyed. ~TForm calls it; a derived
  // form whose members or handlers a hook uses calls it first thing in its
  // own destructor.
  void DestroyWindow();
  bool WindowDestroyed() const { return FWindowDestroyed; }

  TNotifyEvent OnCreate;
  std::function<void(TCloseAction&)> OnClose;

  // Default processing of the window messages (what the platform does).
  void WndProc(TMessage& message) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TFormClientArea;
  void PlaceClientArea();
  void MouseMessage(QMouseEvent* event, unsigned ncMsg, unsigned clientMsg);
  void RunMoveSizeLoop(int hitCode, const QPoint& startGlobal);
  void MoveSizeStep(const QPoint& global);
  // Takes the position the window system reports when ours differs.
  void CheckPlacement();

  std::string FCaption;
  bool FLoading = false;
  bool FWindowDestroyed = false;
  bool FCaptured = false;
  bool FPlatformCaption = true;
  bool FCheckPlacement = false;  // shown, not yet checked against the window system
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TControl* FClientArea;

  struct MoveSize {
    int HitCode = 0;
    QPoint StartGlobal;
    QRect StartRect;
    TMinMaxInfo Limits;
  };
  MoveSize FMoveSize;
  QEventLoop* FLoop = nullptr;
};

// The cursor shape the platform shows over a hit-test code.
TCursor CursorForHitCode(int hitCode);

// The application's forms in creation order.
class TScreen {
 public:
  const std::vector<TForm*>& Forms() const { return FForms; }
  int FormCount() const { return int(FForms.size()); }

 private:
  friend class TForm;
  std::vector<TForm*> FForms;
};

TScreen& Screen();
