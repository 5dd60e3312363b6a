#pragma once
// A top-level window. Its controls live on a client-area widget placed at the
// client rectangle; the band around it is the non-client area that a frame
// component may draw. Without a frame the client area fills the window.

#include <QPointer>
#include <functional>
#include <string>

#include "framework/tcontrol.h"
#include "framework/tmessage.h"

enum TCloseAction { caNone, caHide, caFree, caMinimize };

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
  void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
  void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }

  // Widths of the non-client band on each side (Left, Top, Right, Bottom).
  TRect NonClientMargins() const { return FMargins; }
  void SetNonClientMargins(const TRect& margins);

  // Building the form from its layout: no alignment until EndBuild, which
  // lays out every control, parents before children.
  void BeginBuild() { FLoading = true; }
  void EndBuild();
  bool Loading() const { return FLoading; }

  // Runs OnCreate; called once the form and its components exist.
  void DoCreate();

  TNotifyEvent OnCreate;
  std::function<void(TCloseAction&)> OnClose;

  // Messages sent to the form (skin notices and the like) that no hook took.
  void WndProc(TMessage& message) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceClientArea();

  std::string FCaption;
  bool FLoading = false;
  TControl* FClientArea;
  TRect FMargins;
};

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
