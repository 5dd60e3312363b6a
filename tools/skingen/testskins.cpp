// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skingen/testskins.h"

#include "skin/data/tbsdataskinanimate.h"
#include "skin/data/tbsdataskinbutton.h"
#include "skin/data/tbsdataskinbuttoncontrol.h"
#include "skin/data/tbsdataskincaption.h"
#include "skin/data/tbsdataskinpanelcontrol.h"
#include "skin/data/tbsdataskinstdbutton.h"
#include "skin/data/tbsdatauserobject.h"
#include "tools/skingen/defaultskin.h"
#include "tools/skingen/piecepainter.h"
#include "tools/skingen/skinpalette.h"

namespace testskins {

using namespace skinpalette;
using namespace defaultskin;
using P = TPiecePainter;

namespace {

// A small window: 96 x 64, client inset 6 left and right, 26 top, 6 bottom.
constexpr int kWidth = 96;
constexpr int kHeight = 64;
constexpr TRect kTestClient{6, 26, 90, 58};
constexpr int kCaptionRows = kTestClient.Top - 2;

// Picture 0: the caption buttons; picture 1: the pieces of a few controls
// and their masks; picture 2: the popup window; picture 3: its mask.
constexpr int kButtonsPicture = 0;
constexpr int kControlsPicture = 1;
constexpr TRect kPushPiece{0, 0, 24, 25};
constexpr TRect kPushActive{24, 0, 48, 25};
constexpr TRect kPanelPiece{0, 30, 40, 70};
constexpr TRect kPanelActive{40, 30, 80, 70};  // a second look for morphing tests
constexpr TRect kUserObjectSpot{60, 2, 76, 18};  // in the frame picture: drawn by the program
constexpr TRect kAnimateStrip{0, 96, 64, 112};  // four frames of 16 x 16 in the caption picture

// Black where the shape is: a rounded rectangle of radius `radius`.
QImage RoundedMask(int width, int height, int radius) {
  QImage mask(width, height, QImage::Format_RGB32);
  mask.fill(Qt::black);
  P p(mask);
  for (int i = 0; i < radius; ++i) {
    const int cut = radius - i;  // pixels cut from row i at each end
    p.HLine(0, cut, i, Qt::white);
    p.HLine(width - cut, width, i, Qt::white);
    p.HLine(0, cut, height - 1 - i, Qt::white);
    p.HLine(width - cut, width, height - 1 - i, Qt::white);
  }
  return mask;
}

QImage PaintTestControls() {
  QImage image(80, 70, QImage::Format_RGB32);
  image.fill(kClient);
  P p(image);
  p.VGradient(kPushPiece, kButtonTop, kButtonBottom);
  p.Frame(kPushPiece, kFieldBorder);
  p.VGradient(kPushActive, kButtonHotTop, kButtonHotBottom);
  p.Frame(kPushActive, kFieldBorderHot);
  p.Fill(kPanelPiece, kPanel);
  p.Frame(kPanelPiece, kPanelBorder);
  p.Fill(kPanelActive, kAccentSoft);
  p.Frame(kPanelActive, kAccentBorder);
  return image;
}

// The common part of every test skin: frame, caption, the five caption
// buttons, a push button and a panel record.
std::unique_ptr<TGeneratedSkin> BaseSkin(const std::string& name) {
  auto skin = std::make_unique<TGeneratedSkin>();
  TbsSkinData& g = skin->Globals;
  g.SkinName = "Test " + name;
  g.SkinAuthor = "Batch Renamer";
  g.SkinComments = "A test skin.";
  g.PictureName = "frame.bmp";
  skin->Picture = PaintFramePicture(kWidth, kHeight, kTestClient);
  QImage buttons(160, 112, QImage::Format_RGB32);
  buttons.fill(kClient);
  PaintCaptionButtons(buttons, kCaptionRows);
  // Four animation frames: a dot that grows.
  {
    P p(buttons);
    for (int f = 0; f < 4; ++f)
      p.Disc(kAnimateStrip.Left + 16 * f + 6 - f, kAnimateStrip.Top + 6 - f, 4 + 2 * f, kAccent, kAccentSoft);
  }
  skin->AddActivePicture("caption.bmp", buttons);
  skin->AddActivePicture("controls.bmp", PaintTestControls());

  g.LeftTopPoint = {30, 30};
  g.RightTopPoint = {66, 30};
  g.LeftBottomPoint = {30, 50};
  g.RightBottomPoint = {66, 50};
  g.ClientRect = kTestClient;
  g.HitTestLeftTopPoint = {8, 8};
  g.HitTestRightTopPoint = {88, 8};
  g.HitTestLeftBottomPoint = {8, 56};
  g.HitTestRightBottomPoint = {88, 56};
  g.CaptionRect = {3, 1, 95, 25};
  g.BorderWidth = 3;

  auto& caption = skin->AddObject<TbsDataSkinCaption>("caption", "caption");
  caption.SkinRect = {20, 1, 76, 25};
  caption.TextRect = {2, 0, 54, 24};
  caption.FontColor = kCaptionTextInactive;
  caption.ActiveFontColor = kCaptionText;
  const std::pair<TCaptionGlyph, TbsStdCommand> glyphs[] = {
      {cgClose, cmClose}, {cgMaximize, cmMaximize}, {cgMinimize, cmMinimize}, {cgRollUp, cmRollUp}, {cgSysMenu, cmSysMenu}};
  const char* const names[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"};
  for (int i = 0; i < 5; ++i) {
    auto& b = skin->AddObject<TbsDataSkinStdButton>(names[i], "stdbutton");
    b.ActivePictureIndex = kButtonsPicture;
    b.SkinRectInAPicture = true;
    b.SkinRect = CaptionButtonCell(glyphs[i].first, bsNormal);
    b.ActiveSkinRect = CaptionButtonCell(glyphs[i].first, bsActive);
    b.DownRect = CaptionButtonCell(glyphs[i].first, bsDown);
    b.InActiveSkinRect = CaptionButtonCell(glyphs[i].first, bsInactive);
    b.Command = glyphs[i].second;
  }

  auto& button = skin->AddControl<TbsDataSkinButtonControl>("button", "button");
  button.PictureIndex = kControlsPicture;
  button.SkinRect = kPushPiece;
  button.ActiveSkinRect = kPushActive;
  button.LeftTopPoint = {4, 4}, button.RightTopPoint = {20, 4};
  button.ClientRect = {3, 3, 21, 22};
  auto& panel = skin->AddControl<TbsDataSkinPanelControl>("panel", "panel");
  panel.PictureIndex = kControlsPicture;
  panel.SkinRect = kPanelPiece;
  panel.LeftTopPoint = {4, 4}, panel.RightTopPoint = {36, 4}, panel.LeftBottomPoint = {4, 36},
  panel.RightBottomPoint = {36, 36};
  panel.ClientRect = {1, 1, 39, 39};
  return skin;
}

// The popup and hint windows, each a whole small picture.
void AddWindows(TGeneratedSkin& skin, bool masked) {
  QImage popup(40, 30, QImage::Format_RGB32);
  {
    P p(popup);
    p.Fill({0, 0, 40, 30}, kField);
    p.Frame({0, 0, 40, 30}, kFieldBorder);
  }
  auto& pw = skin.Globals.PopupWindowRecord;
  pw.WindowPictureIndex = skin.AddActivePicture("popup.bmp", popup);
  pw.LeftTopPoint = {4, 4}, pw.RightTopPoint = {36, 4}, pw.LeftBottomPoint = {4, 26}, pw.RightBottomPoint = {36, 26};
  pw.ItemsRect = {3, 3, 37, 27};
  QImage hint(30, 16, QImage::Format_RGB32);
  {
    P p(hint);
    p.Fill({0, 0, 30, 16}, kHint);
    p.Frame({0, 0, 30, 16}, kHintBorder);
  }
  auto& hw = skin.Globals.HintWindowRecord;
  hw.WindowPictureIndex = skin.AddActivePicture("hint.bmp", hint);
  hw.LeftTopPoint = {4, 3}, hw.RightTopPoint = {26, 3}, hw.LeftBottomPoint = {4, 13}, hw.RightBottomPoint = {26, 13};
  hw.ClientRect = {4, 3, 26, 13};
  hw.FontColor = kText;
  if (masked) {
    pw.MaskPictureIndex = skin.AddActivePicture("popupmask.bmp", RoundedMask(40, 30, 3));
    hw.MaskPictureIndex = skin.AddActivePicture("hintmask.bmp", RoundedMask(30, 16, 3));
  }
}

// A shaped window with rounded top corners, shaped controls, a shaped popup.
std::unique_ptr<TGeneratedSkin> ShapedSkin() {
  auto skin = BaseSkin("shaped");
  skin->Globals.MaskName = "mask.bmp";
  skin->Mask = RoundedMask(kWidth, kHeight, 5);
  // Left empty, the mask area becomes the client rectangle on loading.
  skin->Globals.MaskRectArea = {0, 0, 0, 0};
  const int buttonMask = skin->AddActivePicture("buttonmask.bmp", RoundedMask(24, 25, 3));
  const int panelMask = skin->AddActivePicture("panelmask.bmp", RoundedMask(40, 40, 4));
  skin->FindControl("button")->MaskPictureIndex = buttonMask;
  skin->FindControl("panel")->MaskPictureIndex = panelMask;
  AddWindows(*skin, true);
  return skin;
}

// A second frame picture, greyed, for an inactive window.
std::unique_ptr<TGeneratedSkin> InactivePictureSkin() {
  auto skin = BaseSkin("inactive picture");
  skin->Globals.InactivePictureName = "inactive.bmp";
  skin->InactivePicture = skin->Picture.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
  AddWindows(*skin, false);
  return skin;
}

std::unique_ptr<TGeneratedSkin> AutoInactiveSkin(TbsImageEffect effect, const char* word) {
  auto skin = BaseSkin(std::string("automatic inactive look, ") + word);
  skin->Globals.AutoRenderingInactiveImage = true;
  skin->Globals.InactiveEffect = effect;
  return skin;
}

// Edges that are not uniform (a dotted rule along each), so stretching and
// tiling give different pictures; the popup and hint stretch too.
std::unique_ptr<TGeneratedSkin> StretchedSkin() {
  auto skin = BaseSkin("stretched edges");
  TbsSkinData& g = skin->Globals;
  g.LeftStretch = g.TopStretch = g.RightStretch = g.BottomStretch = true;
  {
    P p(skin->Picture);
    for (int x = g.LeftTopPoint.X; x < g.RightTopPoint.X; x += 4) p.Pixel(x, 2, kAccent);
    for (int x = g.LeftBottomPoint.X; x < g.RightBottomPoint.X; x += 4) p.Pixel(x, kHeight - 3, kAccent);
    for (int y = g.LeftTopPoint.Y; y < g.LeftBottomPoint.Y; y += 4) p.Pixel(2, y, kAccent);
    for (int y = g.RightTopPoint.Y; y < g.RightBottomPoint.Y; y += 4) p.Pixel(kWidth - 3, y, kAccent);
  }
  AddWindows(*skin, false);
  auto& pw = g.PopupWindowRecord;
  pw.LeftStretch = pw.TopStretch = pw.RightStretch = pw.BottomStretch = true;
  auto& hw = g.HintWindowRecord;
  hw.LeftStretch = hw.TopStretch = hw.RightStretch = hw.BottomStretch = true;
  return skin;
}

// Caption buttons in a row at the left, the title to their right.
std::unique_ptr<TGeneratedSkin> LeftButtonsSkin() {
  auto skin = BaseSkin("buttons on the left");
  skin->Globals.ButtonsInLeft = true;
  skin->Globals.ButtonsRect = {3, 1, 40, 25};
  skin->Globals.ButtonsOffset = 1;
  return skin;
}

// An animated object, a user object and one morphing object of each kind.
std::unique_ptr<TGeneratedSkin> ObjectsSkin() {
  auto skin = BaseSkin("objects");
  const char* const morphing[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"};
  for (int i = 0; i < 5; ++i) {
    TbsDataSkinObject* o = skin->FindObject(morphing[i]);
    o->Morphing = true;
    o->MorphKind = TbsMorphKind(i);  // mkdefault .. mkleftslide
  }
  // A command-less caption button fading by a right slide.
  auto& custom = skin->AddObject<TbsDataSkinStdButton>("helpbutton", "stdbutton");
  custom.Hint = "Help";
  custom.ActivePictureIndex = kButtonsPicture;
  custom.SkinRectInAPicture = true;
  custom.SkinRect = CaptionButtonCell(cgRollDown, bsNormal);
  custom.ActiveSkinRect = CaptionButtonCell(cgRollDown, bsActive);
  custom.Command = cmDefault;
  custom.Morphing = true;
  custom.MorphKind = mkRightSlide;
  // A plain button object in the frame picture, fading by a push.
  auto& plain = skin->AddObject<TbsDataSkinButton>("framebutton", "button");
  plain.ActivePictureIndex = kControlsPicture;
  plain.SkinRect = {kTestClient.Left, kTestClient.Bottom + 1, kTestClient.Left + 24, kTestClient.Bottom + 5};
  plain.ActiveSkinRect = {kPushActive.Left, kPushActive.Top, kPushActive.Left + 24, kPushActive.Top + 4};
  plain.Morphing = true;
  plain.MorphKind = mkPush;

  auto& animate = skin->AddObject<TbsDataSkinAnimate>("spinner", "animate");
  animate.ActivePictureIndex = kButtonsPicture;
  animate.SkinRect = {kUserObjectSpot.Left - 18, 4, kUserObjectSpot.Left - 2, 20};
  animate.ActiveSkinRect = {kAnimateStrip.Left, kAnimateStrip.Top, kAnimateStrip.Left + 16, kAnimateStrip.Bottom};
  animate.CountFrames = 4;
  animate.ButtonStyle = true;
  animate.Cycle = false;
  animate.TimerInterval = 50;
  animate.Command = cmDefault;

  auto& user = skin->AddObject<TbsDataUserObject>("logo", "userobject");
  user.SkinRect = kUserObjectSpot;

  // A push button control that fades too.
  auto* button = static_cast<TbsDataSkinButtonControl*>(skin->FindControl("button"));
  button->Morphing = true;
  button->MorphKind = mkGradient;
  AddWindows(*skin, false);
  return skin;
}

}  // namespace

std::vector<std::pair<std::string, std::unique_ptr<TGeneratedSkin>>> BuildTestSkins() {
  std::vector<std::pair<std::string, std::unique_ptr<TGeneratedSkin>>> skins;
  skins.emplace_back("shaped", ShapedSkin());
  skins.emplace_back("inactive-picture", InactivePictureSkin());
  const std::pair<TbsImageEffect, const char*> effects[] = {{ieBrightness, "brightness"}, {ieDarkness, "darkness"},
                                                            {ieGrayScale, "grayscale"},   {ieNoise, "noise"},
                                                            {ieSplitBlur, "splitblur"},   {ieInvert, "invert"}};
  for (const auto& [effect, word] : effects)
    skins.emplace_back(std::string("autoinactive-") + word, AutoInactiveSkin(effect, word));
  skins.emplace_back("stretched", StretchedSkin());
  skins.emplace_back("left-buttons", LeftButtonsSkin());
  skins.emplace_back("objects", ObjectsSkin());
  return skins;
}

}  // namespace testskins
