// SPDX-License-Identifier: GPL-3.0-or-later
// A skinned panel's plain group boxes, labels and unbound link label take the
// colours of a skin that describes them, and get their own back from a skin
// that does not.

#include <gtest/gtest.h>

#include "framework/tgroupbox.h"
#include "framework/tlabel.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skin/controls/tbsskinpanel.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

constexpr QRgb kPanelFace = qRgb(40, 43, 48);
// TColor values are 0x00BBGGRR in the description.
constexpr QRgb kPanelText = qRgb(230, 232, 236), kFrameLight = qRgb(70, 75, 84), kFrameDark = qRgb(20, 22, 26);
constexpr QRgb kLink = qRgb(200, 210, 220), kLinkHot = qRgb(112, 182, 242);

std::string Described(QRgb c) { return std::to_string(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16); }

const std::string kPanelRecord =
    "[panel]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nlefttoppoint=2,2\r\nrighttoppoint=18,2\r\n"
    "leftbottompoint=2,18\r\nrightbottompoint=18,18\r\nclientrect=2,2,18,18\r\nfontcolor=" +
    Described(kPanelText) + "\r\n";

const std::string kDressing = "[groupbox]\r\nlightcolor=" + Described(kFrameLight) + "\r\ndarkcolor=" +
                              Described(kFrameDark) + "\r\n[linklabel]\r\nfontcolor=" + Described(kLink) +
                              "\r\nactivefontcolor=" + Described(kLinkHot) + "\r\n";

QImage PanelPicture() {
  QImage p = Solid(20, 20, kPanelFace);
  for (int i = 0; i < 20; ++i) p.setPixel(i, 0, qRgb(90, 90, 90)), p.setPixel(0, i, qRgb(90, 90, 90));
  return p;
}

struct PlainChildren : ::testing::Test {
  TForm form;
  TbsSkinData* dressing =
      LoadSkin(&form, "[SKINCONTROLS]\r\ncount=3\r\n0=panel:panel\r\n1=groupbox:bevel\r\n2=linklabel:stdlabel\r\n" +
                          kPanelRecord + kDressing,
               {PanelPicture()});
  TbsSkinData* plain = LoadSkin(&form, "[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n" + kPanelRecord, {PanelPicture()});
  TbsSkinPanel* panel = new TbsSkinPanel(form.ClientArea());
  TGroupBox* box = new TGroupBox(panel);
  TLabel* tilde = new TLabel(box);
  TbsSkinLinkLabel* link = new TbsSkinLinkLabel(panel);
  // The same controls never put on a panel: the look they are given.
  TGroupBox* lone = new TGroupBox(form.ClientArea());
  TLabel* loneTilde = new TLabel(lone);

  void SetUp() override {
    form.SetBounds(0, 0, 500, 300);
    panel->SetBounds(0, 0, 300, 120);
    panel->SetSkinDataName("panel");
    for (TGroupBox* b : {box, lone}) {
      b->SetCaption("Group");
      b->SetBounds(10, 10, 120, 60);
    }
    lone->SetBounds(320, 10, 120, 60);
    for (TLabel* l : {tilde, loneTilde}) {
      l->SetBounds(30, 30, 40, 20);
      l->SetCaption("~ ~");  // sized to its text, as a label is once it has one
    }
    link->SetBounds(150, 20, 100, 20);
    link->SetCaption("Link text");
    form.show();
  }
};

int CountColour(const QImage& image, QRgb c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == c;
  return n;
}

int LightPixels(const QImage& image, const QRect& area) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += qGray(image.pixel(x, y)) > 150;
  return n;
}

TEST_F(PlainChildren, GroupBoxesAndTheirLabelsTakeThePanelsFaceAndTextAndTheSkinsFrame) {
  panel->SetSkinData(dressing);
  const QImage g = Grab(*box);
  const int mid = g.height() / 2 + 5;
  EXPECT_EQ(g.pixel(0, mid), kFrameDark) << "outer line";
  EXPECT_EQ(g.pixel(1, mid), kFrameLight) << "inner line";
  EXPECT_EQ(g.pixel(g.width() - 2, mid), kFrameDark);
  EXPECT_EQ(g.pixel(g.width() - 1, mid), kFrameLight);
  EXPECT_EQ(g.pixel(4, g.height() - 6), kPanelFace) << "the inside is the panel's own face";
  // The caption is drawn in the panel's text colour: its pixels are mostly light on the dark face.
  EXPECT_GT(LightPixels(g, QRect(8, 0, 52, 12)), 10);
  const QImage t = Grab(*tilde);
  EXPECT_EQ(t.pixel(t.width() - 1, 0), kPanelFace);
  EXPECT_GT(CountColour(t, kPanelText) + CountColour(t, kPanelFace), t.width() * t.height() / 2);
  EXPECT_GT(LightPixels(t, t.rect()), 3);
}

TEST_F(PlainChildren, AnUnboundLinkLabelTakesTheSkinsLinkColours) {
  panel->SetSkinData(dressing);
  // The underline is one run of the exact text colour.
  EXPECT_GE(CountColour(Grab(*link), kLink), 20);
  Enter(*link);
  EXPECT_GE(CountColour(Grab(*link), kLinkHot), 20);
  Leave(*link);
  EXPECT_EQ(CountColour(Grab(*link), kLinkHot), 0);
}

TEST_F(PlainChildren, ASkinWithoutTheirRecordsLeavesThemExactlyAsGiven) {
  panel->SetSkinData(plain);
  EXPECT_EQ(Grab(*box), Grab(*lone));
  EXPECT_EQ(CountColour(Grab(*link), kLink), 0);
}

TEST_F(PlainChildren, SwitchingBackGivesEveryColourBack) {
  panel->SetSkinData(plain);
  const QImage boxBefore = Grab(*box), tildeBefore = Grab(*tilde), linkBefore = Grab(*link);
  panel->SetSkinData(dressing);
  ASSERT_NE(Grab(*box), boxBefore);
  panel->SetSkinData(dressing);  // twice: the colours kept are still the controls' own
  panel->SetSkinData(plain);
  EXPECT_EQ(Grab(*box), boxBefore);
  EXPECT_EQ(Grab(*tilde), tildeBefore);
  EXPECT_EQ(Grab(*link), linkBefore);
}

TEST_F(PlainChildren, ALinkLabelWithItsOwnSkinIsLeftToIt) {
  link->SetSkinData(plain);
  const QImage own = Grab(*link);
  panel->SetSkinData(dressing);
  EXPECT_EQ(Grab(*link), own);
}

}  // namespace
