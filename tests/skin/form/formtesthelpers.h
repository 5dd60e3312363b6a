// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Skins built pixel by pixel for the frame tests, a skinned window fixture,
// and mouse input sent the way the platform delivers it.

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <string>

#include "framework/tform.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsskinframe.h"
#include "tests/skin/data/skinbytes.h"

namespace formtest {

// The frame picture has the embedded skin's proportions: client rectangle
// 8,26,168,116 on a 176 x 124 picture.
constexpr int kPicW = 176, kPicH = 124;
constexpr int kButton = 16, kButtonH = 14;  // caption buttons in active picture 0

// Every pixel differs from its neighbours, so a misplaced piece shows.
inline QRgb FramePixel(int x, int y) { return qRgb((x * 7 + 11) & 255, (y * 5 + 3) & 255, (x + 2 * y) & 255); }
inline QRgb InactivePixel(int x, int y) { return qRgb((x * 3) & 255, 200, (y * 3) & 255); }
// Buttons: column i is button i, row 0 normal, row 1 hot, row 2 pressed.
inline QRgb ButtonPixel(int x, int y) { return qRgb(40 * (x / kButton) + 20, 80 * (y / kButtonH) + 10, 99); }

inline std::string FrameSkinText(const std::string& extraFormInfo = "", const std::string& extraObjects = "") {
  return "[PICTURES]\r\npicture=frame.bmp\r\ninactivepicture=inactive.bmp\r\n"
         "[FORMINFO]\r\nlefttoppoint=8,26\r\nrighttoppoint=168,26\r\nleftbottompoint=8,116\r\n"
         "rightbottompoint=168,116\r\nclientrect=8,26,168,116\r\nbuttonsoffset=1\r\ncaptionrect=30,4,150,22\r\n"
         "hittestlefttoppoint=6,6\r\nhittestrighttoppoint=170,6\r\nhittestleftbottompoint=6,118\r\n"
         "hittestrightbottompoint=170,118\r\nborderwidth=4\r\n" +
         extraFormInfo +
         "[SKINOBJECTS]\r\ncount=7\r\n0=caption1:caption\r\n1=closebutton:stdbutton\r\n2=maxbutton:stdbutton\r\n"
         "3=minbutton:stdbutton\r\n4=rollupbutton:stdbutton\r\n5=sysmenubutton:stdbutton\r\n6=MENUITEM:menuitem\r\n"
         "[caption1]\r\nskinrect=30,4,150,22\r\ntextrect=2,0,118,18\r\nfontcolor=255\r\nactivefontcolor=16777215\r\n"
         "alignment=taleftjustify\r\n"
         "[closebutton]\r\ncommand=cmclose\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\n"
         "skinrect=0,0,16,14\r\nactiveskinrect=0,14,16,28\r\ndownrect=0,28,16,42\r\nmorphing=1\r\n"
         "[maxbutton]\r\ncommand=cmmaximize\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\n"
         "skinrect=16,0,32,14\r\nactiveskinrect=16,14,32,28\r\ndownrect=16,28,32,42\r\nrestorerect=0,0,0,0\r\n"
         "[minbutton]\r\ncommand=cmminimize\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\n"
         "skinrect=32,0,48,14\r\nactiveskinrect=32,14,48,28\r\ndownrect=32,28,48,42\r\n"
         "[rollupbutton]\r\ncommand=cmrollup\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\n"
         "skinrect=48,0,64,14\r\nactiveskinrect=48,14,64,28\r\ndownrect=48,28,64,42\r\n"
         "[sysmenubutton]\r\ncommand=cmsysmenu\r\nactivepictureindex=0\r\nskinrectinapicture=1\r\n"
         "skinrect=64,0,80,14\r\nactiveskinrect=64,14,80,28\r\n" +
         extraObjects;
}

inline skinbytes::Package FrameSkin(const std::string& text = FrameSkinText()) {
  skinbytes::Package p;
  p.Picture = skinbytes::Bmp24(kPicW, kPicH, FramePixel);
  p.Inactive = skinbytes::Bmp24(kPicW, kPicH, InactivePixel);
  p.Active = {skinbytes::Bmp24(5 * kButton, 3 * kButtonH, ButtonPixel)};
  p.Text = text;
  return p;
}

inline void LoadSkin(TbsSkinData& data, const skinbytes::Package& package) {
  const skinbytes::Bytes bytes = package.Build();
  data.LoadFromPackage(bytes.data(), bytes.size());
}

// `global` is where the pointer is on the screen; `w` may have moved since.
inline void SendMouse(QWidget* w, QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons,
                      Qt::MouseButton button = Qt::NoButton) {
  QMouseEvent e(type, QPointF(w->mapFromGlobal(global)), QPointF(global), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// The pointer moves to window point `p`: the cursor follows, the form sees the move.
inline void MoveTo(TForm& form, const QPoint& p) {
  const QPoint g = form.mapToGlobal(p);
  QCursor::setPos(g);
  SendMouse(&form, QEvent::MouseMove, g, Qt::NoButton);
}
inline void Press(TForm& form, const QPoint& p) {
  SendMouse(&form, QEvent::MouseButtonPress, form.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton);
}
inline void Release(TForm& form, const QPoint& p) {
  SendMouse(&form, QEvent::MouseButtonRelease, form.mapToGlobal(p), Qt::NoButton, Qt::LeftButton);
}

// Presses at `from`, moves to `to` and releases inside the modal move/size loop.
inline void Drag(TForm& form, const QPoint& from, const QPoint& to) {
  const QPoint a = form.mapToGlobal(from), b = form.mapToGlobal(to);
  QTimer::singleShot(0, &form, [&form, a, b] {
    SendMouse(&form, QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
    SendMouse(&form, QEvent::MouseMove, b, Qt::LeftButton);
    SendMouse(&form, QEvent::MouseButtonRelease, b, Qt::NoButton, Qt::LeftButton);
  });
  SendMouse(&form, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
}

// A shown, active form with a frame; skinned by LoadSkin(*Data, ...).
struct FramedForm {
  FramedForm(int w = 400, int h = 300) {
    Form.SetBounds(50, 40, w, h);
    Frame = new TbsSkinFrame(&Form);
    Data = new TbsSkinData(&Form);
    Frame->SetSkinData(Data);
    Form.SetCaption("Frame");
    Form.show();
    [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(&Form);
    Form.activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(&Form);
    Form.Perform(WM_NCACTIVATE, 1);
    Start = Form.geometry();
  }
  QImage Shot() { return Form.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  TForm Form;
  QRect Start;  // where the window is once shown: a window manager may place it elsewhere
  TbsSkinFrame* Frame;
  TbsSkinData* Data;
};

// Where renders for looking go: FORM_SHOTS when set, else a folder that is
// removed afterwards, so the renders are still made and checked on every run.
class RenderFolder {
 public:
  RenderFolder() : FDir(QString::fromUtf8(qgetenv("FORM_SHOTS"))) {
    if (FDir.isEmpty()) FDir = FTemp.path();
  }
  // Saves `image` as `name` and says whether it reads back whole.
  bool Save(const QImage& image, const QString& name) const {
    const QString path = FDir + "/" + name;
    if (!image.save(path)) return false;
    const QImage back(path);
    return back.size() == image.size() && back.convertToFormat(QImage::Format_RGB32) == image;
  }

 private:
  QTemporaryDir FTemp;
  QString FDir;
};

}  // namespace formtest
