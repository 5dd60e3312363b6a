// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "framework/taction.h"
#include "skin/controls/tbsskinbutton.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

const QImage kPicture = Pattern(200, 150);

#define BUTTON_GEOMETRY                                                                                   \
  "pictureindex=0\r\nskinrect=0,100,30,125\r\nactiveskinrect=30,100,60,125\r\ndownskinrect=60,100,90,125\r\n" \
  "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,22\r\nrightbottompoint=27,22\r\n"             \
  "clientrect=3,3,27,22\r\n"

const char* kControls =
    "[SKINCONTROLS]\r\ncount=3\r\n0=resizebutton:button\r\n1=morphbutton:button\r\n2=disbutton:button\r\n"
    "[resizebutton]\r\n" BUTTON_GEOMETRY "[morphbutton]\r\n" BUTTON_GEOMETRY "morphing=1\r\nmorphkind=mkdefault\r\n"
    "[disbutton]\r\n" BUTTON_GEOMETRY "disabledskinrect=90,100,120,125\r\n";

const QImage kNormal = Piece(kPicture, 0, 100, 30, 125);
const QImage kActive = Piece(kPicture, 30, 100, 60, 125);
const QImage kDown = Piece(kPicture, 60, 100, 90, 125);
const QImage kDisabled = Piece(kPicture, 90, 100, 120, 125);

struct Button : ::testing::Test {
  TForm form;
  TbsSkinData* data = LoadSkin(&form, kControls, {kPicture});
  int clicks = 0;

  // A mouse-only button (no focus), so the tests need no active window.
  TbsSkinButton* Make(const std::string& record = "resizebutton", QWidget* parent = nullptr) {
    auto* b = new TbsSkinButton(parent ? parent : form.ClientArea());
    b->SetCanFocused(false);
    b->OnClick = [this] { ++clicks; };
    b->SetSkinDataName(record);
    b->SetSkinData(data);
    b->SetBounds(0, 0, 30, 25);
    return b;
  }
  static QTimer* Timer(TbsSkinButton* b, const char* name) { return b->findChild<QTimer*>(name); }
  bool Activate() {
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
  }
};

TEST_F(Button, LooksFollowPointerAndPressAndAClickClicksOnce) {
  TbsSkinButton* b = Make();
  EXPECT_EQ(Grab(*b), kNormal);
  Enter(*b);
  EXPECT_EQ(Grab(*b), kActive);
  Press(*b);
  EXPECT_EQ(Grab(*b), kDown);
  EXPECT_EQ(clicks, 0);
  Release(*b);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(Grab(*b), kActive);
  Leave(*b);
  EXPECT_EQ(Grab(*b), kNormal);
}

TEST_F(Button, PressMoveOutAndReleaseDoesNotClick) {
  TbsSkinButton* b = Make();
  int leaves = 0;
  b->OnMouseLeave = [&] { ++leaves; };
  Enter(*b);
  Press(*b);
  DragTo(*b, {50, 50});
  EXPECT_EQ(Grab(*b), kNormal);
  Release(*b, {50, 50});
  Leave(*b);  // the window system reports the leave once the mouse is free
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(leaves, 1);
}

TEST_F(Button, DisabledLookUsesItsPieceOrFallsBackToTheNormalOne) {
  TbsSkinButton* with = Make("disbutton");
  with->SetEnabled(false);
  EXPECT_EQ(Grab(*with), kDisabled);
  TbsSkinButton* without = Make("resizebutton");
  without->SetEnabled(false);
  EXPECT_EQ(Grab(*without), kNormal);
}

// The blend an image at factor k should show: (1 - k) a + k b per channel,
// rounded to nearest with ties to even.
QImage Blend(const QImage& a, const QImage& b, double k) {
  QImage out(a.size(), QImage::Format_RGB32);
  auto mix = [k](int x, int y) { return int(std::nearbyint((1 - k) * x + k * y)); };
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      out.setPixel(x, y, qRgb(mix(qRed(p), qRed(q)), mix(qGreen(p), qGreen(q)), mix(qBlue(p), qBlue(q))));
    }
  return out;
}

TEST_F(Button, MorphingRecordFadesToTheActiveLookInFifthsAndBack) {
  TbsSkinButton* b = Make("morphbutton");
  Enter(*b);
  QTimer* timer = Timer(b, "MorphTimer");
  ASSERT_TRUE(timer && timer->isActive());
  EXPECT_EQ(timer->interval(), 20);
  EXPECT_EQ(b->MorphFactor(), 0);
  std::vector<double> factors;
  while (timer->isActive() && factors.size() < 10) {
    Tick(timer);
    factors.push_back(b->MorphFactor());
    if (factors.size() == 2) EXPECT_EQ(Grab(*b), Blend(kNormal, kActive, b->MorphFactor()));
  }
  ASSERT_GE(factors.size(), 5u);
  ASSERT_LE(factors.size(), 6u);
  EXPECT_NEAR(factors[0], 0.2, 1e-9);
  EXPECT_NEAR(factors[3], 0.8, 1e-9);
  EXPECT_EQ(factors.back(), 1.0);
  EXPECT_EQ(Grab(*b), kActive);

  Leave(*b);
  ASSERT_TRUE(timer->isActive());
  int ticks = 0;
  while (timer->isActive() && ticks < 10) Tick(timer), ++ticks;
  EXPECT_EQ(b->MorphFactor(), 0.0);
  EXPECT_EQ(Grab(*b), kNormal);
}

TEST_F(Button, PressingAFadingButtonShowsTheDownLookAtOnce) {
  TbsSkinButton* b = Make("morphbutton");
  Enter(*b);
  Tick(Timer(b, "MorphTimer"));
  Press(*b);
  EXPECT_FALSE(Timer(b, "MorphTimer")->isActive());
  EXPECT_EQ(b->MorphFactor(), 1.0);
  EXPECT_EQ(Grab(*b), kDown);
}

TEST_F(Button, GroupWithoutAllUpKeepsExactlyOneDown) {
  TbsSkinButton* b1 = Make();
  TbsSkinButton* b2 = Make();
  TbsSkinButton* b3 = Make();
  for (auto* b : {b1, b2, b3}) b->SetGroupIndex(1);
  Enter(*b1);
  Press(*b1);
  EXPECT_EQ(clicks, 1) << "a group button clicks on press";
  Release(*b1);
  EXPECT_EQ(clicks, 1);
  Enter(*b2);
  Press(*b2);
  Release(*b2);
  EXPECT_FALSE(b1->Down());
  EXPECT_TRUE(b2->Down());
  Press(*b2);
  Release(*b2);
  EXPECT_EQ(clicks, 2) << "clicking the down button again does nothing";
  EXPECT_TRUE(b2->Down());
  EXPECT_EQ(Grab(*b3), kNormal);
  EXPECT_EQ(Grab(*b2), kDown);
}

TEST_F(Button, GroupWithAllUpReleasesOnSecondClickAndKeepsOthersDown) {
  TbsSkinButton* b1 = Make();
  TbsSkinButton* b2 = Make();
  for (auto* b : {b1, b2}) {
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
  }
  Enter(*b1);
  Press(*b1);
  Release(*b1);
  Press(*b1);
  Release(*b1);
  EXPECT_FALSE(b1->Down());
  EXPECT_EQ(clicks, 2);
  Press(*b1);
  Release(*b1);
  Enter(*b2);
  Press(*b2);
  Release(*b2);
  EXPECT_TRUE(b1->Down());
  EXPECT_TRUE(b2->Down());
}

TEST_F(Button, GroupButtonsNeverTakeTheFocus) {
  auto* b = new TbsSkinButton(form.ClientArea());
  EXPECT_TRUE(b->CanFocused());
  EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus);
  b->SetGroupIndex(2);
  EXPECT_FALSE(b->CanFocused());
  EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
}

TEST_F(Button, HeldButtonRepeatsWhileThePointerIsOverIt) {
  TbsSkinButton* b = Make();
  b->SetRepeatMode(true);
  Enter(*b);
  Press(*b);
  QTimer* timer = Timer(b, "RepeatTimer");
  ASSERT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 100);
  EXPECT_EQ(clicks, 0) << "the first repeat waits one interval";
  for (int i = 0; i < 3; ++i) Tick(timer);
  EXPECT_EQ(clicks, 3);
  DragTo(*b, {60, 10});
  EXPECT_FALSE(timer->isActive());
  DragTo(*b, {10, 10});
  EXPECT_TRUE(timer->isActive());
  Tick(timer);
  Release(*b, {10, 10});
  EXPECT_EQ(clicks, 5) << "three repeats, one after re-entering, one on release";
  EXPECT_FALSE(timer->isActive());
}

TEST_F(Button, GlyphImageFollowsTheState) {
  auto* b = new TbsSkinButton(form.ClientArea());
  const struct {
    int Count;
    bool Enabled, Down, Active;
    int Image;
  } rows[] = {
      {4, true, true, true, 3},   {4, true, false, true, 4},   {4, true, false, false, 1},
      {4, false, false, false, 2}, {3, true, false, true, 1},  {3, true, true, true, 3},
      {2, false, false, false, 2}, {1, false, false, false, 1}, {2, true, true, true, 1},
  };
  for (const auto& r : rows) {
    b->SetNumGlyphs(r.Count);
    b->SetEnabled(r.Enabled);
    EXPECT_EQ(b->GlyphIndexFor(r.Down, r.Active), r.Image) << r.Count << r.Enabled << r.Down << r.Active;
  }
}

// Four 8 x 8 images side by side in red, green, blue and yellow; their
// bottom row is magenta, the transparent colour.
TBitmap FourGlyphs() {
  QImage strip(32, 8, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
  for (int x = 0; x < 32; ++x)
    for (int y = 0; y < 8; ++y) strip.setPixel(x, y, y == 7 ? qRgb(255, 0, 255) : colours[x / 8]);
  return TBitmap(strip);
}

// The bounding box of the pixels of `colour`, or an empty rectangle.
QRect Find(const QImage& image, QRgb colour) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(Button, DefaultLookPlacesTheGlyphImageOfTheStateAndPressesItDownRight) {
  auto* b = new TbsSkinButton(form.ClientArea());
  b->SetCanFocused(false);
  b->SetBounds(0, 0, 40, 30);
  b->SetGlyph(FourGlyphs());
  b->SetNumGlyphs(4);
  // Centred: H = (0 + 8 + 1) div 2, so the glyph starts at 20 - 4, 15 - 4.
  EXPECT_EQ(Find(Grab(*b), qRgb(255, 0, 0)), QRect(16, 11, 8, 7));
  Enter(*b);
  EXPECT_EQ(Find(Grab(*b), qRgb(255, 255, 0)), QRect(16, 11, 8, 7));
  Press(*b);
  EXPECT_EQ(Find(Grab(*b), qRgb(0, 0, 255)), QRect(17, 12, 8, 7));
  Release(*b);
  Leave(*b);
  b->SetEnabled(false);
  EXPECT_EQ(Find(Grab(*b), qRgb(0, 255, 0)), QRect(16, 11, 8, 7));
}

TEST_F(Button, DefaultLookFramesByState) {
  auto* b = new TbsSkinButton(form.ClientArea());
  b->SetCanFocused(false);
  b->SetBounds(0, 0, 12, 10);
  auto framed = [](QRgb frame, QRgb face) {
    QImage image = Solid(12, 10, frame);
    for (int y = 1; y < 9; ++y)
      for (int x = 1; x < 11; ++x) image.setPixel(x, y, face);
    return image;
  };
  EXPECT_EQ(Grab(*b), framed(qRgb(128, 128, 128), qRgb(212, 208, 200)));
  Enter(*b);
  EXPECT_EQ(Grab(*b), framed(qRgb(0, 0, 128), qRgb(182, 189, 210)));
  Press(*b);
  EXPECT_EQ(Grab(*b), framed(qRgb(0, 0, 128), qRgb(133, 147, 181)));
}

TEST(GlyphTextLayout, PlacesGlyphAndTextByLayoutAndMargin) {
  const TRect R{10, 20, 110, 60};  // centre 60, 40
  const int gw = 16, gh = 12, tw = 30, th = 14, sp = 4;  // H = 25, V = 15
  const struct {
    const char* Name;
    int Margin;
    TbsButtonLayout Layout;
    TPoint Glyph, Text;
  } rows[] = {
      {"left, centred", -1, blGlyphLeft, {35, 34}, {55, 33}},
      {"left, margin 0", 0, blGlyphLeft, {10, 34}, {30, 33}},
      {"right, centred", -1, blGlyphRight, {69, 34}, {35, 33}},
      {"right, margin 3", 3, blGlyphRight, {91, 34}, {57, 33}},
      {"top, centred", -1, blGlyphTop, {52, 25}, {45, 41}},
      {"top, margin 2", 2, blGlyphTop, {52, 22}, {45, 38}},
      {"bottom, centred", -1, blGlyphBottom, {52, 43}, {45, 25}},
      {"bottom, margin 1", 1, blGlyphBottom, {52, 47}, {45, 29}},
  };
  for (const auto& r : rows) {
    const TbsGlyphTextPlace p = LayoutGlyphAndText(R, r.Margin, gw, gh, tw, th, sp, r.Layout);
    EXPECT_EQ(p.Glyph, r.Glyph) << r.Name;
    EXPECT_EQ(p.Text, r.Text) << r.Name;
  }
}

TEST(GlyphTextLayout, AcceleratorsAreFoundAndHidden) {
  EXPECT_EQ(AcceleratorOf("&Go"), 'g');
  EXPECT_EQ(AcceleratorOf("Save && &Quit"), 'q');
  EXPECT_EQ(AcceleratorOf("Plain"), '\0');
  EXPECT_EQ(StripAccelerator("Save && &Quit"), "Save & Quit");
}

TEST_F(Button, KeyboardSpaceClicksOnReleaseAndEnterAtOnce) {
  if (!Activate()) GTEST_SKIP() << "no active window on this platform";
  auto* b = new TbsSkinButton(form.ClientArea());
  b->OnClick = [this] { ++clicks; };
  b->show();
  b->setFocus();
  ASSERT_TRUE(b->hasFocus());
  QTest::keyPress(b, Qt::Key_Space);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(clicks, 0);
  QTest::keyRelease(b, Qt::Key_Space);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(clicks, 1);
  QTest::keyClick(b, Qt::Key_Return);
  EXPECT_EQ(clicks, 2);
}

TEST_F(Button, DialogKeysReachDefaultCancelAndAcceleratorButtons) {
  if (!Activate()) GTEST_SKIP() << "no active window on this platform";
  auto* field = new TControl(form.ClientArea());
  field->setFocusPolicy(Qt::StrongFocus);
  field->show();
  auto* ok = new TbsSkinButton(form.ClientArea());
  auto* cancel = new TbsSkinButton(form.ClientArea());
  auto* go = new TbsSkinButton(form.ClientArea());
  int okClicks = 0, cancelClicks = 0, goClicks = 0;
  ok->OnClick = [&] { ++okClicks; };
  cancel->OnClick = [&] { ++cancelClicks; };
  go->OnClick = [&] { ++goClicks; };
  go->SetCaption("&Go");
  cancel->SetCancel(true);
  for (auto* b : {ok, cancel, go}) b->show();
  field->setFocus();
  ok->SetDefault(true);
  ASSERT_TRUE(field->hasFocus());
  EXPECT_TRUE(ok->ActiveDefault());
  EXPECT_TRUE(ok->MouseIn()) << "a default button looks hot while a non-button has the focus";

  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(okClicks, 1);
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(cancelClicks, 1);
  QTest::keyClick(field, Qt::Key_G);
  EXPECT_EQ(goClicks, 1);
  EXPECT_TRUE(go->hasFocus());
  EXPECT_FALSE(ok->ActiveDefault()) << "the focused button is the one Enter clicks now";
  QTest::keyClick(go, Qt::Key_Return);
  EXPECT_EQ(goClicks, 2);
  EXPECT_EQ(okClicks, 1);
}

TEST_F(Button, ClickRunsTheLinkedActionAndSetsTheFormsModalResult) {
  TActionList list(&form);
  TAction action(&list, "act");
  int executed = 0;
  action.OnExecute = [&] { ++executed; };
  auto* b = new TbsSkinButton(form.ClientArea());
  b->SetAction(&action);
  b->SetModalResult(7);
  b->ButtonClick();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(form.property("ModalResult").toInt(), 7);
  int own = 0;
  b->OnClick = [&] { ++own; };
  b->ButtonClick();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(executed, 1);
}

TEST_F(Button, SkinChangeStopsTheFadeAndSkinRemovalFallsBackToTheDefaultLook) {
  TbsSkinButton* b = Make("morphbutton");
  Enter(*b);
  Tick(Timer(b, "MorphTimer"));
  SendNotice(b, SkinMsgBeforeChange, data);
  SendNotice(b, SkinMsgChange, data);
  EXPECT_FALSE(Timer(b, "MorphTimer")->isActive());
  EXPECT_EQ(b->MorphFactor(), 1.0) << "hot under a fading record shows the active look";
  EXPECT_EQ(Grab(*b), kActive);
  delete data;
  Leave(*b);
  const QImage plain = Grab(*b);
  EXPECT_EQ(plain.pixel(0, 0), qRgb(128, 128, 128));
  EXPECT_EQ(plain.pixel(5, 5), qRgb(212, 208, 200));
}

}  // namespace
