// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "skin/controls/tbsskinlistbox.h"
#include "skin/data/tbsdataskinlistbox.h"
#include "skin/draw/skinimage.h"
#include "embeddedskin.h"
#include "skinfixture.h"

namespace {

using namespace skintest;

std::vector<std::string> Names(int n, const std::string& stem = "file") {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back(stem + std::to_string(i) + ".txt");
  return names;
}

// The main window's file list: the program's skin, item height from the skin.
struct List : ::testing::Test {
  TForm form;
  TbsSkinData* data = LoadEmbeddedSkin(&form);
  TbsSkinListBox* box = new TbsSkinListBox(form.ClientArea());
  int clicks = 0;

  List() {
    box->SetBounds(0, 0, 200, 1 + 10 * 19 + 1);  // exactly ten rows inside the 1-pixel frame
    box->SetSkinData(data);
    box->OnListBoxClick = [this] { ++clicks; };
  }
  TbsListBox& Inner() { return *box->InnerList(); }
  void FocusList() {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Inner().setFocus();
    ASSERT_TRUE(Inner().hasFocus());
  }
  const TbsDataSkinListBox& Record() {
    return dynamic_cast<const TbsDataSkinListBox&>(*data->ControlRecords[size_t(data->FindControlRecord("listbox"))]);
  }
  const TBitmap& Picture() { return *data->ActivePicture(Record().PictureIndex); }
  void Wheel(int delta) {
    QWheelEvent e(QPointF(5, 5), Inner().mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&Inner(), &e);
  }
};

TEST_F(List, TheSkinSetsTheItemHeightAndTheListFillsTheClientPart) {
  EXPECT_EQ(box->DefaultItemHeight(), 20);
  EXPECT_EQ(box->ItemHeight(), 19);
  EXPECT_EQ(Inner().BoundsRect(), (TRect{1, 1, 199, 191}));
  EXPECT_EQ(box->HeightForRows(10), 192);
}

TEST_F(List, TheBarComesWithOneItemTooManyAndGoesWhenCleared) {
  box->Items().Assign(Names(10));
  EXPECT_EQ(box->VScrollBar(), nullptr);
  box->Items().Add("one too many");
  ASSERT_NE(box->VScrollBar(), nullptr);
  TbsSkinScrollBar& bar = *box->VScrollBar();
  EXPECT_EQ(bar.SkinDataName(), "vscrollbar");
  EXPECT_EQ(bar.BoundsRect(), (TRect{185, 1, 199, 191}));  // the skin's 14-pixel bar at the right
  EXPECT_EQ(Inner().Width(), 198 - 14);
  EXPECT_EQ(bar.Max(), 10);
  EXPECT_EQ(bar.PageSize(), 10);
  box->Items().Clear();
  EXPECT_EQ(box->VScrollBar(), nullptr);
  EXPECT_EQ(Inner().Width(), 198);
}

TEST_F(List, BarAndListStayInStepBothWays) {
  box->Items().Assign(Names(100));
  TbsSkinScrollBar* bar = box->VScrollBar();
  ASSERT_NE(bar, nullptr);
  // The bar drives the list.
  const QPoint thumb = ToQRect(bar->PartRect(spThumb)).center();
  Press(*bar, thumb);
  DragTo(*bar, thumb + QPoint(0, 60));
  Release(*bar, thumb + QPoint(0, 60));
  EXPECT_GT(bar->Position(), 0);
  EXPECT_EQ(Inner().TopIndex(), bar->Position());
  // The keyboard drives both.
  FocusList();
  QTest::keyClick(&Inner(), Qt::Key_End);
  EXPECT_EQ(box->ItemIndex(), 99);
  EXPECT_EQ(Inner().TopIndex(), 90);
  EXPECT_EQ(bar->Position(), 90);
  QTest::keyClick(&Inner(), Qt::Key_Home);
  EXPECT_EQ(bar->Position(), 0);
  // The wheel: the list's own three lines, then one more for the bar.
  Wheel(-120);
  EXPECT_EQ(Inner().TopIndex(), 4);
  EXPECT_EQ(bar->Position(), 4);
  Wheel(120);
  EXPECT_EQ(bar->Position(), 0);
}

TEST_F(List, ItemsKeepTheirBytesAndOnlyTheShownRowsAreDrawn) {
  const std::string latin1 = "caf\xE9.txt";  // not UTF-8
  box->Items().Assign(std::vector<std::string>{latin1, "ok.txt"});
  EXPECT_EQ(box->Items().Items()[0], latin1);
  // The invalid byte is shown as a replacement mark, so the row is not blank.
  box->SetItemIndex(-1);
  const QImage img = Grab(*box);
  const QImage row = img.copy(1 + 2, 1, 60, 19);
  int dark = 0;
  for (int y = 0; y < row.height(); ++y)
    for (int x = 0; x < row.width(); ++x) dark += qGray(row.pixel(x, y)) < 100;
  EXPECT_GT(dark, 10);
}

// Every row is the record's piece for its state, composed to the row's width;
// with the contents drawn by nobody, the pixels must match exactly.
TEST_F(List, ItemPiecesByStateAndTheClientPartBelowTheLastItem) {
  box->Items().Assign(Names(3));
  box->OnDrawItem = [](TCanvas&, int, int, int, TRect, TOwnerDrawState) {};
  box->SetItemIndex(1);
  const TbsDataSkinListBox& r = Record();
  auto piece = [&](const TRect& source) {
    TBitmap b;
    ComposeHorizontalSkinImage(r.ItemLeftOffset, r.ItemRightOffset, b, Picture(), source, 198);
    return b.Image().convertToFormat(QImage::Format_RGB32);
  };
  QImage img = Grab(*box);
  EXPECT_EQ(img.copy(1, 1, 198, 19), piece(r.ItemRect));
  EXPECT_EQ(img.copy(1, 1 + 19, 198, 19), piece(r.ActiveItemRect));
  FocusList();
  img = Grab(*box);
  SaveRender(img, "listbox-focused-selected");
  EXPECT_EQ(img.copy(1, 1 + 19, 198, 19), piece(r.FocusItemRect));
  // Below the last item: the frame's client part tiled from the rows' end.
  const TRect client = r.ClientRect;
  const QImage tile = Piece(Picture().Image(), r.SkinRect.Left + client.Left, r.SkinRect.Top + client.Top,
                            r.SkinRect.Left + client.Right, r.SkinRect.Top + client.Bottom);
  for (const QPoint p : {QPoint(0, 0), QPoint(64, 0), QPoint(65, 61), QPoint(197, 132)})
    EXPECT_EQ(img.pixel(1 + p.x(), 1 + 57 + p.y()), tile.pixel(p.x() % tile.width(), p.y() % tile.height()))
        << p.x() << "," << p.y();
}

TEST_F(List, ClicksAndKeysSelectAndReportAClick) {
  box->Items().Assign(Names(30));
  form.show();
  Press(Inner(), QPoint(10, 19 * 2 + 5));
  Release(Inner(), QPoint(10, 19 * 2 + 5));
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  Inner().setFocus();
  QTest::keyClick(&Inner(), Qt::Key_Down);
  QTest::keyClick(&Inner(), Qt::Key_PageDown);
  EXPECT_EQ(box->ItemIndex(), 3 + 9);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(Inner().TopIndex(), 3);  // scrolled just enough to show it
}

TEST_F(List, TypeAheadBuildsAPrefixThatAPauseStartsAfresh) {
  box->Items().Assign(std::vector<std::string>{"alpha", "Beta", "bravo", "charlie", "\xE4\xB8\xAD\xE6\x96\x87.txt"});
  int64_t now = 10'000;
  Inner().Clock = [&] { return now; };
  FocusList();
  const struct {
    const char* keys;
    int advanceMs;
    int expected;
    const char* prefix;
  } rows[] = {
      {"b", 0, 1, "b"},      {"r", 100, 2, "br"},   {"c", 499, 2, "brc"},  // no item: the selection stays
      {"c", 500, 3, "c"},    {"\b", 100, 3, ""},    // empty prefix clears the selection (checked below)
  };
  int clicksBefore = 0;
  for (const auto& r : rows) {
    now += r.advanceMs;
    clicksBefore = clicks;
    if (r.keys[0] == '\b')
      QTest::keyClick(&Inner(), Qt::Key_Backspace);
    else
      QTest::keyClicks(&Inner(), r.keys);
    EXPECT_EQ(Inner().SearchPrefix(), r.prefix) << r.keys;
    if (r.keys[0] != '\b') EXPECT_EQ(box->ItemIndex(), r.expected) << r.keys;
  }
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(clicks, clicksBefore + 1);
  // A character of several bytes is typed and taken back whole.
  now += 1000;
  QKeyEvent zh(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("\xE4\xB8\xAD"));
  QApplication::sendEvent(&Inner(), &zh);
  EXPECT_EQ(box->ItemIndex(), 4);
  QTest::keyClick(&Inner(), Qt::Key_Backspace);
  EXPECT_EQ(Inner().SearchPrefix(), "");
}

TEST_F(List, WideTextsGetAHorizontalBarOnlyWhenAsked) {
  box->Items().Assign(std::vector<std::string>{std::string(80, 'W'), "short"});
  EXPECT_EQ(box->HScrollBar(), nullptr);
  box->SetHorizontalExtent(true);
  ASSERT_NE(box->HScrollBar(), nullptr);
  TbsSkinScrollBar& bar = *box->HScrollBar();
  EXPECT_EQ(bar.SkinDataName(), "hscrollbar");
  EXPECT_EQ(bar.Top() + bar.Height(), 191);  // along the bottom of the client part
  FocusList();
  QTest::keyClick(&Inner(), Qt::Key_Right);
  EXPECT_EQ(bar.Position(), bar.SmallChange());
  EXPECT_EQ(Inner().HScrollOffset, bar.SmallChange());
  EXPECT_GT(bar.SmallChange(), 0);
  box->SetHorizontalExtent(false);
  EXPECT_EQ(box->HScrollBar(), nullptr);
  EXPECT_EQ(Inner().HScrollOffset, 0);
}

TEST_F(List, WithoutASkinTheDefaultLookAndItemHeightApply) {
  auto* plain = new TbsSkinListBox(form.ClientArea());
  plain->SetBounds(0, 0, 120, 4 + 5 * 20);
  plain->Items().Assign(Names(5));
  plain->SetItemIndex(0);
  EXPECT_EQ(plain->ItemHeight(), 20);
  EXPECT_EQ(plain->VScrollBar(), nullptr);
  EXPECT_EQ(plain->HeightForRows(5), 104);
  const QImage img = Grab(*plain);
  SaveRender(img, "listbox-default-selected");
  EXPECT_EQ(img.pixel(0, 0), qRgb(128, 128, 128));           // the frame
  EXPECT_EQ(img.pixel(2 + 1, 2 + 1), qRgb(10, 36, 106));     // the selected row
  EXPECT_EQ(img.pixel(2 + 1, 2 + 20 + 1), qRgb(255, 255, 255));
  plain->Items().Add("six");
  ASSERT_NE(plain->VScrollBar(), nullptr);
  EXPECT_EQ(plain->VScrollBar()->BoundsRect(), (TRect{100, 1, 119, 103}));
}

}  // namespace

namespace {

using namespace skintest;

// The list as the main window shows it, in each state, at two sizes. The bar
// takes the skin's 14 pixels inside the 1-pixel frame at the right and never
// paints over the frame: the frame's band is the same, pixel for pixel, as
// that of the same list without a bar, while the bar's own place changes.
TEST_F(List, TheBarsPaintInsideTheFrameInEveryState) {
  std::vector<std::string> names = Names(40, "IMG_");
  names[3] = "\xE6\x96\x87\xE4\xBB\xB6.txt";  // UTF-8 Chinese
  names[4] = "bad\xFF\xFEname.txt";           // not UTF-8
  const std::vector<std::string> few(names.begin(), names.begin() + 5);
  auto frameBandDiffers = [](const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if ((x == 0 || y == 0 || x == a.width() - 1 || y == a.height() - 1) && a.pixel(x, y) != b.pixel(x, y))
          ++differing;
    return differing;
  };
  for (const QSize size : {QSize(200, 192), QSize(320, 260)}) {
    box->SetBounds(0, 0, size.width(), size.height());
    const std::string tag = std::to_string(size.width()) + "x" + std::to_string(size.height());
    // Each state once without a bar and once with one.
    std::vector<QImage> plain, barred;
    for (const std::vector<std::string>* items : std::initializer_list<const std::vector<std::string>*>{&few, &names}) {
      box->Items().Assign(*items);
      std::vector<QImage>& shots = items == &few ? plain : barred;
      box->SetItemIndex(-1);
      shots.push_back(Grab(*box));
      box->SetItemIndex(2);
      shots.push_back(Grab(*box));
      FocusList();
      shots.push_back(Grab(*box));
      form.clearFocus();
      Inner().clearFocus();
    }
    ASSERT_NE(box->VScrollBar(), nullptr);
    const TRect bar = box->VScrollBar()->BoundsRect();
    EXPECT_EQ(bar, (TRect{size.width() - 15, 1, size.width() - 1, size.height() - 1})) << tag;
    const char* states[] = {"normal", "selected", "focused"};
    for (size_t i = 0; i < plain.size(); ++i) {
      SaveRender(barred[i], ("listbox-" + std::string(states[i]) + "-" + tag).c_str());
      EXPECT_EQ(frameBandDiffers(plain[i], barred[i]), 0) << tag << " " << states[i];
      EXPECT_NE(plain[i].copy(ToQRect(bar)), barred[i].copy(ToQRect(bar))) << "the bar shows, " << tag;
    }
  }
}

}  // namespace
