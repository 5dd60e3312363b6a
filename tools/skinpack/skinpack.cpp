// skinpack: packs a skin folder into a compressed skin file, unpacks one back
// into a folder, and shows what the program reads from a skin.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "framework/sysutils.h"
#include "skin/data/tbsbitmapfile.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/data/tbsskindescription.h"
#include "skin/data/tbsskinpackage.h"
#include "skin/data/tbsskinsectionfiler.h"
#include "tools/skinpack/skincompose.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void Usage() {
  std::cerr << "usage:\n"
               "  skinpack pack <folder>/skin.ini <out-file>   build a compressed skin file\n"
               "  skinpack unpack <file> <folder>              write skin.ini and its pictures\n"
               "  skinpack dump <file-or-skin.ini>             show what the program reads\n"
               "  skinpack compose <file-or-skin.ini> <record> <width>x<height> <out.bmp>\n"
               "                                               draw a record at a size\n";
}

bool IsDescriptionFile(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).suffix().compare("ini", Qt::CaseInsensitive) == 0;
}

TbsCompressedStoredSkin& LoadStoredSkin(TbsCompressedStoredSkin& stored, const std::string& path) {
  if (IsDescriptionFile(path)) {
    if (!stored.BuildFromDescriptionFile(path))
      throw ToolError(path + ": a skin description needs the sections VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS");
  } else {
    stored.ReadCompressedSkinFile(path);
    if (stored.Empty()) throw ToolError(path + ": the compressed skin file's version is above 3");
  }
  return stored;
}

int Pack(const std::string& description, const std::string& out) {
  TbsCompressedStoredSkin stored;
  LoadStoredSkin(stored, description);
  stored.WriteCompressedSkinFile(out);
  std::cout << out << ": " << stored.CompressedBuffer.size() << " bytes\n";
  return 0;
}

// A picture name from the package may only lead into the target folder.
std::string SafeTarget(const QDir& folder, const std::string& name) {
  const QString n = QString::fromStdString(name);
  if (n.isEmpty() || QDir::isAbsolutePath(n) || n.split('/').contains(".."))
    throw ToolError("picture name \"" + name + "\" leads outside the folder");
  const QString path = folder.filePath(n);
  QDir().mkpath(QFileInfo(path).absolutePath());
  return path.toStdString();
}

int Unpack(const std::string& file, const std::string& folderPath) {
  TbsCompressedStoredSkin stored;
  LoadStoredSkin(stored, file);
  std::vector<uint8_t> bytes;
  stored.InflateInto(bytes);
  const TbsSkinPackage package = TbsSkinPackage::Read(bytes.data(), bytes.size());
  if (package.Version > TbsSkinPackage::kVersion)
    throw ToolError(file + ": the package version " + IntToStr(package.Version) + " is above 3");

  TbsSkinDescription description;
  description.LoadFromText(package.DescriptionText);
  auto pictures = TbsSkinSectionFiler::Reader(description, "PICTURES");
  std::string names[3];
  pictures.Text("picture", names[0], "");
  pictures.Text("inactivepicture", names[1], "");
  pictures.Text("mask", names[2], "");
  std::vector<std::string> activeNames;
  pictures.List("activepictures", activeNames);
  if (activeNames.size() != package.ActivePictures.size())
    throw ToolError(file + ": the package holds " + IntToStr(int64_t(package.ActivePictures.size())) +
                    " active pictures but [PICTURES] names " + IntToStr(int64_t(activeNames.size())));

  const QDir folder(QString::fromStdString(folderPath));
  if (!QDir().mkpath(folder.absolutePath())) throw ToolError(folderPath + ": cannot create the folder");
  const QImage* mains[3] = {&package.Picture, &package.InactivePicture, &package.Mask};
  for (int i = 0; i < 3; ++i) {
    if (mains[i]->isNull()) continue;
    if (names[i].empty()) throw ToolError(file + ": the package holds a picture that [PICTURES] does not name");
    TbsBitmapFile::SaveToFile(SafeTarget(folder, names[i]), *mains[i]);
  }
  for (size_t i = 0; i < activeNames.size(); ++i)
    TbsBitmapFile::SaveToFile(SafeTarget(folder, activeNames[i]), package.ActivePictures[i]);

  // The description exactly as packed, so packing the folder again gives
  // the same package.
  std::ofstream ini(folder.filePath("skin.ini").toStdString(), std::ios::binary);
  ini.write(package.DescriptionText.data(), std::streamsize(package.DescriptionText.size()));
  if (!ini) throw ToolError(folderPath + ": cannot write skin.ini");
  return 0;
}

std::string PictureSize(const TBitmap& bitmap) {
  return bitmap.Empty() ? "none" : IntToStr(bitmap.Width()) + " x " + IntToStr(bitmap.Height());
}

int Dump(const std::string& path) {
  TbsCompressedStoredSkin stored;
  LoadStoredSkin(stored, path);
  TbsSkinData data;
  data.SetCompressedStoredSkin(&stored);
  if (!data.HasSkin()) throw ToolError(path + ": the package version is above 3");

  std::cout << "; pictures: main " << PictureSize(data.Picture) << ", inactive " << PictureSize(data.InactivePicture)
            << ", mask " << PictureSize(data.Mask) << "\r\n";
  for (size_t i = 0; i < data.ActivePictures.size(); ++i)
    std::cout << "; active picture " << i << ": " << PictureSize(*data.ActivePictures[i]) << "\r\n";
  TbsSkinDescription globals;
  data.SaveToDescription(globals);
  std::cout << globals.Text();
  auto dumpRecord = [](const char* list, size_t index, const auto& record) {
    TbsSkinDescription section;
    record->SaveToDescription(section);
    std::cout << "\r\n; " << list << " record " << index << ": " << record->IDName << " (" << record->ClassName()
              << ")\r\n"
              << section.Text();
  };
  for (size_t i = 0; i < data.ObjectRecords.size(); ++i) dumpRecord("object", i, data.ObjectRecords[i]);
  for (size_t i = 0; i < data.ControlRecords.size(); ++i) dumpRecord("control", i, data.ControlRecords[i]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
    if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "dump") return Dump(args[1]);
    if (args.size() == 5 && args[0] == "compose") return ComposeSkinRecord(args[1], args[2], args[3], args[4]);
  } catch (const std::exception& e) {
    std::cerr << "skinpack: " << e.what() << "\n";
    return kExitFailure;
  }
  Usage();
  return kExitUsage;
}
