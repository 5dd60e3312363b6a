// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/systemimagelist.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <memory>

#include "platform/userdirs.h"

namespace {

// One picture of a standard icon: the toolkit's image file stem, its size in
// pixels and the state (closed or open) it stands for.
struct TStandardImage {
  const char* Stem;
  int Size;
  QIcon::State State;
};

// The toolkit's own pictures behind the standard icons the shell asks for,
// exactly as its common style puts them together: a single small picture,
// or a folder in three sizes closed and open.
std::vector<TStandardImage> StandardImages(int standardPixmap) {
  const auto single = [](const char* stem) { return std::vector<TStandardImage>{{stem, 16, QIcon::Off}}; };
  switch (standardPixmap) {
    case QStyle::SP_DesktopIcon: return single("desktop");
    case QStyle::SP_ComputerIcon: return single("computer");
    case QStyle::SP_DriveHDIcon: return single("harddrive");
    case QStyle::SP_DriveFDIcon: return single("floppy");
    case QStyle::SP_DirClosedIcon: return single("dirclosed");
    case QStyle::SP_DirOpenIcon: return single("diropen");
    case QStyle::SP_TrashIcon: return {{"trash", 16, QIcon::Off}, {"trash", 32, QIcon::Off}, {"trash", 128, QIcon::Off}};
    case QStyle::SP_DirHomeIcon:
      return {{"dirclosed", 16, QIcon::Off}, {"dirclosed", 32, QIcon::Off}, {"dirclosed", 128, QIcon::Off},
              {"diropen", 16, QIcon::On},    {"diropen", 32, QIcon::On},    {"diropen", 128, QIcon::On}};
    default:
      return {};
  }
}

QString StandardImagePath(const TStandardImage& image) {
  return QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
      .arg(QLatin1String(image.Stem))
      .arg(image.Size);
}

// Read as PNG and nothing else: a reader left to guess asks every image
// format plugin first, which loads them all.
QPixmap ReadPng(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

// A standard icon that reads only its smallest pictures until something asks
// for a bigger one. Every request is answered by an ordinary icon of the
// pictures that request would use, so what it draws is what the full icon
// draws: a request no larger than the smallest picture picks that picture
// in every mode and state, and a larger one goes to the full set.
class TStandardIconEngine : public QIconEngine {
 public:
  explicit TStandardIconEngine(std::vector<TStandardImage> images) : FShared(std::make_shared<TShared>()) {
    FShared->Images = std::move(images);
    int smallest = FShared->Images.front().Size;
    for (const TStandardImage& image : FShared->Images) smallest = std::min(smallest, image.Size);
    FShared->SmallArea = smallest * smallest;
    for (const TStandardImage& image : FShared->Images)
      if (image.Size == smallest) FShared->Small.addPixmap(ReadPng(StandardImagePath(image)), QIcon::Normal, image.State);
    FShared->SmallIsAll = FShared->Images.size() == 1;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : qApp->devicePixelRatio();
    For(rect.size() * ratio).paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return For(size).pixmap(size, 1.0, mode, state);
  }
  // The size the picture for `size` has: the picture the icon would give.
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return pixmap(size, mode, state).size();
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Full().availableSizes(mode, state);
  }
  QString key() const override { return QStringLiteral("TStandardIconEngine"); }
  QIconEngine* clone() const override { return new TStandardIconEngine(*this); }
  bool isNull() override { return false; }

 private:
  struct TShared {
    std::vector<TStandardImage> Images;
    int SmallArea = 0;
    QIcon Small;
    QIcon Full;
    bool SmallIsAll = false;
  };

  TStandardIconEngine(const TStandardIconEngine& other) : QIconEngine(other), FShared(other.FShared) {}

  const QIcon& For(const QSize& deviceSize) {
    return deviceSize.width() * deviceSize.height() <= FShared->SmallArea ? FShared->Small : Full();
  }
  const QIcon& Full() {
    if (FShared->SmallIsAll) return FShared->Small;
    if (FShared->Full.isNull())
      for (const TStandardImage& image : FShared->Images)
        FShared->Full.addPixmap(ReadPng(StandardImagePath(image)), QIcon::Normal, image.State);
    return FShared->Full;
  }

  std::shared_ptr<TShared> FShared;
};

}  // namespace

QIcon StandardShellIcon(int standardPixmap) {
  std::vector<TStandardImage> images = StandardImages(standardPixmap);
  bool present = !images.empty();
  for (const TStandardImage& image : images) present = present && QFile::exists(StandardImagePath(image));
  if (present) return QIcon(new TStandardIconEngine(std::move(images)));
  // A toolkit whose pictures live elsewhere: its style makes the icon.
  return QApplication::style() ? QApplication::style()->standardIcon(QStyle::StandardPixmap(standardPixmap)) : QIcon();
}

TSystemImageList& TSystemImageList::Instance() {
  static TSystemImageList list;
  return list;
}

int TSystemImageList::Index(const char* themeName, int standardPixmap) {
  const std::string key = themeName;
  for (std::size_t i = 0; i < FKeys.size(); ++i)
    if (FKeys[i] == key) return int(i);
  QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeName));
  if (icon.isNull()) icon = StandardShellIcon(standardPixmap);
  FKeys.push_back(key);
  FIcons.push_back(icon);
  return int(FIcons.size() - 1);
}

int TSystemImageList::IndexOf(const TShellPlace& place, bool open) {
  switch (place.Kind) {
    case TShellPlaceKind::Desktop: return Index("user-desktop", QStyle::SP_DesktopIcon);
    case TShellPlaceKind::Home: return Index("user-home", QStyle::SP_DirHomeIcon);
    case TShellPlaceKind::Computer: return Index("computer", QStyle::SP_ComputerIcon);
    case TShellPlaceKind::Trash: return Index("user-trash", QStyle::SP_TrashIcon);
    case TShellPlaceKind::Volume:
      return place.Path == "/" ? Index("drive-harddisk", QStyle::SP_DriveHDIcon)
                               : Index("drive-removable-media", QStyle::SP_DriveFDIcon);
    default:
      break;
  }
  // The user's own folders (children of home) wear the theme's special folder icons.
  if (place.Kind == TShellPlaceKind::Entry && !open &&
      place.Path.compare(0, place.Path.size() - place.Name.size(), HomeDirectory() + "/") == 0) {
    static const std::pair<const char*, const char*> kSpecial[] = {
        {"XDG_DOCUMENTS_DIR", "folder-documents"}, {"XDG_DOWNLOAD_DIR", "folder-download"},
        {"XDG_MUSIC_DIR", "folder-music"},         {"XDG_PICTURES_DIR", "folder-pictures"},
        {"XDG_VIDEOS_DIR", "folder-videos"}};
    for (const auto& [key, icon] : kSpecial)
      if (place.Path == XdgUserDirectory(key, "")) return Index(icon, QStyle::SP_DirClosedIcon);
  }
  return open ? Index("folder-open", QStyle::SP_DirOpenIcon) : Index("folder", QStyle::SP_DirClosedIcon);
}

void TSystemImageList::LookUpDesktopIcons() {
  for (const TShellPlaceKind kind :
       {TShellPlaceKind::Desktop, TShellPlaceKind::Home, TShellPlaceKind::Computer, TShellPlaceKind::Trash})
    IndexOf(TShellPlace{kind, "", ""}, false);
  Index("folder", QStyle::SP_DirClosedIcon);
  Index("folder-open", QStyle::SP_DirOpenIcon);
}

const QIcon& TSystemImageList::Icon(int index) const {
  static const QIcon none;
  return index >= 0 && index < Count() ? FIcons[std::size_t(index)] : none;
}

int ShellIconIndexOf(const TShellPlace& place, bool open) { return TSystemImageList::Instance().IndexOf(place, open); }
