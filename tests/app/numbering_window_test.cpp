// SPDX-License-Identifier: GPL-3.0-or-later
// The numbering of the system menu's 编号 submenu: files numbered oldest
// first or by the date a photo was taken (the list, the rename and its undo),
// a rename pressed before the order is known waits for it, zero padding in
// the preview, the range end and on disk, and both choices remembered.

#include <fcntl.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QImage>

#include "app/tbatchstrip.h"
#include "app/tpreviewlist.h"
#include "windowtest.h"

namespace {

// A small JPEG whose EXIF block says it was taken at `taken` ("YYYY:MM:DD HH:MM:SS").
std::string PhotoTakenAt(const std::string& taken) {
  EXPECT_EQ(taken.size(), 19u);
  // A little-endian TIFF: IFD0 holds only the pointer to the EXIF IFD, which
  // holds only DateTimeOriginal; offsets count from the TIFF header.
  std::string tiff = "II";
  const auto u16 = [&tiff](unsigned v) {
    tiff.push_back(char(v & 0xFF));
    tiff.push_back(char(v >> 8));
  };
  const auto u32 = [&u16](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  u16(42);
  u32(8);
  u16(1), u16(0x8769), u16(4), u32(1), u32(26), u32(0);   // IFD0 at 8: the EXIF IFD is at 26
  u16(1), u16(0x9003), u16(2), u32(20), u32(44), u32(0);  // EXIF IFD at 26: the date is at 44
  tiff += taken;
  tiff.push_back('\0');
  const std::string exif = std::string("Exif\0\0", 6) + tiff;
  const std::size_t length = exif.size() + 2;
  const std::string app1 = std::string("\xFF\xE1") + char(length >> 8) + char(length & 0xFF) + exif;

  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QByteArray jpeg;
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "JPG"));
  // The EXIF segment right after the start-of-image marker, where cameras put it.
  return jpeg.toStdString().insert(2, app1);
}

class Numbering : public wintest::Window {
 protected:
  void WriteAt(const std::string& name, const std::string& bytes, time_t modified) const {
    Write(name, bytes);
    const timespec times[2] = {{0, UTIME_OMIT}, {modified, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (Desktop + name).c_str(), times, 0), 0) << name;
  }
  bool OrderArrives() { return wintest::WaitFor([&] { return !Form->OrderPending(); }); }
  std::string RowText(int row) {
    const auto text = Form->PreviewList().RowText(row);
    return text ? text->Text : "-";
  }
};

TEST_F(Numbering, OldestFirstInTheListTheRenameAndTheUndoAndARenamePressedEarlyWaitsForTheOrder) {
  WriteAt("a.txt", "A", 3000);
  WriteAt("b.txt", "B", 1000);
  WriteAt("c.txt", "C", 2000);
  WriteAt("d.txt", "D", 1000);
  const auto before = Contents();
  TmainForm& f = Open();
  EXPECT_EQ(Listed(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt"}));
  EXPECT_TRUE(f.OrderByNameItem->Checked());

  // The order arrives through the event loop: until then the list is by name
  // and a rename waits in the strip, where Escape calls it off.
  f.OrderByModifiedItem->Click();
  EXPECT_TRUE(f.OrderByModifiedItem->Checked());
  EXPECT_FALSE(f.OrderByNameItem->Checked());
  ASSERT_TRUE(f.OrderPending());
  ClickRename();
  ASSERT_TRUE(f.BatchRunning());
  EXPECT_EQ(f.BatchStrip->Title(), "正在读取修改时间");
  EXPECT_FALSE(f.btnQuillo->Enabled());
  f.ListBox1->InnerList()->setFocus();
  QTest::keyClick(f.ListBox1->InnerList(), Qt::Key_Escape);
  EXPECT_FALSE(f.BatchRunning());
  ASSERT_TRUE(OrderArrives());
  EXPECT_EQ(Listed(), (std::vector<std::string>{"b.txt", "d.txt", "c.txt", "a.txt"}));  // ties by name
  EXPECT_EQ(Contents(), before);

  // Read again, the list is by name for a moment; the rename pressed then numbers by date.
  f.filesearch->Execute();
  ASSERT_TRUE(f.OrderPending());
  ClickRename();
  ASSERT_TRUE(f.BatchRunning());
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{
                            {"My1.txt", "file:B"}, {"My2.txt", "file:D"}, {"My3.txt", "file:C"}, {"My4.txt", "file:A"}}));
  ASSERT_TRUE(OrderArrives());
  EXPECT_EQ(Listed(), (std::vector<std::string>{"My1.txt", "My2.txt", "My3.txt", "My4.txt"}));

  f.UndoItem->Click();
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(Contents(), before);
}

TEST_F(Numbering, PhotosAreNumberedByTheDateTakenAndFilesWithoutOneFollowByModificationTime) {
  // Taken: b, c, a; by name a..e; by modification time d, a, c, b, e.
  const std::string a = PhotoTakenAt("2021:05:03 10:00:00");
  const std::string b = PhotoTakenAt("2019:12:31 23:59:59");
  const std::string c = PhotoTakenAt("2020:01:01 00:00:00");
  WriteAt("a.jpg", a, 1000);
  WriteAt("b.jpg", b, 3000);
  WriteAt("c.jpg", c, 2000);
  WriteAt("d.jpg", "no EXIF here", 500);
  WriteAt("e.txt", "E", 4000);
  TmainForm& f = Open();
  f.SetPreview(true);
  f.OrderByTakenItem->Click();
  EXPECT_EQ(RowText(0), "-");  // no new names before the order is known
  ASSERT_TRUE(OrderArrives());
  EXPECT_EQ(Listed(), (std::vector<std::string>{"b.jpg", "c.jpg", "a.jpg", "d.jpg", "e.txt"}));
  EXPECT_EQ(RowText(0), " → My1.jpg");
  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(Contents(), (std::map<std::string, std::string>{{"My1.jpg", "file:" + b},
                                                            {"My2.jpg", "file:" + c},
                                                            {"My3.jpg", "file:" + a},
                                                            {"My4.jpg", "file:no EXIF here"},
                                                            {"My5.txt", "file:E"}}));
}

TEST_F(Numbering, TheOrderAndThePaddingAreRememberedAcrossRuns) {
  Write("a.txt");
  TmainForm* f = &Open();
  EXPECT_FALSE(f->ZeroPadItem->Checked());
  f->OrderByTakenItem->Click();
  f->ZeroPadItem->Click();
  Close();
  f = &Open();
  EXPECT_EQ(f->NumberOrder(), TNumberOrder::Taken);
  EXPECT_TRUE(f->OrderByTakenItem->Checked());
  EXPECT_FALSE(f->OrderByNameItem->Checked());
  EXPECT_TRUE(f->ZeroPad());
  EXPECT_TRUE(f->ZeroPadItem->Checked());
  f->OrderByNameItem->Click();
  f->ZeroPadItem->Click();
  Close();
  f = &Open();
  EXPECT_TRUE(f->OrderByNameItem->Checked());
  EXPECT_FALSE(f->ZeroPadItem->Checked());
}

TEST_F(Numbering, PaddedNumbersTakeTheWidthOfTheLastInThePreviewAndOnDisk) {
  std::map<std::string, std::string> padded;
  for (int i = 1; i <= 12; ++i) {
    Write("f" + std::to_string(i) + ".txt", std::to_string(i));
    padded[(i < 10 ? "My0" : "My") + std::to_string(i) + ".txt"] = "file:" + std::to_string(i);
  }
  TmainForm& f = Open();
  f.SetPreview(true);
  EXPECT_EQ(RowText(0), " → My1.txt");
  f.ZeroPadItem->Click();
  EXPECT_EQ(RowText(0), " → My01.txt");
  EXPECT_EQ(RowText(11), " → My12.txt");
  EXPECT_EQ(f.EdtRangeend->Text(), "12");

  // The width follows the start: 96..107 takes three digits.
  f.EdtRangestart->SetFocus();
  f.EdtRangestart->SetText("95");
  f.EdtFrontName->SetFocus();
  EXPECT_EQ(f.EdtRangeend->Text(), "107");
  EXPECT_EQ(RowText(0), " → My096.txt");
  f.EdtRangestart->SetFocus();
  f.EdtRangestart->SetText("0");
  f.EdtFrontName->SetFocus();
  EXPECT_EQ(f.EdtRangeend->Text(), "12");

  ASSERT_TRUE(RenameAndWait());
  EXPECT_EQ(Contents(), padded);
  f.ZeroPadItem->Click();
  EXPECT_EQ(Listed().front(), "My01.txt");
  EXPECT_EQ(RowText(0), " → My1.txt");
}

}  // namespace
