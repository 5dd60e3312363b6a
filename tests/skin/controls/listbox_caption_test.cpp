// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>

#include "skin/controls/tbsskinlistbox.h"
#include "skin/draw/skinglyphs.h"
#include "embeddedskin.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

std::vector<std::string> Names(int n) {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back("name" + std::to_string(i));
  return names;
}

void Hover(QWidget& w, QPoint p) { Mouse(w, QEvent::MouseMove, p, Qt::NoButton); }
struct PaintCounter : QObject {
  int count = 0;
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    count += e->type() == QEvent::Paint;
    return false;
  }
};

QPoint Centre(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// ---- Default look ------------------------------------------------------------

struct DefaultCaption : ::testing::Test {
  TForm form;
  TbsSkinListBox* box = new TbsSkinListBox(form.ClientArea());
  DefaultCaption() {
    box->SetBounds(0, 0, 120, 120);
    box->SetCaptionMode(true);
  }
};

TEST_F(DefaultCaption, ButtonsSitAtTheRightEndAndShrinkWithALowStrip) {
  const struct {
    const char* name;
    int captionHeight;
    TRect up, down, check, text;
  } rows[] = {
      {"default height", 20, {101, 2, 118, 18}, {84, 2, 101, 18}, {67, 2, 84, 18}, {3, 2, 66, 18}},
      {"tall strip: buttons stay 17", 30, {101, 2, 118, 18}, {84, 2, 101, 18}, {67, 2, 84, 18}, {3, 2, 66, 28}},
      {"low strip", 12, {109, 2, 118, 10}, {100, 2, 109, 10}, {91, 2, 100, 10}, {3, 2, 90, 10}},
  };
  for (const auto& r : rows) {
    box->SetDefaultCaptionHeight(r.captionHeight);
    EXPECT_EQ(box->CaptionButtonRect(cbUpButton), r.up) << r.name;
    EXPECT_EQ(box->CaptionButtonRect(cbDownButton), r.down) << r.name;
    EXPECT_EQ(box->CaptionButtonRect(cbCheckButton), r.check) << r.name;
    EXPECT_EQ(box->CaptionTextRect(), r.text) << r.name;
    // The list starts one row below the strip's closing line.
    EXPECT_EQ(box->InnerList()->BoundsRect(), (TRect{2, r.captionHeight + 1, 118, 118})) << r.name;
  }
  box->SetCaptionMode(false);
  EXPECT_EQ(box->CaptionButtonRect(cbUpButton), TRect{});
  EXPECT_EQ(box->InnerList()->BoundsRect(), (TRect{2, 2, 118, 118}));
}

// A button as it must look: face, or the hot fill inside a navy frame, and the black mark.
QImage ExpectedButton(int button, bool hot, bool down) {
  TBitmap b(17, 16);
  QImage& img = b.Image();
  img.fill(hot ? (down ? qRgb(133, 147, 181) : qRgb(182, 189, 210)) : qRgb(212, 208, 200));
  if (hot)
    for (int x = 0; x < 17; ++x)
      for (int y = 0; y < 16; ++y)
        if (x == 0 || y == 0 || x == 16 || y == 15) img.setPixel(x, y, qRgb(0, 0, 128));
  if (button == cbCheckButton)
    DrawCheckGlyph(b.Canvas(), 4, 4, clBlack);
  else
    DrawArrowGlyph(b.Canvas(), TRect{0, 0, 17, 16}, clBlack, button == cbUpButton ? akUp : akDown);
  return b.Image().convertToFormat(QImage::Format_RGB32);
}

TEST_F(DefaultCaption, StripAndButtonsInEveryPointerState) {
  const QPoint up = Centre(box->CaptionButtonRect(cbUpButton));
  const QPoint check = Centre(box->CaptionButtonRect(cbCheckButton));
  const struct {
    const char* name;
    std::function<void()> act;
    bool hot[3];
    bool down[3];
  } rows[] = {
      {"normal", [] {}, {}, {}},
      {"pointer over up", [&] { Hover(*box, up); }, {true, false, false}, {}},
      {"up held", [&] { Press(*box, up); }, {true, false, false}, {true, false, false}},
      {"up held, pointer over check", [&] { DragTo(*box, check); }, {}, {}},
      {"released away, over check", [&] { Release(*box, check); }, {false, false, true}, {}},
      {"pointer left the control", [&] { Leave(*box); }, {}, {}},
  };
  for (const auto& r : rows) {
    r.act();
    const QImage img = Grab(*box);
    SaveRender(img, QByteArray("listbox-caption-default-").append(r.name).constData());
    for (int b = cbUpButton; b <= cbCheckButton; ++b) {
      const TRect rect = box->CaptionButtonRect(b);
      EXPECT_EQ(img.copy(ToQRect(rect)), ExpectedButton(b, r.hot[b], r.down[b])) << r.name << " button " << b;
    }
    EXPECT_EQ(box->HotButton(), r.hot[0] ? 0 : r.hot[2] ? 2 : -1) << r.name;
    // Frame, the closing line under the strip, and the face between.
    EXPECT_EQ(img.pixel(0, 5), qRgb(128, 128, 128)) << r.name;
    for (int x : {1, 40, 118}) EXPECT_EQ(img.pixel(x, 19), qRgb(128, 128, 128)) << r.name << " x " << x;
    EXPECT_EQ(img.pixel(1, 1), qRgb(212, 208, 200)) << r.name;
    EXPECT_EQ(img.pixel(60, 18), qRgb(212, 208, 200)) << r.name;
  }
}

// A two-frame glyph: red when enabled, blue when disabled; each frame's
// bottom-left pixel is its transparent colour.
TBitmap TwoFrameGlyph() {
  TBitmap g(16, 8);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 8; ++y) g.Image().setPixel(x, y, x < 8 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
  g.Image().setPixel(0, 7, qRgb(0, 255, 0));
  g.Image().setPixel(8, 7, qRgb(0, 255, 0));
  return g;
}

TEST_F(DefaultCaption, GlyphAndTextAreAlignedAsOneBlockInsideTheTextArea) {
  box->SetGlyph(TwoFrameGlyph());
  box->SetNumGlyphs(2);
  box->SetSpacing(4);
  // Text area 3..66, rows 2..18; the glyph is 8 wide, then 4 spacing.
  const struct {
    TAlignment alignment;
    int glyphLeft;
  } rows[] = {{taLeftJustify, 3}, {taRightJustify, 66 - 12}, {taCenter, 3 + (63 - 12) / 2}};
  for (const auto& r : rows) {
    box->SetAlignment(r.alignment);
    const QImage img = Grab(*box);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const QRgb expected = x == 0 && y == 7 ? qRgb(212, 208, 200) : qRgb(255, 0, 0);  // transparent corner
        ASSERT_EQ(img.pixel(r.glyphLeft + x, 6 + y), expected) << r.alignment << " " << x << "," << y;
      }
    EXPECT_EQ(img.pixel(r.glyphLeft - 1, 9), qRgb(212, 208, 200)) << r.alignment;
  }
  box->SetEnabled(false);
  EXPECT_EQ(Grab(*box).pixel(rows[2].glyphLeft + 3, 9), qRgb(0, 0, 255));  // the second frame
  box->SetEnabled(true);

  // A caption too long for the strip stops at the text area, clear of the buttons.
  box->SetAlignment(taLeftJustify);
  box->SetCaption("A caption far too long for this strip");
  const QImage img = Grab(*box);
  SaveRender(img, "listbox-caption-default-glyph-text");
  int dark = 0;
  for (int y = 2; y < 18; ++y) {
    EXPECT_EQ(img.pixel(66, y), qRgb(212, 208, 200)) << y;
    for (int x = 3 + 12; x < 66; ++x) dark += qGray(img.pixel(x, y)) < 80;
    for (int x = 3 + 8; x < 3 + 12; ++x) EXPECT_EQ(img.pixel(x, y), qRgb(212, 208, 200)) << x << "," << y;
  }
  EXPECT_GT(dark, 40);
}

// ---- Button actions and the auto-repeat, on a driven timer -----------------------

struct CaptionButtons : DefaultCaption {
  int listClicks = 0;
  CaptionButtons() {
    box->Items().Assign(Names(30));  // four rows show
    box->OnListBoxClick = [this] { ++listClicks; };
  }
  QPoint At(int button) { return Centre(box->CaptionButtonRect(button)); }
  void ClickButton(int button, QPoint releaseAt = {-1, -1}) {
    Press(*box, At(button));
    Release(*box, releaseAt.x() < 0 ? At(button) : releaseAt);
  }
  QTimer& Timer() { return box->RepeatTimer(); }
};

TEST_F(CaptionButtons, HeldDownButtonRepeatsAfterADelayAndPausesOffTheButton) {
  box->SetItemIndex(3);
  Press(*box, At(cbDownButton));
  EXPECT_EQ(box->ItemIndex(), 3);  // the press itself does not move
  EXPECT_EQ(box->RepeatMode(), 2);
  ASSERT_TRUE(Timer().isActive());
  EXPECT_EQ(Timer().interval(), TbsSkinListBox::kRepeatDelayMs);
  Tick(&Timer());
  EXPECT_EQ(box->ItemIndex(), 4);
  EXPECT_EQ(Timer().interval(), TbsSkinListBox::kRepeatIntervalMs);
  Tick(&Timer());
  Tick(&Timer());
  EXPECT_EQ(box->ItemIndex(), 6);
  EXPECT_EQ(box->InnerList()->TopIndex(), 3);  // the selection stays in view
  DragTo(*box, At(cbUpButton));
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(box->HotButton(), -1);  // no other button lights up while one is held
  DragTo(*box, At(cbDownButton));
  ASSERT_TRUE(Timer().isActive());
  EXPECT_EQ(Timer().interval(), TbsSkinListBox::kRepeatReturnIntervalMs);
  Tick(&Timer());
  EXPECT_EQ(box->ItemIndex(), 7);
  Release(*box, At(cbDownButton));
  EXPECT_EQ(box->ItemIndex(), 8);  // the release steps once more
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(box->RepeatMode(), 0);
  EXPECT_EQ(listClicks, 0);
}

TEST_F(CaptionButtons, StepsStopAtTheEndsAndAReleaseAwayCancels) {
  const struct {
    const char* name;
    int button, from, to;
  } rows[] = {
      {"up", cbUpButton, 5, 4},          {"up at the top stays", cbUpButton, 0, 0},
      {"up with nothing selected", cbUpButton, -1, -1}, {"down", cbDownButton, 5, 6},
      {"down at the end stays", cbDownButton, 29, 29}, {"down with nothing selected", cbDownButton, -1, 0},
  };
  for (const auto& r : rows) {
    box->SetItemIndex(r.from);
    ClickButton(r.button);
    EXPECT_EQ(box->ItemIndex(), r.to) << r.name;
    Press(*box, At(r.button));
    for (int i = 0; i < 3; ++i) Tick(&Timer());
    Release(*box, At(r.button));
    EXPECT_GE(box->ItemIndex(), r.button == cbUpButton ? -1 : 0) << r.name;
    EXPECT_LE(box->ItemIndex(), 29) << r.name;
  }
  box->SetItemIndex(10);
  ClickButton(cbDownButton, QPoint(30, 10));  // let go over the caption text
  ClickButton(cbUpButton, At(cbDownButton));
  EXPECT_EQ(box->ItemIndex(), 10);
}

TEST_F(CaptionButtons, AssignedEventsReplaceTheStepAndTheRepeat) {
  int up = 0, down = 0, check = 0;
  box->SetItemIndex(5);
  ClickButton(cbCheckButton);
  EXPECT_EQ(listClicks, 1);  // the check button clicks the list
  box->OnUpButtonClick = [&] { ++up; };
  box->OnDownButtonClick = [&] { ++down; };
  box->OnCheckButtonClick = [&] { ++check; };
  Press(*box, At(cbUpButton));
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(box->RepeatMode(), 0);
  Release(*box, At(cbUpButton));
  ClickButton(cbDownButton);
  ClickButton(cbDownButton, At(cbCheckButton));  // away: nothing
  ClickButton(cbCheckButton);
  EXPECT_EQ(up, 1);
  EXPECT_EQ(down, 1);
  EXPECT_EQ(check, 1);
  EXPECT_EQ(listClicks, 1);
  EXPECT_EQ(box->ItemIndex(), 5);
}

TEST_F(CaptionButtons, ButtonsOnlyExistInCaptionMode) {
  box->SetItemIndex(5);
  const QPoint down = At(cbDownButton);
  box->SetCaptionMode(false);
  Press(*box, down);
  Release(*box, down);
  EXPECT_FALSE(Timer().isActive());
  EXPECT_EQ(box->ItemIndex(), 5);
  EXPECT_EQ(box->PressedButton(), -1);
}

TEST_F(DefaultCaption, HeightForRowsCountsTheStripAndShowsThatManyRows) {
  form.show();  // sizes reach the layout once shown
  box->SetRowCount(6);
  EXPECT_EQ(box->Height(), 6 * 20 + 4 + 20);
  EXPECT_EQ(box->InnerList()->VisibleRows(), 6);
  box->SetDefaultCaptionHeight(30);
  EXPECT_EQ(box->HeightForRows(6), 6 * 20 + 4 + 30);
  box->SetCaptionMode(false);
  EXPECT_EQ(box->HeightForRows(6), 6 * 20 + 4);
}

TEST_F(DefaultCaption, SettingTheSameValuesRepaintsNothing) {
  box->SetCaption("Files");
  box->SetAlignment(taCenter);
  box->SetGlyph(TwoFrameGlyph());
  form.show();
  QApplication::processEvents();
  PaintCounter paints(box);
  box->SetCaption("Files");
  box->SetAlignment(taCenter);
  box->SetGlyph(TwoFrameGlyph());
  box->SetCaptionMode(true);
  QApplication::processEvents();
  EXPECT_EQ(paints.count, 0);
  box->SetCaption("Other files");
  QApplication::processEvents();
  EXPECT_GT(paints.count, 0);
}

}  // namespace

namespace {

using namespace skintest;

// ---- Skinned look ----------------------------------------------------------------
//
// An 80 x 60 frame piece at 10,10 of the picture; the up and down buttons lie
// right of RightTopPoint and so follow the width, the check button does not.
const QImage kPicture = Pattern(200, 150);
const char* kControls =
    "[SKINCONTROLS]\r\ncount=1\r\n0=capbox:listbox\r\n"
    "[capbox]\r\npictureindex=0\r\nskinrect=10,10,90,70\r\n"
    "lefttoppoint=4,16\r\nrighttoppoint=50,16\r\nleftbottompoint=4,56\r\nrightbottompoint=50,56\r\n"
    "clientrect=2,16,78,58\r\nitemrect=100,100,160,116\r\nitemtextrect=2,2,56,14\r\n"
    "captionrect=22,2,52,14\r\ncaptionfontname=Arial\r\ncaptionfontheight=12\r\ncaptionfontcolor=255\r\n"
    "upbuttonrect=66,2,78,14\r\nactiveupbuttonrect=100,0,112,12\r\ndownupbuttonrect=100,20,112,32\r\n"
    "downbuttonrect=54,2,66,14\r\nactivedownbuttonrect=120,0,132,12\r\n"
    "checkbuttonrect=4,2,16,14\r\n";

struct SkinnedCaption : ::testing::Test {
  TForm form;
  TbsSkinData* data = LoadSkin(&form, kControls, {kPicture});
  TbsSkinListBox* box = new TbsSkinListBox(form.ClientArea());
  SkinnedCaption() {
    box->SetSkinDataName("capbox");
    box->SetSkinData(data);
    box->SetCaptionMode(true);
    box->SetBounds(0, 0, 120, 100);  // 40 wider and higher than the piece
    form.show();
    QApplication::processEvents();
  }
};

TEST_F(SkinnedCaption, ButtonsAndCaptionFollowTheWidthFromTheRightPart) {
  EXPECT_EQ(box->CaptionButtonRect(cbUpButton), (TRect{106, 2, 118, 14}));
  EXPECT_EQ(box->CaptionButtonRect(cbDownButton), (TRect{94, 2, 106, 14}));
  EXPECT_EQ(box->CaptionButtonRect(cbCheckButton), (TRect{4, 2, 16, 14}));
  EXPECT_EQ(box->CaptionTextRect(), (TRect{22, 2, 92, 14}));
  // The caption lies outside the client part, so the list keeps it.
  EXPECT_EQ(box->InnerList()->BoundsRect(), (TRect{2, 16, 118, 98}));
  EXPECT_EQ(box->HeightForRows(3), 60 + 3 * 16 + 16 - 58);
}

TEST_F(SkinnedCaption, ButtonPiecesByStateWithAnEmptyDownPieceTakingTheActiveOne) {
  const QImage upNormal = Piece(kPicture, 76, 12, 88, 24), upActive = Piece(kPicture, 100, 0, 112, 12),
               upDown = Piece(kPicture, 100, 20, 112, 32), downNormal = Piece(kPicture, 64, 12, 76, 24),
               downActive = Piece(kPicture, 120, 0, 132, 12), checkNormal = Piece(kPicture, 14, 12, 26, 24);
  const QPoint up = Centre(box->CaptionButtonRect(cbUpButton));
  const QPoint down = Centre(box->CaptionButtonRect(cbDownButton));
  const QPoint check = Centre(box->CaptionButtonRect(cbCheckButton));
  const struct {
    const char* name;
    std::function<void()> act;
    QImage up, down, check;
  } rows[] = {
      {"normal", [] {}, upNormal, downNormal, checkNormal},
      {"hot up", [&] { Hover(*box, up); }, upActive, downNormal, checkNormal},
      {"pressed up", [&] { Press(*box, up); }, upDown, downNormal, checkNormal},
      {"pressed up, pointer away", [&] { DragTo(*box, QPoint(60, 50)); }, upNormal, downNormal, checkNormal},
      {"pressed down", [&] { Release(*box, QPoint(60, 50)); Press(*box, down); }, upNormal, downActive,
       checkNormal},
      {"hot check without an active piece", [&] { Release(*box, down); Hover(*box, check); }, upNormal,
       downNormal, checkNormal},
  };
  for (const auto& r : rows) {
    r.act();
    const QImage img = Grab(*box);
    SaveRender(img, QByteArray("listbox-caption-skin-").append(r.name).constData());
    EXPECT_EQ(img.copy(106, 2, 12, 12), r.up) << r.name;
    EXPECT_EQ(img.copy(94, 2, 12, 12), r.down) << r.name;
    EXPECT_EQ(img.copy(4, 2, 12, 12), r.check) << r.name;
  }
}

TEST_F(SkinnedCaption, CaptionTextInTheRecordsColourStaysInItsArea) {
  box->SetCaption("Files and more files here");
  const QImage img = Grab(*box);
  SaveRender(img, "listbox-caption-skin-text");
  const QRgb red = qRgb(255, 0, 0);
  int inside = 0, outside = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool in = x >= 22 && x < 92 && y >= 2 && y < 14;
      (in ? inside : outside) += img.pixel(x, y) == red;
    }
  EXPECT_GT(inside, 5);  // the cores of the letters; their edges blend into the picture
  EXPECT_EQ(outside, 0);
}

// ---- Several selections ----------------------------------------------------------

struct MultiList : ::testing::Test {
  TForm form;
  TbsSkinListBox* box = new TbsSkinListBox(form.ClientArea());
  int clicks = 0;
  MultiList() {
    box->SetBounds(0, 0, 120, 4 + 10 * 20);
    box->Items().Assign(Names(10));
    box->OnListBoxClick = [this] { ++clicks; };
  }
  TbsListBox& Inner() { return *box->InnerList(); }
  void ClickRow(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::mouseClick(&Inner(), Qt::LeftButton, mods, QPoint(10, row * 20 + 5));
  }
  std::string SelectedRows() {
    std::string s;
    for (int i = 0; i < box->Items().Count(); ++i) s += box->Selected(i) ? char('0' + i) : '.';
    return s;
  }
};

TEST_F(MultiList, SingleSelectionAnswersSelectedFromTheItemIndex) {
  box->SetItemIndex(2);
  EXPECT_EQ(SelectedRows(), "..2.......");
  EXPECT_EQ(box->SelCount(), -1);
  box->SetSelected(4, true);
  EXPECT_EQ(box->ItemIndex(), 4);
  box->SetSelected(4, false);
  EXPECT_EQ(box->ItemIndex(), -1);
}

TEST_F(MultiList, ClicksToggleRowsWithoutExtendedSelection) {
  box->SetItemIndex(1);
  box->SetMultiSelect(true);
  box->SetExtandedSelect(false);
  EXPECT_EQ(SelectedRows(), ".1........");  // the single selection carries over
  ClickRow(3);
  ClickRow(5);
  ClickRow(1);
  EXPECT_EQ(SelectedRows(), "...3.5....");
  EXPECT_EQ(box->ItemIndex(), 1);  // the caret
  EXPECT_EQ(box->SelCount(), 2);
  form.show();
  Inner().setFocus();
  QTest::keyClick(&Inner(), Qt::Key_Down);  // moves the caret only
  QTest::keyClick(&Inner(), Qt::Key_Space);
  EXPECT_EQ(SelectedRows(), "..23.5....");
  box->Items().Add("more");  // other lines: the old flags would name other rows
  EXPECT_EQ(box->SelCount(), 0);
}

TEST_F(MultiList, ExtendedSelectionByClickShiftAndCtrl) {
  box->SetMultiSelect(true);
  const struct {
    const char* name;
    int row;
    Qt::KeyboardModifiers mods;
    const char* expected;
  } rows[] = {
      {"click", 2, Qt::NoModifier, "..2......."},
      {"shift extends from the anchor", 5, Qt::ShiftModifier, "..2345...."},
      {"shift again replaces the range", 0, Qt::ShiftModifier, "012......."},
      {"ctrl toggles and moves the anchor", 7, Qt::ControlModifier, "012....7.."},
      {"ctrl toggles off", 1, Qt::ControlModifier, "0.2....7.."},
      {"ctrl+shift adds a range", 3, Qt::ControlModifier | Qt::ShiftModifier, "0123...7.."},
      {"plain click starts over", 8, Qt::NoModifier, "........8."},
  };
  for (const auto& r : rows) {
    ClickRow(r.row, r.mods);
    EXPECT_EQ(SelectedRows(), r.expected) << r.name;
    EXPECT_EQ(box->ItemIndex(), r.row) << r.name;
  }
  // Keys: Shift extends from the anchor, Ctrl moves only the caret.
  form.show();
  Inner().setFocus();
  QTest::keyClick(&Inner(), Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(&Inner(), Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(SelectedRows(), "......678.");
  QTest::keyClick(&Inner(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(SelectedRows(), "......678.");
  EXPECT_EQ(box->ItemIndex(), 0);
  QTest::keyClick(&Inner(), Qt::Key_Down);
  EXPECT_EQ(SelectedRows(), ".1........");
  // Dragging with the button held selects from the press to the pointer.
  Press(Inner(), QPoint(10, 3 * 20 + 5));
  DragTo(Inner(), QPoint(10, 6 * 20 + 5));
  Release(Inner(), QPoint(10, 6 * 20 + 5));
  EXPECT_EQ(SelectedRows(), "...3456...");
}

// Every selected row shows selected; the caret alone shows only its focus frame.
TEST_F(MultiList, SelectedRowsPaintSelectedAndTheCaretOnlyWhenSelected) {
  box->SetMultiSelect(true);
  ClickRow(1);
  ClickRow(3, Qt::ControlModifier);
  ClickRow(3, Qt::ControlModifier);  // the caret, taken out of the selection
  const QImage img = Grab(*box);
  SaveRender(img, "listbox-multi-default");
  const QRgb highlight = qRgb(10, 36, 106), window = qRgb(255, 255, 255);
  // Right of the short texts.
  EXPECT_EQ(img.pixel(100, 2 + 1 * 20 + 10), highlight);
  EXPECT_EQ(img.pixel(100, 2 + 3 * 20 + 10), window);
  EXPECT_EQ(img.pixel(100, 2 + 2 * 20 + 10), window);
}

}  // namespace
