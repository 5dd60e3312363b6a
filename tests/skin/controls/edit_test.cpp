// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned one-line field: its size and geometry from the record, the
// border drawn from the picture (or the default frame), the text colour by
// state, the Escape / Enter and read-only key rules, the push button and the
// built-in context menu.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include "embeddedskin.h"
#include "framework/tpopupmenu.h"
#include "skin/controls/editgeometry.h"
#include "skin/controls/tbsskinedit.h"
#include "skin/data/tbsresourcestrdata.h"
#include "skin/form/tbsskinframe.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupmenu.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

const QImage kPicture = Pattern(200, 150);
constexpr QRgb kLight = qRgb(230, 230, 230);

// "edit": a 30 x 22 piece with 4-pixel ends and a 2-pixel inset; red text,
// blue when active, green when disabled. "buttonedit": a button in the right end.
const char* kControls =
    "[SKINCONTROLS]\r\ncount=7\r\n0=edit:edit\r\n1=buttonedit:edit\r\n2=plain:edit\r\n3=nopicture:edit\r\n"
    "4=norect:edit\r\n5=noactive:edit\r\n6=panel:panel\r\n"
    "[edit]\r\npictureindex=0\r\nskinrect=10,20,40,42\r\nlefttoppoint=4,13\r\nrighttoppoint=26,12\r\n"
    "clientrect=2,2,28,20\r\nactiveskinrect=50,20,80,42\r\nfontname=Arial\r\nfontheight=14\r\n"
    "fontcolor=255\r\nactivefontcolor=16711680\r\ndisabledfontcolor=32768\r\n"
    "[buttonedit]\r\npictureindex=0\r\nskinrect=10,50,60,72\r\nlefttoppoint=4,0\r\nrighttoppoint=30,0\r\n"
    "clientrect=2,2,30,20\r\nbuttonrect=32,2,48,20\r\nactivebuttonrect=100,100,116,118\r\n"
    "downbuttonrect=120,100,136,118\r\nunenabledbuttonrect=140,100,156,118\r\n"
    "[plain]\r\npictureindex=1\r\nskinrect=0,0,30,22\r\nlefttoppoint=4,0\r\nrighttoppoint=26,0\r\n"
    "clientrect=2,2,28,20\r\nfontcolor=255\r\nactivefontcolor=16711680\r\ndisabledfontcolor=32768\r\n"
    "[nopicture]\r\npictureindex=7\r\nskinrect=10,20,40,42\r\nlefttoppoint=4,13\r\nrighttoppoint=26,12\r\n"
    "clientrect=2,2,28,20\r\n"
    "[norect]\r\npictureindex=0\r\n"
    "[noactive]\r\npictureindex=0\r\nskinrect=10,20,40,42\r\nlefttoppoint=4,13\r\nrighttoppoint=26,12\r\n"
    "clientrect=2,2,28,20\r\n"
    "[panel]\r\npictureindex=0\r\nskinrect=0,0,30,30\r\n";

constexpr QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255), kGreen = qRgb(0, 128, 0);

// The piece `source` of `picture` at width `width`: both 4-pixel ends as
// they are, the middle (from 4 to the right end's start) repeated.
QImage ExpectedComposition(const QImage& picture, const QRect& source, int rightTopX, int width) {
  const int leftEnd = 4, rightEnd = source.width() - rightTopX, middle = rightTopX - leftEnd;
  QImage out(width, source.height(), QImage::Format_RGB32);
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < width; ++x) {
      int sx;
      if (x < leftEnd)
        sx = x;
      else if (x >= width - rightEnd)
        sx = source.width() - (width - x);
      else
        sx = leftEnd + (x - leftEnd) % middle;
      out.setPixel(x, y, picture.pixel(source.x() + sx, source.y() + y));
    }
  return out;
}

// Columns of `image` inside `area` holding a pixel unlike `background`.
std::pair<int, int> InkColumns(const QImage& image, const QRect& area, QRgb background) {
  int first = -1, last = -1;
  for (int x = area.left(); x <= area.right(); ++x)
    for (int y = area.top(); y <= area.bottom(); ++y)
      if (image.pixel(x, y) != background) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

bool HasPixel(const QImage& image, const QRect& area, QRgb color) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == color) return true;
  return false;
}

struct Edit : ::testing::Test {
  TForm form;
  TbsSkinData* data = LoadSkin(&form, kControls, {kPicture, Solid(40, 30, kLight)});
  std::string events;

  TbsSkinEdit* Make(const std::string& record = "edit", int width = 60) {
    auto* e = new TbsSkinEdit(form.ClientArea());
    e->SetSkinDataName(record);
    e->SetBounds(5, 5, width, 20);
    e->SetSkinData(data);
    e->show();
    return e;
  }
  // Records the key events a field raises: D<key>, P<char>, U<key>.
  void Watch(TbsSkinEdit* e) {
    e->OnKeyDown = [this](int& key, TShiftState) { events += "D" + std::to_string(key) + " "; };
    e->OnKeyPress = [this](char& c) { events += "P" + std::to_string(int(c)) + " "; };
    e->OnKeyUp = [this](int& key, TShiftState) { events += "U" + std::to_string(key) + " "; };
  }
  bool Activate() {
    form.SetBounds(0, 0, 300, 200);
    form.show();
    QApplication::setActiveWindow(&form);
    return QTest::qWaitForWindowActive(&form);
  }
};

TEST(EditGeometry, PartsOfTheFieldWithAndWithoutSkinAndInButtonMode) {
  const TbsEditSkinGeometry skin{TRect{10, 50, 60, 72}, TRect{2, 2, 30, 20}, TRect{32, 2, 48, 20}, 30};
  const TbsEditSkinGeometry leftButton{TRect{10, 50, 60, 72}, TRect{20, 2, 46, 20}, TRect{2, 2, 18, 20}, 30};
  struct Row {
    const char* name;
    const TbsEditSkinGeometry* skin;
    int width, height;
    bool buttonMode;
    TRect client, text, button;
  };
  const Row rows[] = {
      {"default look: a 2-pixel frame", nullptr, 80, 20, false, {2, 2, 78, 18}, {2, 2, 78, 18}, {0, 0, 0, 0}},
      {"default look with a button square", nullptr, 80, 20, true, {2, 2, 58, 18}, {2, 2, 58, 18}, {60, 0, 80, 20}},
      {"default button square follows the height", nullptr, 80, 24, true, {2, 2, 58, 22}, {2, 2, 54, 22},
       {56, 0, 80, 24}},
      {"skin at its own width", &skin, 50, 22, false, {2, 2, 30, 20}, {2, 2, 30, 20}, {32, 2, 48, 20}},
      {"skin 30 pixels wider: the right end and its button move", &skin, 80, 22, true, {2, 2, 60, 20},
       {2, 2, 60, 20}, {62, 2, 78, 20}},
      {"a button left of the right end stays", &leftButton, 80, 22, true, {20, 2, 76, 20}, {20, 2, 76, 20},
       {2, 2, 18, 20}},
  };
  for (const Row& r : rows) {
    const TbsEditGeometry g = ComputeEditGeometry(r.skin, r.width, r.height, r.buttonMode);
    EXPECT_EQ(g.ClientRect, r.client) << r.name;
    EXPECT_EQ(g.TextArea, r.text) << r.name;
    if (r.buttonMode || r.skin) EXPECT_EQ(g.ButtonArea, r.button) << r.name;
  }
}

TEST(EditGeometry, HitTestFindsButtonFrameAndText) {
  const TbsEditGeometry g = ComputeEditGeometry(nullptr, 80, 20, true);
  struct Row {
    const char* name;
    TPoint p;
    bool buttonMode;
    TbsEditHit hit;
  };
  const Row rows[] = {
      {"button's top-left pixel", {60, 0}, true, TbsEditHit::Button},
      {"button's last pixel", {79, 19}, true, TbsEditHit::Button},
      {"one pixel left of the button, in the gap", {59, 10}, true, TbsEditHit::Frame},
      {"outer frame line", {0, 10}, true, TbsEditHit::Frame},
      {"first text pixel", {2, 2}, true, TbsEditHit::Text},
      {"the button's place without button mode is frame", {70, 10}, false, TbsEditHit::Frame},
  };
  for (const Row& r : rows) EXPECT_EQ(EditHitTest(r.p, g, r.buttonMode), r.hit) << r.name;
}

TEST_F(Edit, TheEmbeddedSkinMakesATwentyPixelFieldTwentyTwoHighAndWithoutItDefaultHeightHolds) {
  ASSERT_TRUE(Activate());
  TbsSkinData* embedded = LoadEmbeddedSkin(&form);
  auto* skinned = new TbsSkinEdit(form.ClientArea());
  skinned->SetBounds(16, 24, 81, 20);
  skinned->SetSkinData(embedded);
  EXPECT_EQ(skinned->Height(), 22);
  EXPECT_EQ(skinned->Width(), 81);
  EXPECT_EQ(skinned->TextArea(), TRect(2, 2, 79, 20)) << "the window less 2 pixels on each side";
  EXPECT_EQ(skinned->Editor()->geometry(), QRect(2, 2, 77, 18));
  skinned->SetBounds(16, 24, 81, 40);  // no layout makes it taller
  EXPECT_EQ(skinned->Height(), 22);
  skinned->show();
  skinned->resize(81, 30);  // nor an alignment past SetBounds
  EXPECT_EQ(skinned->height(), 22);

  // For looking at: the states at two widths.
  skinned->SetText("*.*");
  skinned->SetAlignment(taCenter);
  SaveRender(Grab(*skinned), "edit-embedded-normal-81");
  Enter(*skinned);
  SaveRender(Grab(*skinned), "edit-embedded-hot-81");
  Leave(*skinned);
  skinned->SetEnabled(false);
  SaveRender(Grab(*skinned), "edit-embedded-disabled-81");
  skinned->SetEnabled(true);
  skinned->SetWidth(41);
  SaveRender(Grab(*skinned), "edit-embedded-normal-41");
  skinned->SetWidth(81);

  auto* plain = new TbsSkinEdit(form.ClientArea());
  plain->SetBounds(0, 0, 81, 33);
  plain->SkinChanged();  // no skin data: DefaultHeight
  EXPECT_EQ(plain->Height(), 20);
  EXPECT_EQ(plain->TextArea(), TRect(2, 2, 79, 18));
  plain->SetDefaultHeight(25);
  EXPECT_EQ(plain->Height(), 25);
  plain->SetDefaultHeight(0);  // 0 keeps the size
  EXPECT_EQ(plain->Height(), 25);

  // The skin data going leaves the default geometry.
  delete embedded;
  EXPECT_EQ(skinned->SkinData(), nullptr);
  EXPECT_EQ(skinned->SkinIndex(), -1);
  EXPECT_EQ(skinned->Editor()->geometry(), QRect(2, 2, 77, 18));
}

TEST_F(Edit, OnlyItsOwnSkinDataOrAnUnnamedSenderChangesItsSkin) {
  TbsSkinData* other = LoadSkin(&form, kControls, {kPicture});
  TbsSkinEdit* e = Make("edit", 70);
  ASSERT_EQ(e->SkinIndex(), 0);
  SendNotice(e, SkinMsgBeforeChange, other);
  EXPECT_EQ(e->SkinIndex(), 0);
  SendNotice(e, SkinMsgBeforeChange, data);
  EXPECT_EQ(e->SkinIndex(), -1);
  SendNotice(e, SkinMsgChange, other);
  EXPECT_EQ(e->SkinIndex(), -1);
  SendNotice(e, SkinMsgChange, nullptr);
  EXPECT_EQ(e->SkinIndex(), 0);
}

TEST_F(Edit, TheBorderIsTheRecordsPieceComposedToTheWidthAndActiveWhenHovered) {
  TbsSkinEdit* e = Make("edit", 70);
  ASSERT_EQ(e->Height(), 22);
  e->SetText("");
  EXPECT_EQ(Grab(*e), ExpectedComposition(kPicture, QRect(10, 20, 30, 22), 26, 70));
  Enter(*e);
  EXPECT_TRUE(e->MouseIn());
  EXPECT_EQ(Grab(*e), ExpectedComposition(kPicture, QRect(50, 20, 30, 22), 26, 70));
  Leave(*e);
  EXPECT_EQ(Grab(*e), ExpectedComposition(kPicture, QRect(10, 20, 30, 22), 26, 70));

  // Without an active piece the field keeps its normal piece when hovered.
  TbsSkinEdit* same = Make("noactive", 70);
  Enter(*same);
  EXPECT_EQ(Grab(*same), ExpectedComposition(kPicture, QRect(10, 20, 30, 22), 26, 70));
}

TEST_F(Edit, FocusShowsTheActivePieceAndNoGlyphIsLeftBehind) {
  TbsSkinEdit* e = Make("edit", 90);
  ASSERT_TRUE(Activate());
  e->SetFocus();
  ASSERT_TRUE(e->Focused());
  const QImage active = ExpectedComposition(kPicture, QRect(50, 20, 30, 22), 26, 90);
  const QImage shot = Grab(*e);
  // The border rows and columns (the caret blinks inside).
  for (int x = 0; x < 90; ++x) {
    ASSERT_EQ(shot.pixel(x, 0), active.pixel(x, 0)) << x;
    ASSERT_EQ(shot.pixel(x, 21), active.pixel(x, 21)) << x;
  }
  e->SetText("WWWWWWWW");
  QApplication::processEvents();
  e->SetText("");
  form.ClientArea()->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(e->Focused());
  Leave(*e);  // the window may have opened under the pointer
  EXPECT_EQ(Grab(*e), ExpectedComposition(kPicture, QRect(10, 20, 30, 22), 26, 90));
}

TEST_F(Edit, ARecordWithoutPieceOrPictureAndNoSkinDrawTheDefaultFrame) {
  auto defaultLook = [](int w, int h) {
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(qRgb(255, 255, 255));
    for (int x = 0; x < w; ++x) out.setPixel(x, 0, qRgb(128, 128, 128)), out.setPixel(x, h - 1, qRgb(128, 128, 128));
    for (int y = 0; y < h; ++y) out.setPixel(0, y, qRgb(128, 128, 128)), out.setPixel(w - 1, y, qRgb(128, 128, 128));
    for (int x = 1; x < w - 1; ++x) out.setPixel(x, 1, qRgb(212, 208, 200)), out.setPixel(x, h - 2, qRgb(212, 208, 200));
    for (int y = 1; y < h - 1; ++y) out.setPixel(1, y, qRgb(212, 208, 200)), out.setPixel(w - 2, y, qRgb(212, 208, 200));
    return out;
  };
  for (const char* record : {"nopicture", "norect", "missing", "panel"}) {
    TbsSkinEdit* e = Make(record, 50);
    e->SetText("");
    EXPECT_EQ(Grab(*e), defaultLook(50, e->Height())) << record;
  }
  // "nopicture" still has its record's height; the others keep the default.
  EXPECT_EQ(Make("nopicture")->Height(), 22);
  EXPECT_EQ(Make("norect")->Height(), 20);
}

TEST_F(Edit, TheDefaultButtonSquareShowsItsThreeStates) {
  auto* e = new TbsSkinEdit(form.ClientArea());
  e->SetBounds(0, 0, 80, 20);
  e->SetButtonMode(true);
  EXPECT_EQ(e->SkinDataName(), "buttonedit");
  EXPECT_EQ(e->ButtonArea(), TRect(60, 0, 80, 20));
  EXPECT_EQ(e->Editor()->geometry(), QRect(2, 2, 56, 16));
  auto square = [&] { return Grab(*e).copy(60, 0, 20, 20); };
  auto expect = [](QRgb frame, QRgb fill) {
    QImage out(20, 20, QImage::Format_RGB32);
    out.fill(fill);
    for (int i = 0; i < 20; ++i)
      out.setPixel(i, 0, frame), out.setPixel(i, 19, frame), out.setPixel(0, i, frame), out.setPixel(19, i, frame);
    return out;
  };
  EXPECT_EQ(square(), expect(qRgb(128, 128, 128), qRgb(212, 208, 200)));
  Enter(*e, {70, 10});
  Mouse(*e, QEvent::MouseMove, {70, 10}, Qt::NoButton);
  EXPECT_TRUE(e->ButtonHot());
  EXPECT_EQ(square(), expect(qRgb(0, 0, 128), qRgb(182, 189, 210)));
  Press(*e, {70, 10});
  EXPECT_EQ(square(), expect(qRgb(0, 0, 128), qRgb(133, 147, 181)));
  // Over the frame beside it the button is no longer hot.
  Mouse(*e, QEvent::MouseMove, {59, 10}, Qt::LeftButton);
  EXPECT_FALSE(e->ButtonHot());
  EXPECT_EQ(square(), expect(qRgb(128, 128, 128), qRgb(212, 208, 200)));
  // The frame around the field leaves the square out.
  const QImage shot = Grab(*e);
  EXPECT_EQ(shot.pixel(59, 10), qRgb(128, 128, 128));
  EXPECT_EQ(shot.pixel(58, 10), qRgb(212, 208, 200));
  e->SetButtonMode(false);
  EXPECT_EQ(e->SkinDataName(), "edit");
}

TEST_F(Edit, TheSkinnedButtonShowsItsPiecesAndClicksOnReleaseTakingTheFocus) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("buttonedit", 80);
  e->SetButtonMode(true);
  e->SetSkinDataName("buttonedit");
  int clicks = 0;
  e->OnButtonClick = [&] { ++clicks; };
  EXPECT_EQ(e->ButtonArea(), TRect(62, 2, 78, 20));
  EXPECT_EQ(e->Editor()->geometry(), QRect(2, 2, 58, 18));
  const QImage normal = ExpectedComposition(kPicture, QRect(10, 50, 50, 22), 30, 80);
  // A piece of the picture, copied onto the button area.
  auto withButton = [&](const QImage& base, int sx, int sy) {
    QImage out = base.copy();
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 16; ++x) out.setPixel(62 + x, 2 + y, kPicture.pixel(sx + x, sy + y));
    return out;
  };
  const QImage active = ExpectedComposition(kPicture, QRect(10, 50, 50, 22), 30, 80);  // no active piece: the same
  EXPECT_EQ(Grab(*e), normal);
  Enter(*e, {70, 10});
  Mouse(*e, QEvent::MouseMove, {70, 10}, Qt::NoButton);
  EXPECT_EQ(Grab(*e), withButton(active, 100, 100));
  Press(*e, {70, 10});
  EXPECT_EQ(Grab(*e), withButton(active, 120, 100));
  EXPECT_FALSE(e->Focused());
  EXPECT_EQ(clicks, 0) << "the click comes on release";
  Release(*e, {70, 10});
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(e->Focused());
  EXPECT_FALSE(e->ButtonPressed());

  // A press that leaves the button before its release clicks nothing.
  Press(*e, {70, 10});
  Release(*e, {30, 10});
  EXPECT_EQ(clicks, 1);

  Leave(*e);
  e->SetEnabled(false);
  EXPECT_EQ(Grab(*e), withButton(normal, 140, 100));
}

TEST_F(Edit, TextColourFollowsTheStateWhateverColourTheLayoutGave) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("plain", 80);
  auto* other = Make("plain", 80);
  other->SetTop(40);
  e->Font().SetColor(clYellow);  // the layout's colour gives way to the record's
  e->SkinChanged();
  e->SetText("HHHH");
  const QRect text(2, 2, 76, 18);
  auto shows = [&](QRgb c) { return HasPixel(Grab(*e), text, c); };
  EXPECT_EQ(e->Font().Color(), RGBColor(255, 0, 0));
  EXPECT_TRUE(shows(kRed));
  Enter(*e);  // hot
  EXPECT_EQ(e->Font().Color(), RGBColor(0, 0, 255));
  EXPECT_TRUE(shows(kBlue));
  EXPECT_FALSE(shows(kRed));
  Leave(*e);
  EXPECT_TRUE(shows(kRed));
  e->SetFocus();  // focused
  EXPECT_EQ(e->Font().Color(), RGBColor(0, 0, 255));
  Enter(*e);
  Leave(*e);  // leaving while focused keeps the active colour
  EXPECT_EQ(e->Font().Color(), RGBColor(0, 0, 255));
  other->SetFocus();
  EXPECT_EQ(e->Font().Color(), RGBColor(255, 0, 0));
  e->SetReadOnly(true);  // read-only is no state of its own
  EXPECT_TRUE(shows(kRed));
  e->SetEnabled(false);
  EXPECT_EQ(e->Font().Color(), RGBColor(0, 128, 0));
  EXPECT_TRUE(shows(kGreen));
  EXPECT_FALSE(shows(kRed));
  e->SetEnabled(true);
  EXPECT_TRUE(shows(kRed));

  // Without a skin: DefaultFont's colour, and grey text when disabled.
  auto* plain = new TbsSkinEdit(form.ClientArea());
  plain->SetDefaultFont(TFont("Arial", 14, 0, clMaroon));
  plain->SkinChanged();
  EXPECT_EQ(plain->Font().Color(), clMaroon);
  plain->SetEnabled(false);
  EXPECT_EQ(plain->Font().Color(), clGrayText);
}

TEST_F(Edit, TheThreeAlignmentsPlaceTheTextInTheTextArea) {
  TbsSkinEdit* e = Make("plain", 120);
  e->SetText("HI");
  const QRect text(2, 2, 116, 18);  // the text area: x 2 .. 117
  // The same text drawn on its own at x = 0: where its ink begins and ends.
  QImage alone(80, 30, QImage::Format_RGB32);
  alone.fill(kLight);
  {
    QPainter p(&alone);
    p.setFont(e->Font().ToQFont());
    p.setPen(Qt::red);
    p.drawText(0, 20, QStringLiteral("HI"));
  }
  const auto [inkFrom, inkTo] = InkColumns(alone, alone.rect(), kLight);
  const int advance = QFontMetrics(e->Font().ToQFont()).horizontalAdvance(QStringLiteral("HI"));

  const auto left = InkColumns(Grab(*e), text, kLight);
  EXPECT_EQ(left.first, 2 + 2 + inkFrom) << "2 pixels in from the text area";
  e->SetAlignment(taRightJustify);
  const auto right = InkColumns(Grab(*e), text, kLight);
  EXPECT_EQ(right.second, 118 - advance + inkTo) << "flush with the text area's right edge";
  e->SetAlignment(taCenter);
  const auto centre = InkColumns(Grab(*e), text, kLight);
  // Centred between the left margin and the right edge.
  const int start = 4 + (114 - advance) / 2;
  EXPECT_NEAR(centre.first, start + inkFrom, 1);
  EXPECT_EQ(centre.second - centre.first, inkTo - inkFrom);
}

TEST_F(Edit, EnterRaisesOneKeyPressAndNeverReachesTheText) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make();
  Watch(e);
  e->SetText("ab");
  e->SetFocus();
  QTest::keyClick(e->Editor(), Qt::Key_Return);
  EXPECT_EQ(events, "D13 P13 U13 ");
  EXPECT_EQ(e->Text(), "ab");
  // A handler's change to the character has no effect.
  e->OnKeyPress = [](char& c) { c = 'x'; };
  QTest::keyClick(e->Editor(), Qt::Key_Enter);
  EXPECT_EQ(e->Text(), "ab");
}

TEST_F(Edit, EscapeRaisesKeyDownAndKeyPressThenTheOrdinaryCharacterHandling) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make();
  Watch(e);
  e->SetFocus();
  QTest::keyClick(e->Editor(), Qt::Key_Escape);
  // The key's own key-down, the field's Escape rule, then the ordinary offer.
  EXPECT_EQ(events, "D27 D27 P27 P27 U27 ");
  EXPECT_EQ(e->Text(), "");
  // A digits-only filter keeps working: it swallows Escape and Backspace too.
  events.clear();
  e->OnKeyPress = [this](char& c) {
    events += "P" + std::to_string(int(c)) + " ";
    if (c < '0' || c > '9') c = '\0';
  };
  QTest::keyClicks(e->Editor(), "12a-3");
  QTest::keyClick(e->Editor(), Qt::Key_Backspace);
  EXPECT_EQ(e->Text(), "123");
}

TEST_F(Edit, ReadOnlyKeepsTheTextButSelectionCopyAndCaretWork) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("edit", 100);
  Watch(e);
  e->SetText("hello");
  e->SetReadOnly(true);
  EXPECT_FALSE(e->Editor()->isReadOnly()) << "the platform edit's own state is untouched";
  e->SetFocus();
  e->SetSelStart(5);
  QTest::keyClicks(e->Editor(), "xy");
  QTest::keyClick(e->Editor(), Qt::Key_Backspace);
  QTest::keyClick(e->Editor(), Qt::Key_Home);
  EXPECT_EQ(e->SelStart(), 0) << "the caret moves";
  QTest::keyClick(e->Editor(), Qt::Key_Delete);
  QTest::keyClick(e->Editor(), Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(e->Editor(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(e->SelText(), "he") << "selection works";
  QTest::keyClick(e->Editor(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "he") << "copying works";
  QTest::keyClick(e->Editor(), Qt::Key_X, Qt::ControlModifier);
  QTest::keyClick(e->Editor(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(e->Editor(), Qt::Key_Z, Qt::ControlModifier);
  e->CutToClipboard();
  e->PasteFromClipboard();
  e->ClearSelection();
  e->Undo();
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("zz"));
  QApplication::sendEvent(e->Editor(), &commit);
  EXPECT_EQ(e->Text(), "hello");
  EXPECT_EQ(events.find("P120"), std::string::npos) << "typed characters are dropped before the handler";

  e->SetReadOnly(false);
  QTest::keyClick(e->Editor(), Qt::Key_Delete);
  EXPECT_EQ(e->Text(), "llo");
}

TEST_F(Edit, PastedTextBecomesOneLineAndAHugeClipboardDoesNotHang) {
  TbsSkinEdit* e = Make("edit", 100);
  QGuiApplication::clipboard()->setText(QString::fromUtf8("a\r\nb\nc\rd\te", 11) + QChar(0) + "f");
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), "a b c def");

  auto* bytes = new QMimeData;
  bytes->setData("text/plain;charset=utf-8", QByteArray("x\xff\xfey", 4));
  QGuiApplication::clipboard()->setMimeData(bytes);
  e->SetText("");
  e->PasteFromClipboard();
  const std::string text = e->Text();
  EXPECT_EQ(text.front(), 'x');
  EXPECT_EQ(text.back(), 'y');
  EXPECT_TRUE(QString::fromStdString(text).toStdString() == text) << "stored as valid UTF-8";

  QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('7')));
  e->SetText("");
  QElapsedTimer clock;
  clock.start();
  e->PasteFromClipboard();
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_EQ(e->Text(), std::string(32767, '7')) << "as much as a field holds";

  // The character judgement takes the pasted text apart: digits stay.
  e->OnKeyPress = [](char& c) {
    if (c < '0' || c > '9') c = '\0';
  };
  e->SetText("");
  QGuiApplication::clipboard()->setText(QString::fromUtf8("1a\n2中\x00" "3", 9));
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), "123");
}

TEST_F(Edit, FocusFromAnotherControlSelectsAllAndHideSelectionDecidesWhatStaysWhenItLeaves) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* first = Make("edit", 80);
  TbsSkinEdit* e = Make("edit", 80);
  e->SetTop(40);
  e->SetText("hello");
  first->SetFocus();
  QTest::keyClick(first->Editor(), Qt::Key_Tab);
  ASSERT_TRUE(e->Focused());
  EXPECT_EQ(e->SelText(), "hello");
  e->SetSelStart(1);
  e->SetSelLength(3);
  first->SetFocus();
  EXPECT_EQ(e->SelLength(), 0) << "HideSelection: the selection goes with the focus";

  e->SetAutoSelect(false);
  e->SetHideSelection(false);
  QTest::keyClick(first->Editor(), Qt::Key_Tab);
  ASSERT_TRUE(e->Focused());
  EXPECT_EQ(e->SelLength(), 0) << "no AutoSelect";
  e->SetSelStart(1);
  e->SetSelLength(3);
  first->SetFocus();
  EXPECT_EQ(e->SelText(), "ell") << "kept for the next visit";
}

TEST_F(Edit, MaxLengthAndCharCaseShapeWhatIsTyped) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("edit", 80);
  e->SetFocus();
  e->SetMaxLength(4);
  e->SetCharCase(ecUpperCase);
  QTest::keyClicks(e->Editor(), "abcdef");
  EXPECT_EQ(e->Text(), "ABCD");
  e->SetCharCase(ecLowerCase);
  EXPECT_EQ(e->Text(), "abcd");
  e->SetMaxLength(0);  // as long as the platform allows
  EXPECT_EQ(e->Editor()->maxLength(), 32767);
}

struct EditMenu : Edit {
  void TearDown() override {
    for (auto* e : form.findChildren<TbsSkinEdit*>())
      if (e->ContextMenu()) e->ContextMenu()->CloseMenu();
  }
  // Opens the field's own menu by a right click at `at` (field coordinates).
  TbsSkinPopupMenu* RightClick(TbsSkinEdit* e, QPoint at = {10, 10}) {
    QContextMenuEvent ev(QContextMenuEvent::Mouse, at - e->Editor()->pos(), e->mapToGlobal(at));
    QApplication::sendEvent(e->Editor(), &ev);
    return e->ContextMenu();
  }
  static std::string States(TbsSkinPopupMenu* menu) {
    std::string s;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
      TMenuItem* item = menu->Items()->Items(i);
      s += item->IsLine() ? "-" : item->Enabled() ? "1" : "0";
    }
    return s;
  }
};

TEST_F(EditMenu, ItemsAndTheirEnabledStatesFollowTextSelectionAndReadOnly) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("edit", 100);
  QGuiApplication::clipboard()->setText("clip");
  TbsSkinPopupMenu* menu = RightClick(e);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->IsOpen());
  std::vector<std::string> captions;
  for (int i = 0; i < menu->Items()->Count(); ++i) captions.push_back(menu->Items()->Items(i)->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
  //                       Undo - Cut Copy Paste Delete - SelectAll
  EXPECT_EQ(States(menu), "0-0010-0") << "empty text: nothing to select, only Paste";

  e->SetText("hello");
  e->SetSelStart(1);
  e->SetSelLength(2);
  EXPECT_EQ(States(RightClick(e)), "0-1111-1") << "part selected";
  e->SelectAll();
  EXPECT_EQ(States(RightClick(e)), "0-1111-0") << "wholly selected";
  e->SetReadOnly(true);
  EXPECT_EQ(States(RightClick(e)), "0-0100-0") << "read-only: no Cut, Paste, Delete";
  e->SetReadOnly(false);
  QGuiApplication::clipboard()->clear();
  e->SetSelStart(0);
  EXPECT_EQ(States(RightClick(e)), "0-0000-1") << "no selection, empty clipboard";

  // A new menu frees the one before it.
  QPointer<TbsSkinPopupMenu> first = e->ContextMenu();
  RightClick(e);
  EXPECT_FALSE(first->IsOpen());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_TRUE(e->ContextMenu()->IsOpen());
}

TEST_F(EditMenu, CommandsRunOnTheFieldAndTheMenuGoesAfterwards) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("edit", 100);
  e->SetText("hello");
  e->SetFocus();
  auto run = [&](const char* name) {
    TbsSkinPopupMenu* menu = RightClick(e);
    TMenuItem* item = menu->Items()->Find(name);
    QPointer<TbsSkinPopupMenu> guard(menu);
    menu->SkinMenu().ExecuteItem(0, item, TRect{});
    EXPECT_EQ(e->ContextMenu(), nullptr) << name;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << name;
  };
  e->SetSelStart(0);
  e->SetSelLength(2);
  run("Cut");
  EXPECT_EQ(e->Text(), "llo");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "he");
  run("SelectAll");
  EXPECT_EQ(e->SelText(), "llo");
  run("Paste");
  EXPECT_EQ(e->Text(), "he");
  run("Undo");
  EXPECT_EQ(e->Text(), "llo");
  e->SelectAll();
  run("Copy");
  e->SetSelStart(0);
  e->SetSelLength(1);
  run("Delete");
  EXPECT_EQ(e->Text(), "lo");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "llo");
}

TEST_F(EditMenu, TheMenuKeyOpensItAtTheFieldsCentre) {
  ASSERT_TRUE(Activate());
  TbsSkinEdit* e = Make("edit", 100);
  e->SetFocus();
  QTest::keyClick(e->Editor(), Qt::Key_Menu);
  ASSERT_NE(e->ContextMenu(), nullptr);
  // The client origin (2, 2 in) plus half the field's size.
  const QPoint centre = e->mapToGlobal(QPoint(2 + 50, 2 + 11));
  EXPECT_EQ(e->ContextMenu()->PopupPoint(), (TPoint{centre.x(), centre.y()}));
  EXPECT_EQ(e->ContextMenu()->PopupComponent(), e);
  e->ContextMenu()->CloseMenu();
  QTest::keyClick(e->Editor(), Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_NE(e->ContextMenu(), nullptr);
  EXPECT_EQ(e->ContextMenu()->PopupPoint(), (TPoint{centre.x(), centre.y()}));
  // A right click opens it at the pointer.
  TbsSkinPopupMenu* menu = RightClick(e, {30, 8});
  const QPoint pointer = e->mapToGlobal(QPoint(30, 8));
  EXPECT_EQ(menu->PopupPoint(), (TPoint{pointer.x(), pointer.y()}));
}

TEST_F(EditMenu, CaptionsComeFromTheFormsSkinTextsAndAFieldsOwnMenuReplacesIt) {
  ASSERT_TRUE(Activate());
  auto* frame = new TbsSkinFrame(&form);
  frame->SetSkinData(data);
  auto* texts = new TbsResourceStrData(&form);
  texts->SetResStrings(TStringList{"EDIT_CUT=剪切", "EDIT_SELECTALL=全选"});
  data->SetResourceStrData(texts);
  TbsSkinEdit* e = Make("edit", 100);
  TbsSkinPopupMenu* menu = RightClick(e);
  EXPECT_EQ(menu->Items()->Find("Cut")->Caption(), "剪切");
  EXPECT_EQ(menu->Items()->Find("SelectAll")->Caption(), "全选");
  EXPECT_EQ(menu->Items()->Find("Copy")->Caption(), "Copy") << "a name the table lacks keeps its English text";
  EXPECT_EQ(menu->SkinData(), data);
  menu->CloseMenu();

  TPopupMenu own(&form);
  int popups = 0;
  own.OnPopup = [&] { ++popups; };
  e->SetPopupMenu(&own);
  QPointer<TbsSkinPopupMenu> before = e->ContextMenu();
  RightClick(e);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(own.PopupComponent(), e);
  EXPECT_EQ(e->ContextMenu(), before.data()) << "no built-in menu is made";
}

}  // namespace
