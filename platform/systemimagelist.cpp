#include "platform/systemimagelist.h"

#include <QApplication>
#include <QStyle>

#include "platform/userdirs.h"

TSystemImageList& TSystemImageList::Instance() {
  static TSystemImageList list;
  return list;
}

int TSystemImageList::Index(const char* themeName, int standardPixmap) {
  const std::string key = themeName;
  for (std::size_t i = 0; i < FKeys.size(); ++i)
    if (FKeys[i] == key) return int(i);
  QIcon icon = QIcon::fromTheme(QString::fromLatin1(themeName));
  if (icon.isNull() && QApplication::style())
    icon = QApplication::style()->standardIcon(QStyle::StandardPixmap(standardPixmap));
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

const QIcon& TSystemImageList::Icon(int index) const {
  static const QIcon none;
  return index >= 0 && index < Count() ? FIcons[std::size_t(index)] : none;
}

int ShellIconIndexOf(const TShellPlace& place, bool open) { return TSystemImageList::Instance().IndexOf(place, open); }
