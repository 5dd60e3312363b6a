// SPDX-License-Identifier: GPL-3.0-or-later
// The preview of new names: the batch played through over the folder's names
// (checked against what the rename really does), the texts and marks each
// row shows, its colours on screen, its cost, and the remembered switch.

#include <QApplication>
#include <QFile>
#include <chrono>
#include <cmath>
#include <iostream>

#include "app/tpreviewlist.h"
#include "renamer/trenamefile.h"
#include "skin/controls/tbslistbox.h"
#include "windowtest.h"

namespace {

using O = TPreviewOutcome;

struct PreviewCase {
  const char* Name;
  std::vector<std::string> Files;  // in the folder
  std::vector<std::string> Dirs;   // in the folder, never listed
  std::vector<std::string> Listed;
  std::string Prefix;
  int32_t Start;
  std::vector<std::pair<O, std::string>> Rows;
};

const std::vector<PreviewCase> kCases = {
    {"every name free", {"a.txt", "b.jpg", "c"}, {}, {"a.txt", "b.jpg", "c"}, "My", 0,
     {{O::Renamed, "My1.txt"}, {O::Renamed, "My2.jpg"}, {O::Renamed, "My3"}}},
    {"a folder outside the list holds the name", {"a.txt", "b.jpg"}, {"My2.jpg"}, {"a.txt", "b.jpg"}, "My", 0,
     {{O::Renamed, "My1.txt"}, {O::Taken, "My2.jpg"}}},
    {"a file the mask left out holds the name", {"a.txt", "b.txt", "My1.txt"}, {}, {"a.txt", "b.txt"}, "My", 0,
     {{O::Taken, "My1.txt"}, {O::Renamed, "My2.txt"}}},
    {"a later file of the list has not moved yet", {"a.txt", "b.txt", "My2.txt"}, {}, {"a.txt", "b.txt", "My2.txt"},
     "My", 0, {{O::Renamed, "My1.txt"}, {O::Taken, "My2.txt"}, {O::Renamed, "My3.txt"}}},
    {"an earlier file kept its name", {"A3.txt", "b.txt", "c.txt"}, {"A1.txt"}, {"A3.txt", "b.txt", "c.txt"}, "A", 0,
     {{O::Taken, "A1.txt"}, {O::Renamed, "A2.txt"}, {O::Taken, "A3.txt"}}},
    {"a name an earlier move freed is free again", {"B2.txt", "c.txt"}, {}, {"B2.txt", "c.txt"}, "B", 0,
     {{O::Renamed, "B1.txt"}, {O::Renamed, "B2.txt"}}},
    {"a file that already has its new name", {"My1.txt", "z"}, {}, {"My1.txt", "z"}, "My", 0,
     {{O::Unchanged, "My1.txt"}, {O::Renamed, "My2"}}},
    {"numbers count from the start", {"a", "b"}, {}, {"a", "b"}, "n", 2147483646,
     {{O::Renamed, "n2147483647"}, {O::Renamed, "n2147483648"}}},
    {"a name longer than a file name may be", {"a.txt", "b"}, {}, {"a.txt", "b"}, std::string(251, 'p'), 0,
     {{O::TooLong, std::string(251, 'p') + "1.txt"}, {O::Renamed, std::string(251, 'p') + "2"}}},
};

TEST(NamePreview, PlaysTheBatchThroughInListOrderAndAgreesWithTheRename) {
  for (const PreviewCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    TempFolder folder;
    for (const std::string& f : c.Files) folder.WriteFile(f, "bytes of " + f);
    for (const std::string& d : c.Dirs) folder.MakeDir(d);
    TNamePreview preview;
    preview.SetListing(folder.Path());
    preview.SetPattern(c.Prefix, c.Start);
    std::vector<std::pair<O, std::string>> rows;
    for (std::size_t i = 0; i < c.Listed.size(); ++i) {
      const auto row = preview.Row(c.Listed, c.Listed.size(), i);
      ASSERT_TRUE(row);
      rows.emplace_back(row->Outcome, row->NewName);
    }
    EXPECT_EQ(rows, c.Rows);

    // The rename itself: a file predicted to move is at its new name, every other keeps its own.
    Trenamefile renamer;
    renamer.ListFiles(folder.Path() + "*.*");  // counts at least the listed files: all of them are renamed
    renamer.RenameAll(folder.Path(), c.Listed, c.Prefix, c.Start);
    const auto after = folder.Contents();
    for (std::size_t i = 0; i < c.Listed.size(); ++i) {
      const std::string& old = c.Listed[i];
      const bool moved = rows[i].first == O::Renamed;
      EXPECT_EQ(after.count(rows[i].second) && after.at(rows[i].second) == "file:bytes of " + old,
                moved || rows[i].first == O::Unchanged)
          << old;
      EXPECT_EQ(after.count(old) && after.at(old) == "file:bytes of " + old, !moved) << old;
    }
  }
}

TEST(NamePreview, NoPreviewForAPatternTheRenameRefusesOrRowsItDoesNotMove) {
  TempFolder folder;
  const std::vector<std::string> names = {"a", "b", "c"};
  TNamePreview preview;
  preview.SetListing(folder.Path());
  preview.SetPattern("x/y", 0);
  EXPECT_FALSE(preview.Row(names, 3, 0));
  preview.SetPattern(std::string("x\0y", 3), 0);
  EXPECT_FALSE(preview.Row(names, 3, 0));
  preview.SetPattern("x", std::nullopt);  // the start field holds no number
  EXPECT_FALSE(preview.Row(names, 3, 0));
  preview.SetPattern("x", 0);
  EXPECT_TRUE(preview.Row(names, 3, 1));
  EXPECT_FALSE(preview.Row(names, 2, 2));  // past the count the rename moves
  EXPECT_FALSE(preview.SetPattern("x", 0));  // the same pattern keeps the rows
  EXPECT_EQ(preview.RowsWorkedOut(), 2u);
  EXPECT_TRUE(preview.SetPattern("x", 1));
  EXPECT_EQ(preview.RowsWorkedOut(), 0u);
}

TEST(NamePreview, AMillionRowsCostNothingUntilAskedAndOnePassWhenAllAre) {
  TempFolder folder;
  folder.WriteFile("My500001.dat", "");
  std::vector<std::string> names;
  names.reserve(1000000);
  char buffer[32];
  for (int i = 0; i < 1000000; ++i) {
    std::snprintf(buffer, sizeof buffer, "photo%07d.dat", i);
    names.emplace_back(buffer);
  }
  TNamePreview preview;
  preview.SetListing(folder.Path());
  preview.SetPattern("My", 0);
  EXPECT_FALSE(preview.FolderRead());
  EXPECT_EQ(preview.RowsWorkedOut(), 0u);
  ASSERT_TRUE(preview.Row(names, names.size(), 20));
  EXPECT_TRUE(preview.FolderRead());
  EXPECT_EQ(preview.RowsWorkedOut(), 21u);  // a screenful, not the list

  const auto t0 = std::chrono::steady_clock::now();
  const auto last = preview.Row(names, names.size(), names.size() - 1);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  std::cout << "[ preview  ] all 1,000,000 rows worked out in " << ms << " ms\n";
  ASSERT_TRUE(last);
  EXPECT_EQ(last->NewName, "My1000000.dat");
  EXPECT_EQ(preview.Row(names, names.size(), 500000)->Outcome, O::Taken);  // the one name the folder holds
  EXPECT_EQ(preview.Row(names, names.size(), 500001)->Outcome, O::Renamed);
  // A new pattern starts again from nothing, not from a million.
  preview.SetPattern("My", 1);
  EXPECT_EQ(preview.RowsWorkedOut(), 0u);
  // A changed list is noticed even without a new listing.
  names.pop_back();
  EXPECT_EQ(preview.Row(names, names.size(), 3)->Outcome, O::Renamed);
  EXPECT_EQ(preview.RowsWorkedOut(), 4u);
}

// Contrast ratio of two colours (relative luminance of sRGB, +0.05 each).
static double ContrastOf(TColor a, TColor b) {
  const auto luminance = [](TColor c) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    const int channels[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    for (int i = 0; i < 3; ++i) {
      const double s = channels[i] / 255.0;
      sum += weights[i] * (s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
    }
    return sum;
  };
  const double x = luminance(a) + 0.05, y = luminance(b) + 0.05;
  return x > y ? x / y : y / x;
}

TEST(PreviewColours, QuietStaysReadableAndWarningStandsOutOnLightAndDark) {
  // Black on white: the lightest grey that keeps 4.5:1, not the 3.9:1 of half way.
  EXPECT_EQ(TPreviewList::QuietColor(clBlack, clWhite), RGBColor(118, 118, 118));
  EXPECT_EQ(TPreviewList::QuietColor(clWindowText, clWindow), RGBColor(118, 118, 118));  // system colours resolved
  // Rows of both skins, plain and selected: quieter than the name, yet readable.
  const std::pair<TColor, TColor> rows[] = {{clBlack, clWhite},
                                            {clWhite, RGBColor(10, 36, 106)},
                                            {RGBColor(220, 220, 220), RGBColor(30, 30, 40)},
                                            {clWhite, RGBColor(60, 90, 150)}};
  for (const auto& [text, background] : rows) {
    const TColor quiet = TPreviewList::QuietColor(text, background);
    EXPECT_GE(ContrastOf(quiet, background), 4.5) << std::hex << text << " on " << background;
    EXPECT_LT(ContrastOf(quiet, background), ContrastOf(text, background)) << std::hex << text << " on " << background;
  }
  // A name already at the limit gets no quieter, and no louder either.
  EXPECT_EQ(TPreviewList::QuietColor(RGBColor(118, 118, 118), clWhite), RGBColor(118, 118, 118));
  EXPECT_EQ(TPreviewList::WarningColor(clWhite), RGBColor(192, 0, 0));
  EXPECT_EQ(TPreviewList::WarningColor(RGBColor(30, 30, 40)), RGBColor(255, 128, 128));
}

class Preview : public wintest::Window {
 protected:
  // Texts after the name for each listed row; "-" for none, a "!" in front when marked.
  std::vector<std::string> RowTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < Form->ListBox1->InnerList()->Count(); ++i) {
      const auto t = Form->PreviewList().RowText(i);
      texts.push_back(!t ? "-" : (t->Marked ? "!" : "") + t->Text);
    }
    return texts;
  }
  QImage ListPicture() {
    QTest::qWait(10);
    return Form->ListBox1->InnerList()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
};

TEST_F(Preview, RowsShowTheNewNamesLiveAndMarkTheFilesThatKeepTheirNames) {
  Write("a.txt");
  Write("b.jpg");
  Write("c");
  MakeDir("My2.jpg");
  MakeDir("Other");
  Write("Other/o.jpg");
  TmainForm& f = Open();
  EXPECT_FALSE(f.Preview());
  f.PreviewItem->Click();
  EXPECT_TRUE(f.Preview());
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{" → My1.txt", "! → My2.jpg（已存在）", " → My3"}));

  f.EdtFrontName->SetText("X");
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{" → X1.txt", " → X2.jpg", " → X3"}));
  f.EdtRangestart->SetFocus();
  f.EdtRangestart->SelectAll();
  QTest::keyClicks(f.EdtRangestart->Editor(), "9");
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{" → X10.txt", " → X11.jpg", " → X12"}));
  // An empty start shows no preview and no error box while the field keeps the focus.
  f.EdtRangestart->SelectAll();
  QTest::keyClick(f.EdtRangestart->Editor(), Qt::Key_Delete);
  QTest::qWait(20);
  EXPECT_EQ(f.EdtRangestart->Text(), "");
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{"-", "-", "-"}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  f.EdtRangestart->SetText("0");
  f.EdtFrontName->SetText("My");

  // The list follows the mask after a pause in typing, the preview with it.
  f.EdtFindEx->SetText("*.jpg");
  EXPECT_TRUE(wintest::WaitFor([&] { return Listed() == std::vector<std::string>{"b.jpg"}; }));
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{" → My1.jpg"}));

  // The folder stays the listed one, wherever the tree's selection has moved without a click.
  ASSERT_TRUE(f.ShellTreeView1->SelectPath(Desktop + "Other"));
  f.EdtFindEx->SetText("?.jpg");
  QTest::qWait(TmainForm::kMaskRelistDelayMs + 200);
  EXPECT_EQ(f.CurrentDir(), Desktop);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"b.jpg"}));

  // Off, the mask is read only by the next search again, as shipped.
  f.PreviewItem->Click();
  f.EdtFindEx->SetText("*.*");
  QTest::qWait(TmainForm::kMaskRelistDelayMs + 200);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"b.jpg"}));
}

TEST_F(Preview, TheNewNameIsDrawnAfterTheNameInAQuieterColourAndATakenOneInTheWarningColour) {
  Write("a.txt");
  Write("b.jpg");
  MakeDir("My2.jpg");
  TmainForm& f = Open();
  const QImage off = ListPicture();
  f.SetPreview(true);
  const QImage on = ListPicture();
  ASSERT_EQ(on.size(), off.size());
  TbsListBox* list = f.ListBox1->InnerList();

  for (int row = 0; row < 2; ++row) {
    SCOPED_TRACE(row);
    const TRect r = list->ItemRect(row);
    // The name is where it was: nothing changes left of its last inked column.
    int nameEnd = r.Left;
    const QRgb background = off.pixel(r.Right - 2, (r.Top + r.Bottom) / 2);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (off.pixel(x, y) != background) nameEnd = std::max(nameEnd, x + 1);
    int changed = 0;
    QRgb strongest = background;
    auto strength = [&](QRgb p) { return std::abs(qRed(p) - qRed(background)) + std::abs(qGreen(p) - qGreen(background)) + std::abs(qBlue(p) - qBlue(background)); };
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        if (on.pixel(x, y) == off.pixel(x, y)) continue;
        EXPECT_GE(x, nameEnd) << "at " << x << "," << y;
        ++changed;
        if (strength(on.pixel(x, y)) > strength(strongest)) strongest = on.pixel(x, y);
      }
    EXPECT_GT(changed, 40);
    // Fully covered pixels of the added text carry its colour exactly; none is stronger.
    const TColor expected = row == 0 ? TPreviewList::QuietColor(clBlack, RGBColor(qRed(background), qGreen(background), qBlue(background)))
                                     : RGBColor(192, 0, 0);
    EXPECT_EQ(RGBColor(qRed(strongest), qGreen(strongest), qBlue(strongest)), expected);
  }
  EXPECT_EQ(qRed(off.pixel(list->ItemRect(0).Right - 2, 10)), 255) << "the rows of the default skin are white";
  f.SetPreview(false);
  EXPECT_EQ(ListPicture(), off);
}

TEST_F(Preview, TheSwitchIsRememberedAcrossRunsInTheSettingsFile) {
  Write("a.txt");
  TmainForm* f = &Open();
  EXPECT_FALSE(f->Preview());
  EXPECT_FALSE(f->PreviewItem->Checked());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Home.Path() + "config/batch-renamer/settings.ini")));
  f->PreviewItem->Click();
  EXPECT_TRUE(f->PreviewItem->Checked());
  Close();
  f = &Open();
  EXPECT_TRUE(f->Preview());
  EXPECT_TRUE(f->PreviewItem->Checked());
  EXPECT_EQ(f->PreviewList().RowText(0)->Text, " → My1.txt");
  f->PreviewItem->Click();
  Close();
  f = &Open();
  EXPECT_FALSE(f->Preview());
  // The skin choice shares the file and survives the switch.
  QFile file(QString::fromStdString(Home.Path() + "config/batch-renamer/settings.ini"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("preview=false"));
}

TEST_F(Preview, OnlyThePaintedRowsAreWorkedOut) {
  for (int i = 0; i < 400; ++i) Write("f" + std::to_string(i));
  TmainForm& f = Open();
  f.SetPreview(true);
  QTest::qWait(20);
  f.ListBox1->InnerList()->repaint();
  const std::size_t visible = std::size_t(f.ListBox1->InnerList()->VisibleRows());
  EXPECT_GE(f.PreviewList().Model().RowsWorkedOut(), visible);
  EXPECT_LE(f.PreviewList().Model().RowsWorkedOut(), visible + 1);
  EXPECT_EQ(f.PreviewList().Model().FolderNameCount(), 400u);
}

}  // namespace
