// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a skin package file into the real window: a good one is drawn, a
// bad one is refused with a reason and the window looks exactly as before.

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <fcntl.h>
#include <unistd.h>

#include "../platform/tempfolder.h"
#include "app/commandline.h"
#include "app/tmainform.h"
#include "app/tskinfileloader.h"
#include "framework/tapplication.h"

namespace {

const std::string kPackedDefault = std::string(PACKED_SKINS_DIR) + "/default.skin";

class SkinFile : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("HOME", Home.Path().c_str(), 1);
    Home.MakeDir("Desktop");
    Form = std::make_unique<TmainForm>();
    Application()->SetMainForm(Form.get());
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    Loader = std::make_unique<TSkinFileLoader>(*Form->bsSkinData);
  }
  void TearDown() override {
    Loader.reset();
    Application()->SetMainForm(nullptr);
  }

  QImage Picture() const {
    QTest::qWait(10);
    return Form->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  TempFolder Home;
  std::unique_ptr<TmainForm> Form;
  std::unique_ptr<TSkinFileLoader> Loader;
};

std::string Bytes(std::initializer_list<int> values, const std::string& tail = {}) {
  std::string bytes;
  for (int v : values) bytes.push_back(char(v));
  return bytes + tail;
}

}  // namespace

TEST_F(SkinFile, ThePackedDefaultSkinLoadsFromItsFileAndDrawsTheSameWindow) {
  const QImage before = Picture();
  EXPECT_EQ(Loader->Load(kPackedDefault), "");
  EXPECT_TRUE(Form->bsSkinData->HasSkin());
  ASSERT_NE(Form->bsSkinData->CompressedStoredSkin(), Form->StoredSkin);
  EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin()->CompressedFileName(), kPackedDefault);
  EXPECT_EQ(Picture(), before);
}

TEST_F(SkinFile, SwitchingToTheDarkSkinAndBackLeavesEveryPixelAsBefore) {
  const QImage before = Picture();
  ASSERT_EQ(Loader->Load(std::string(PACKED_SKINS_DIR) + "/dark.skn"), "");
  EXPECT_EQ(Form->bsSkinData->SkinName, "深色");
  const QImage dark = Picture();
  ASSERT_EQ(dark.size(), before.size());
  EXPECT_NE(dark, before);
  // The frame's caption, drawn from the skin, is dark now.
  EXPECT_LT(qGray(dark.pixel(dark.width() / 2, 3)), 100);
  EXPECT_GT(qGray(before.pixel(before.width() / 2, 3)), 200);
  ASSERT_EQ(Loader->Load(kPackedDefault), "");
  EXPECT_EQ(Picture(), before);
}

TEST_F(SkinFile, ABadFileIsRefusedWithItsReasonAndTheSkinInUseStays) {
  Home.MakeDir("skins");
  const std::string dir = Home.Path() + "skins/";
  Home.WriteFile("skins/garbage.skn", "this is no skin at all, just some text");
  Home.WriteFile("skins/empty.skn", "");
  Home.WriteFile("skins/newer.skn", Bytes({4, 0, 0, 0, 8, 0, 0, 0}, "12345678"));
  Home.WriteFile("skins/damaged.skn", Bytes({3, 0, 0, 0, 8, 0, 0, 0}, "notzlib!"));
  Home.WriteFile("skins/short.skn", Bytes({3, 0, 0, 0, 100, 0, 0, 0}, "x"));
  // 100 MB without writing them: a sparse file.
  const int fd = open((dir + "huge.skn").c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, off_t(100) << 20), 0);
  close(fd);
  ASSERT_EQ(symlink((dir + "loop.skn").c_str(), (dir + "loop.skn").c_str()), 0);

  struct Row {
    std::string file;
    std::string reason;  // a part of the problem text
  };
  const Row rows[] = {
      {dir + "missing.skn", "文件不存在"},
      {dir, "文件夹"},
      {dir + "garbage.skn", "不是皮肤文件"},
      {dir + "empty.skn", "皮肤文件已损坏（"},
      {dir + "newer.skn", "版本太新"},
      {dir + "damaged.skn", "压缩的数据无法解开"},
      {dir + "short.skn", "shorter than its length says"},
      {dir + "huge.skn", "文件太大"},
      {dir + "loop.skn", "文件不存在"},
  };
  // Once with the embedded skin in use, once with a loaded file's.
  for (bool fromFile : {false, true}) {
    if (fromFile) ASSERT_EQ(Loader->Load(kPackedDefault), "");
    TbsCompressedStoredSkin* inUse = Form->bsSkinData->CompressedStoredSkin();
    const QImage before = Picture();
    for (const Row& row : rows) {
      const std::string problem = Loader->Load(row.file);
      EXPECT_NE(problem.find(row.reason), std::string::npos) << row.file << ": " << problem;
      EXPECT_TRUE(Form->bsSkinData->HasSkin()) << row.file;
      EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin(), inUse) << row.file;
    }
    EXPECT_EQ(Picture(), before);
  }
}

TEST_F(SkinFile, StartingWithAFolderSelectsAndListsIt) {
  Home.MakeDir("photos");
  Home.WriteFile("photos/b.jpg", "x");
  Home.WriteFile("photos/a.jpg", "x");
  TCommandLine commandLine;
  commandLine.Folder = Home.Path() + "photos";
  EXPECT_EQ(StartWith(commandLine, *Form, *Loader), "");
  EXPECT_EQ(Form->CurrentDir(), Home.Path() + "photos/");
  EXPECT_EQ(Form->ShellTreeView1->SelectedPath(), Home.Path() + "photos");
  EXPECT_EQ(Form->ListBox1->Items().Items(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(SkinFile, StartingWithABadSkinNamesTheFileAndStillOpensTheFolder) {
  Home.MakeDir("photos");
  Home.WriteFile("photos/a.jpg", "x");
  TCommandLine commandLine;
  commandLine.Folder = Home.Path() + "photos";
  commandLine.SkinFile = Home.Path() + "nothing.skn";
  const std::string message = StartWith(commandLine, *Form, *Loader);
  EXPECT_EQ(message, "无法载入皮肤文件“" + commandLine.SkinFile + "”：文件不存在");
  EXPECT_EQ(Form->bsSkinData->CompressedStoredSkin(), Form->StoredSkin);
  EXPECT_EQ(Form->ListBox1->Items().Items(), (std::vector<std::string>{"a.jpg"}));
}
