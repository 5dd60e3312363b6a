// SPDX-License-Identifier: GPL-3.0-or-later
// The committed skins are exactly what the generator draws: running it again
// into a fresh folder gives the same files, byte for byte.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

namespace {

// Relative path -> bytes of every file under `root`.
std::map<QString, QByteArray> FolderContents(const QString& root) {
  std::map<QString, QByteArray> contents;
  QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    contents[QDir(root).relativeFilePath(path)] = file.readAll();
  }
  return contents;
}

void RunGenerator(const QString& command, const QString& folder) {
  QProcess generator;
  generator.start(SKINGEN_PATH, {command, folder});
  ASSERT_TRUE(generator.waitForFinished(120000));
  ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
}

void ExpectSameFolders(const QString& committed, const QString& generated) {
  const auto want = FolderContents(committed);
  const auto got = FolderContents(generated);
  ASSERT_FALSE(want.empty());
  std::vector<std::string> wantNames, gotNames;
  for (const auto& [name, bytes] : want) wantNames.push_back(name.toStdString());
  for (const auto& [name, bytes] : got) gotNames.push_back(name.toStdString());
  ASSERT_EQ(gotNames, wantNames);
  for (const auto& [name, bytes] : want) EXPECT_TRUE(got.at(name) == bytes) << name.toStdString() << " differs";
}

TEST(SkinGenerator, RedrawsTheProgramSkinByteForByte) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString out = temp.filePath("default");
  RunGenerator("default", out);
  ExpectSameFolders(DEFAULT_SKIN_DIR, out);
}

TEST(SkinGenerator, RedrawsTheDarkSkinByteForByte) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  const QString out = temp.filePath("dark");
  RunGenerator("dark", out);
  ExpectSameFolders(DARK_SKIN_DIR, out);
}

TEST(SkinGenerator, RedrawsTheTestSkinsByteForByte) {
  QTemporaryDir temp;
  ASSERT_TRUE(temp.isValid());
  RunGenerator("testskins", temp.path());
  ExpectSameFolders(TEST_SKINS_DIR, temp.path());
}

}  // namespace
