// SPDX-License-Identifier: GPL-3.0-or-later
// compose draws what the program draws: the composed frame of every test
// skin and of the program's own skin equals, pixel for pixel, the frame a
// window of that size shows; objects in their states equal the window's
// objects under the pointer.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "framework/tapplication.h"
#include "skin/controls/tbsskinhint.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skinpacktool.h"
#include "tests/skin/form/formtesthelpers.h"

namespace {

using namespace tooltest;

std::vector<std::string> SkinFiles() {
  std::vector<std::string> files;
  for (const QString& name : QDir(TEST_SKINS_DIR).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    files.push_back(std::string(TEST_SKINS_DIR) + "/" + name.toStdString() + "/skin.ini");
  files.push_back(DEFAULT_SKIN_DIR "/skin.ini");
  return files;
}

void LoadSkinFile(TbsSkinData& data, const std::string& file) {
  auto* stored = new TbsCompressedStoredSkin(&data);
  ASSERT_TRUE(stored->BuildFromDescriptionFile(file));
  data.SetCompressedStoredSkin(stored);
}

QImage Compose(const std::string& skin, const std::string& record, const QSize& size, const QStringList& options) {
  QTemporaryDir dir;
  const QString out = dir.filePath("out.png");
  const ToolRun r = Skinpack(QStringList{"compose"} + options +
                             QStringList{QString::fromStdString(skin), QString::fromStdString(record),
                                         QString("%1x%2").arg(size.width()).arg(size.height()), out});
  EXPECT_EQ(r.Code, 0) << r.Err;
  return QImage(out).convertToFormat(QImage::Format_ARGB32);
}

// The window's own pixels, with the area outside its shape transparent.
QImage WindowPixels(formtest::FramedForm& w) {
  QImage shot = w.Form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  if (w.Frame->HasWindowRegion())
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (!w.Form.mask().contains(QPoint(x, y))) shot.setPixel(x, y, qRgba(0, 0, 0, 0));
  return shot;
}

int DifferentPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(ComposeFrame, EqualsTheFrameOfAWindowOfThatSizeForEverySkin) {
  for (const std::string& skin : SkinFiles()) {
    for (const QSize size : {QSize(300, 200), QSize(517, 333)}) {
      SCOPED_TRACE(skin + " at " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
      formtest::FramedForm w(size.width(), size.height());
      LoadSkinFile(*w.Data, skin);
      ASSERT_TRUE(w.Frame->Skinned());
      const QImage expected = WindowPixels(w);
      ASSERT_EQ(expected.size(), size);
      const QImage composed = Compose(skin, "FORMINFO", size, {"--caption", "Frame"});
      EXPECT_EQ(DifferentPixels(composed, expected), 0);

      w.Form.Perform(WM_NCACTIVATE, 0);
      const QImage inactive = WindowPixels(w);
      EXPECT_EQ(DifferentPixels(Compose(skin, "FORMINFO", size, {"--caption", "Frame", "--inactive"}), inactive), 0);
    }
  }
}

TEST(ComposeFrame, AShapedSkinIsTransparentOutsideItsMask) {
  const QImage composed = Compose(std::string(TEST_SKINS_DIR) + "/shaped/skin.ini", "FORMINFO", {300, 200}, {});
  ASSERT_EQ(composed.size(), QSize(300, 200));
  EXPECT_EQ(qAlpha(composed.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(composed.pixel(299, 199)), 0);
  EXPECT_EQ(qAlpha(composed.pixel(150, 100)), 255);
}

// The default skin's caption buttons, each as the window shows it with the
// pointer away, over it, and pressed on it.
TEST(ComposeObject, EachStateEqualsTheWindowsObjectInThatState) {
  const std::string skin = DEFAULT_SKIN_DIR "/skin.ini";
  const QSize size(400, 300);
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "caption1"}) {
    SCOPED_TRACE(name);
    formtest::FramedForm w(size.width(), size.height());
    LoadSkinFile(*w.Data, skin);
    TbsActiveSkinObject* object = w.Frame->FindObject(name);
    ASSERT_NE(object, nullptr);
    const TRect b = object->Bounds;
    const QRect r(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    auto cut = [&] { return WindowPixels(w).copy(r); };
    const QPoint centre = r.center();

    const QImage normal = cut();
    EXPECT_EQ(DifferentPixels(Compose(skin, name, size, {"--caption", "Frame"}), normal), 0);

    formtest::MoveTo(w.Form, centre);
    w.Frame->HoverTimerStep();
    for (int i = 0; i < 10; ++i) w.Frame->MorphTimerStep();
    const QImage hot = cut();
    EXPECT_EQ(DifferentPixels(Compose(skin, name, size, {"--caption", "Frame", "--state", "hot"}), hot), 0);

    if (std::string(name) != "caption1") {
      formtest::Press(w.Form, centre);
      const QImage down = cut();
      EXPECT_EQ(DifferentPixels(Compose(skin, name, size, {"--caption", "Frame", "--state", "down"}), down), 0);
      EXPECT_NE(DifferentPixels(down, normal), 0) << "a pressed button looks pressed";
      // Let go outside, so the press does nothing.
      formtest::SendMouse(&w.Form, QEvent::MouseMove, w.Form.mapToGlobal(QPoint(200, 150)), Qt::LeftButton);
      formtest::Release(w.Form, {200, 150});
    }
    formtest::MoveTo(w.Form, {200, 150});
    w.Frame->HoverTimerStep();
    w.Form.Perform(WM_NCACTIVATE, 0);
    const QImage inactive = cut();
    EXPECT_EQ(DifferentPixels(Compose(skin, name, size, {"--caption", "Frame", "--state", "inactive"}), inactive), 0);
  }
}

// The hint the program shows for a text, through its hint component.
TEST(ComposeHint, EqualsTheHintWindowTheProgramShowsForTheText) {
  for (const std::string& skin : {std::string(DEFAULT_SKIN_DIR "/skin.ini"), std::string(TEST_SKINS_DIR "/shaped/skin.ini")}) {
    SCOPED_TRACE(skin);
    TForm form;
    auto* data = new TbsSkinData(&form);
    LoadSkinFile(*data, skin);
    Application()->SetMainForm(&form);
    auto* hint = new TbsSkinHint(&form);
    hint->SetSkinData(data);
    QCursor::setPos(40, 40);
    hint->ShowHintDelayed("Rename every listed file");
    hint->ShowHintNow();
    TbsSkinHintWindow* shown = hint->HintWindow();
    ASSERT_TRUE(shown->isVisible());
    QImage expected = shown->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (shown->HintRegion())
      for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
          if (!shown->HintRegion()->contains(QPoint(x, y))) expected.setPixel(x, y, qRgba(0, 0, 0, 0));
    hint->HideHint();
    Application()->SetMainForm(nullptr);
    const QImage composed = Compose(skin, "HINTWINDOW", {1, 1}, {"--caption", "Rename every listed file"});
    EXPECT_EQ(DifferentPixels(composed, expected), 0);
  }
}

}  // namespace
