// SPDX-License-Identifier: GPL-3.0-or-later
// A form whose window procedure is hooked the way a frame component hooks
// it: a 30-pixel caption band and 10-pixel edges, painted and hit-tested by
// the hook, moved and sized by the framework's move/size loop.

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "framework/tcanvas.h"
#include "framework/tform.h"

namespace {

constexpr int kEdge = 10;
constexpr int kCaption = 30;

class FramedForm : public TForm {
 public:
  FramedForm() {
    Previous = WindowProc;
    WindowProc = [this](TMessage& m) { Hook(m); };
    SetPlatformCaption(false);
    FrameChanged();
  }
  // The hook uses this class's members: the window ends before they go.
  ~FramedForm() override { DestroyWindow(); }

  std::vector<unsigned> Seen;
  std::function<void(TMessage&)> Previous;
  int SnapMovesTo = 1;
  TPoint MinSize{120, 80};

 private:
  void Hook(TMessage& m) {
    if (m.Msg >= WM_NCCALCSIZE && m.Msg <= WM_EXITSIZEMOVE && m.Msg != WM_NCMOUSEMOVE) Seen.push_back(m.Msg);
    switch (m.Msg) {
      case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<TRect*>(m.LParam);
        *r = TRect{r->Left + kEdge, r->Top + kCaption, r->Right - kEdge, r->Bottom - kEdge};
        return;
      }
      case WM_NCHITTEST: {
        const QPoint p = mapFromGlobal(QPoint(LParamX(m.LParam), LParamY(m.LParam)));
        const bool l = p.x() < kEdge, r = p.x() >= width() - kEdge, b = p.y() >= height() - kEdge;
        m.Result = b && r ? HTBOTTOMRIGHT : b && l ? HTBOTTOMLEFT : b ? HTBOTTOM : l ? HTLEFT : r ? HTRIGHT
                 : p.y() < kCaption ? HTCAPTION : HTCLIENT;
        return;
      }
      case WM_NCPAINT:
        reinterpret_cast<TCanvas*>(m.WParam)->Brush.Color = clRed;
        reinterpret_cast<TCanvas*>(m.WParam)->FillRect(TRect{0, 0, width(), height()});
        return;
      case WM_ERASEBKGND:
        reinterpret_cast<TCanvas*>(m.WParam)->Brush.Color = clLime;
        reinterpret_cast<TCanvas*>(m.WParam)->FillRect(TRect{0, 0, ClientWidth(), ClientHeight()});
        m.Result = 1;
        return;
      case WM_MOVING: {
        auto* r = reinterpret_cast<TRect*>(m.LParam);
        const int snapped = r->Left / SnapMovesTo * SnapMovesTo;
        OffsetRect(*r, snapped - r->Left, 0);
        break;
      }
      case WM_GETMINMAXINFO:
        reinterpret_cast<TMinMaxInfo*>(m.LParam)->MinTrackSize = MinSize;
        return;
      default:
        break;
    }
    Previous(m);
  }
};

// `global` is where the pointer is on the screen; `w` may have moved since.
void SendMouse(QWidget* w, QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons,
               Qt::MouseButton button = Qt::NoButton) {
  QMouseEvent e(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// Presses at `from`, moves to `to` and releases (window coordinates at the
// start), inside the modal loop.
void Drag(TForm& form, const QPoint& from, const QPoint& to) {
  const QPoint a = form.mapToGlobal(from), b = form.mapToGlobal(to);
  QTimer::singleShot(0, &form, [&form, a, b] {
    SendMouse(&form, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
    SendMouse(&form, QEvent::MouseMove, b, Qt::LeftButton);
    SendMouse(&form, QEvent::MouseButtonRelease, b, Qt::NoButton, Qt::LeftButton);
  });
  SendMouse(&form, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
}

class NonClient : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(100, 100, 300, 200);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.Seen.clear();
  }
  FramedForm form;
};

TEST_F(NonClient, TheClientAreaIsWhereTheWindowProcedurePutsIt) {
  EXPECT_EQ(form.ClientRectInWindow(), Rect(kEdge, kCaption, 300 - kEdge, 200 - kEdge));
  form.SetClientSize(100, 50);
  EXPECT_EQ(form.width(), 100 + 2 * kEdge);
  EXPECT_EQ(form.height(), 50 + kCaption + kEdge);
  EXPECT_EQ(form.ClientWidth(), 100);
}

TEST_F(NonClient, TheFramePaintsTheBandAndTheHookPaintsTheClientBackground) {
  const QImage shot = form.grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(0, 0)), QColor(Qt::red));
  EXPECT_EQ(QColor(shot.pixel(kEdge - 1, 100)), QColor(Qt::red));
  EXPECT_EQ(QColor(shot.pixel(kEdge, kCaption)), QColor(Qt::green));
  EXPECT_EQ(QColor(shot.pixel(299 - kEdge, 199 - kEdge)), QColor(Qt::green));
}

TEST_F(NonClient, DraggingTheCaptionMovesTheWindowThroughTheLoop) {
  form.SnapMovesTo = 8;
  Drag(form, QPoint(150, 15), QPoint(185, 35));
  EXPECT_EQ(form.pos(), QPoint((100 + 35) / 8 * 8, 120));
  EXPECT_EQ(form.size(), QSize(300, 200));
  // The press, whose default processing runs the loop: enter, the proposed
  // rectangles, exit.
  const std::vector<unsigned> expected{WM_NCHITTEST, WM_NCLBUTTONDOWN, WM_ENTERSIZEMOVE,
                                       WM_MOVING,    WM_MOVING,        WM_EXITSIZEMOVE};
  std::vector<unsigned> seen;
  for (unsigned m : form.Seen)
    if (m != WM_NCPAINT && m != WM_NCCALCSIZE) seen.push_back(m);
  EXPECT_EQ(seen, expected);
  EXPECT_FALSE(form.InMoveSizeLoop());
}

TEST_F(NonClient, DraggingAnEdgeSizesTheWindowDownToTheMinimumTrackSize) {
  Drag(form, QPoint(299, 199), QPoint(349, 229));
  EXPECT_EQ(form.geometry(), QRect(100, 100, 350, 230));
  EXPECT_EQ(form.ClientRectInWindow(), Rect(kEdge, kCaption, 350 - kEdge, 230 - kEdge));
  Drag(form, QPoint(2, 100), QPoint(500, 100));  // the left edge far past the right one
  EXPECT_EQ(form.geometry(), QRect(100 + 350 - 120, 100, 120, 230));
}

TEST_F(NonClient, WithCaptureMouseInputArrivesAsClientMessages) {
  std::vector<std::pair<unsigned, TPoint>> got;
  auto previous = form.WindowProc;
  form.WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_LBUTTONUP || m.Msg == WM_NCLBUTTONUP) got.push_back({m.Msg, {LParamX(m.LParam), LParamY(m.LParam)}});
    previous(m);
  };
  const QPoint at = form.mapToGlobal(QPoint(150, 5));
  SendMouse(&form, QEvent::MouseButtonRelease, at, Qt::NoButton, Qt::LeftButton);
  form.SetCapture();
  SendMouse(&form, QEvent::MouseButtonRelease, at, Qt::NoButton, Qt::LeftButton);
  form.ReleaseCapture();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].first, WM_NCLBUTTONUP);
  EXPECT_EQ(got[0].second, Point(form.mapToGlobal(QPoint(150, 5)).x(), form.mapToGlobal(QPoint(150, 5)).y()));
  EXPECT_EQ(got[1].first, WM_LBUTTONUP);
  EXPECT_EQ(got[1].second, Point(150 - kEdge, 5 - kCaption));  // client coordinates
  form.WindowProc = previous;  // the hook uses this test's locals
}

TEST(NonClientDefaults, WithoutAHookTheClientFillsTheWindow) {
  TForm form;
  form.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(form.ClientRectInWindow(), Rect(0, 0, 200, 100));
  EXPECT_EQ(CursorForHitCode(HTBOTTOMRIGHT), crSizeNWSE);
  EXPECT_EQ(CursorForHitCode(HTTOPRIGHT), crSizeNESW);
  EXPECT_EQ(CursorForHitCode(HTLEFT), crSizeWE);
  EXPECT_EQ(CursorForHitCode(HTCAPTION), crArrow);
  EXPECT_EQ(LParamX(MakeLParam(-5, 70)), -5);
  EXPECT_EQ(LParamY(MakeLParam(-5, 70)), 70);
}

// A derived form hooks its own window procedure with handlers that use its
// members, as a frame component or a main window does.
class LoggingForm : public TForm {
 public:
  explicit LoggingForm(std::vector<std::string>& log) : Log(log) {
    Previous = WindowProc;
    WindowProc = [this](TMessage& m) {
      if (m.Msg == WM_DESTROY || m.Msg == WM_NCHITTEST) Log.push_back(Name + (m.Msg == WM_DESTROY ? " destroy" : " hit"));
      Previous(m);
    };
  }
  ~LoggingForm() override { DestroyWindow(); }

  std::vector<std::string>& Log;
  std::string Name = "logging form";  // gone before ~TForm runs
  std::function<void(TMessage&)> Previous;
};

TEST(FormTeardown, TheWindowEndsOnceWhileTheDerivedFormIsWholeAndNoHookRunsAfter) {
  std::vector<std::string> log;
  {
    LoggingForm form(log);
    form.Perform(WM_NCHITTEST, 0, MakeLParam(5, 5));
    form.DestroyWindow();
    EXPECT_TRUE(form.WindowDestroyed());
    // The form's own procedure answers now; the hook is not called again.
    form.SetBounds(0, 0, 50, 40);
    EXPECT_EQ(form.Perform(WM_NCHITTEST, 0, MakeLParam(5, 5)), HTCLIENT);
    EXPECT_EQ(form.ClientRectInWindow(), Rect(0, 0, 50, 40));
    form.DestroyWindow();
  }
  EXPECT_EQ(log, (std::vector<std::string>{"logging form hit", "logging form destroy"}));

  // Without an explicit step, the form's destructor still ends the window
  // once, and hooks that outlive the form hear it.
  int destroyed = 0;
  {
    std::function<void(TMessage&)> previous;  // outlives the form
    TForm plain;
    previous = plain.WindowProc;
    plain.WindowProc = [&](TMessage& m) {
      destroyed += m.Msg == WM_DESTROY;
      previous(m);
    };
  }
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
