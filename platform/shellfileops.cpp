// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shellfileops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/fileerror.h"
#include "platform/mounttable.h"
#include "platform/movefile.h"
#include "platform/pastejob.h"

namespace {
// A string, not a pointer: gcc 12 warns wrongly on `std::string(pointer) + ...`.
const std::string kNewFolderName = "新建文件夹";
constexpr int kMaxNameTries = 10000;  // "name (10000)" is as far as a free name is looked for
const char* const kUriListType = "text/uri-list";
const char* const kGnomeCopiedType = "x-special/gnome-copied-files";
const char* const kKdeCutType = "application/x-kde-cutselection";

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string BaseName(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path.substr(path.rfind('/') + 1);
}

std::string RealPath(const std::string& path) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

std::string Reason(const std::string& what, int error) { return what + "：" + FileErrorText(error); }

std::string PercentDecode(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && std::isxdigit((unsigned char)s[i + 1]) &&
        std::isxdigit((unsigned char)s[i + 2])) {
      out += char(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<std::string> Lines(const std::string& body) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at <= body.size()) {
    std::size_t end = body.find('\n', at);
    if (end == std::string::npos) end = body.size();
    std::string line = body.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}
}  // namespace

std::string FreeNameIn(const std::string& folder, const std::string& name, bool isFolder) {
  if (!Exists(Join(folder, name))) return name;
  std::string stem = name, ext;
  if (const std::size_t dot = name.rfind('.'); !isFolder && dot != std::string::npos && dot > 0) {
    stem = name.substr(0, dot);
    ext = name.substr(dot);
  }
  for (int n = 2; n <= kMaxNameTries; ++n) {
    const std::string candidate = stem + " (" + std::to_string(n) + ")" + ext;
    if (!Exists(Join(folder, candidate))) return candidate;
  }
  return std::string();
}

std::string MakeNewFolder(const std::string& folder, std::string& error) {
  for (int n = 1; n <= kMaxNameTries; ++n) {
    const std::string name = n == 1 ? kNewFolderName : kNewFolderName + " (" + std::to_string(n) + ")";
    if (mkdir(Join(folder, name).c_str(), 0777) == 0) return name;
    if (errno != EEXIST) {
      error = Reason(kNewFolderName, errno);
      return std::string();
    }
  }
  error = kNewFolderName + "：没有可用的名称";
  return std::string();
}

namespace {
// Puts `path` into a trash folder (its files/ and info/ made and checked):
// the item goes to files/ under a name that is free there, and info/ records
// `recorded` (the path the trash gives back) and when it went.
bool MoveIntoTrash(const std::string& path, const std::string& trash, const std::string& recorded, std::string& error) {
  const std::string files = trash + "/files", info = trash + "/info";
  const std::string name = BaseName(path);
  char date[32];
  const time_t now = time(nullptr);
  struct tm local {};
  localtime_r(&now, &local);
  strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  const std::string record = "[Trash Info]\nPath=" + PathToFileUri(recorded).substr(7) + "\nDeletionDate=" + date + "\n";
  for (int n = 1; n <= kMaxNameTries; ++n) {
    const std::string entry = n == 1 ? name : name + "." + std::to_string(n);
    const std::string infoFile = info + "/" + entry + ".trashinfo";
    // The info file is made first and exclusively: it reserves the name.
    const int fd = open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return error = Reason(name, errno), false;
    }
    const bool written = write(fd, record.data(), record.size()) == ssize_t(record.size());
    const bool closed = close(fd) == 0;
    if (!written || !closed) {
      unlink(infoFile.c_str());
      return error = Reason(name, EIO), false;
    }
    if (MoveFile(path, files + "/" + entry)) return true;
    const int why = errno;
    unlink(infoFile.c_str());
    if (why == EEXIST) continue;
    return error = Reason(name, why), false;
  }
  return error = name + "：回收站中没有可用的名称", false;
}

// The device of the nearest part of `path` that exists: where a folder made
// at `path` would be.
dev_t DeviceOfNearest(std::string path) {
  struct stat st {};
  while (stat(path.c_str(), &st) != 0 && path.size() > 1) {
    const std::size_t slash = path.rfind('/');
    path = slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
  }
  return st.st_dev;
}

// The folder the disk of `path` is mounted on (`path` canonical, on device
// `dev`). The mount table names it even where the same disk shows at two
// places (a bind mount): a rename between the two fails, so the trash must
// be at the mount the item sits in, which walking up by device would miss.
// When the table gives nothing on `dev` (no /proc, or a btrfs subvolume with
// a device of its own), the last folder up the path still on `dev`.
std::string TopDirectoryOf(const std::string& path, dev_t dev) {
  // Read afresh, not from the program's kept copy: a delete is rare, and the
  // answer must be the table of this moment.
  std::ifstream in("/proc/self/mountinfo");
  std::stringstream table;
  table << in.rdbuf();
  std::string top = MountPointOf(table.str(), path);
  struct stat st {};
  if (!top.empty() && stat(top.c_str(), &st) == 0 && st.st_dev == dev) return top;
  top = path;
  while (top != "/") {
    const std::size_t slash = top.rfind('/');
    const std::string up = slash == 0 ? "/" : top.substr(0, slash);
    if (stat(up.c_str(), &st) != 0 || st.st_dev != dev) break;
    top = up;
  }
  return top;
}

// `dir` as a trash folder: made (0700) when missing, then it must be a
// folder of its own, not a link, owned by `uid` and, when `privateMode`,
// closed to everyone else. Its files/ and info/ the same. "" or why not.
std::string CheckTrashFolder(const std::string& dir, uid_t uid, bool privateMode) {
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return std::string("无法建立：") + FileErrorText(errno);
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0) return FileErrorText(errno);
  if (S_ISLNK(st.st_mode)) return "是符号链接";
  if (!S_ISDIR(st.st_mode)) return "不是文件夹";
  if (st.st_uid != uid) return "不属于当前用户";
  if (privateMode && (st.st_mode & 0777) != 0700) return "的权限不是 0700";
  for (const char* sub : {"/files", "/info"}) {
    const std::string path = dir + sub;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return std::string(sub + 1) + " 无法建立：" + FileErrorText(errno);
    if (lstat(path.c_str(), &st) != 0 || S_ISLNK(st.st_mode) || !S_ISDIR(st.st_mode) || st.st_uid != uid)
      return std::string(sub + 1) + " 不是当前用户的文件夹";
  }
  return std::string();
}

// The trash of the disk `path` is on (not the home folder's disk): the
// shared $topdir/.Trash/$uid when an administrator made $topdir/.Trash a
// sticky folder, else the user's own $topdir/.Trash-$uid. Its info files
// name the item relative to $topdir, so they stay right wherever the disk
// is mounted next time.
bool MoveToDiskTrash(std::string path, const struct stat& item, std::string& error) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::string name = BaseName(path);
  const std::string parent = RealPath(path.substr(0, path.rfind('/') + 1));
  struct stat parentDir {};
  if (parent.empty() || stat(parent.c_str(), &parentDir) != 0) return error = Reason(name, errno), false;
  // A disk mounted here moves only with its own mount, never by a rename.
  if (S_ISDIR(item.st_mode) && item.st_dev != parentDir.st_dev)
    return error = name + "：是另一个磁盘的挂载点，无法移到回收站", false;
  const std::string top = TopDirectoryOf(parent, parentDir.st_dev);
  const std::string topSlash = top == "/" ? top : top + "/";
  const std::string real = parent == "/" ? parent + name : parent + "/" + name;
  const uid_t uid = getuid();
  const std::string uidText = std::to_string(uid);

  std::string trash, why;
  const std::string shared = topSlash + ".Trash";
  struct stat st {};
  if (lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) &&
      CheckTrashFolder(shared + "/" + uidText, uid, false).empty())
    trash = shared + "/" + uidText;
  // A shared folder that is a link, not sticky or refuses us is passed over.
  if (trash.empty()) {
    const std::string own = topSlash + ".Trash-" + uidText;
    why = CheckTrashFolder(own, uid, true);
    if (!why.empty()) return error = name + "：这个磁盘上的回收站 " + own + " " + why + "，无法移到回收站", false;
    trash = own;
  }
  if (stat((trash + "/files").c_str(), &st) != 0 || st.st_dev != parentDir.st_dev)
    return error = name + "：回收站 " + trash + " 与它不在同一个磁盘上，无法移到回收站", false;
  return MoveIntoTrash(path, trash, real.substr(topSlash.size()), error);
}
}  // namespace

std::string MountPointOf(const std::string& mountinfo, const std::string& path) {
  std::string best;
  for (const TMount& m : MountsFromMountInfo(mountinfo)) {
    const bool covers = m.Point == "/" || path == m.Point || path.rfind(m.Point + "/", 0) == 0;
    if (covers && m.Point.size() > best.size()) best = m.Point;
  }
  return best;
}

// The user's trash as the freedesktop trash rules lay it out: the home
// trash ($XDG_DATA_HOME/Trash) for the home folder's disk, the disk's own
// trash for any other. Written here rather than left to the toolkit, whose
// fallback when the home trash cannot be made writes the trash folders into
// the working directory.
bool MoveToTrash(const std::string& path, std::string& error) {
  struct stat item {};
  if (path.empty() || path[0] != '/' || lstat(path.c_str(), &item) != 0)
    return error = Reason(BaseName(path), ENOENT), false;
  std::string dataHome;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
    dataHome = xdg;
  } else if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
    dataHome = std::string(home) + "/.local/share";
  } else {
    return error = BaseName(path) + "：找不到回收站", false;
  }
  const std::string trash = dataHome + "/Trash";
  const std::string files = trash + "/files", info = trash + "/info";
  // Only a rename moves nothing for good: an item on another disk goes to
  // that disk's trash.
  if (DeviceOfNearest(files) != item.st_dev) return MoveToDiskTrash(path, item, error);
  // The data folder may not exist on a fresh account; every level is made
  // as the rules ask (0700), and a level that is no folder stops it all.
  std::string made;
  for (std::size_t at = 1; at <= files.size(); ++at) {
    if (at != files.size() && files[at] != '/') continue;
    made = files.substr(0, at);
    if (mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) break;
  }
  mkdir(info.c_str(), 0700);
  struct stat filesDir {}, infoDir {};
  if (stat(files.c_str(), &filesDir) != 0 || !S_ISDIR(filesDir.st_mode) || stat(info.c_str(), &infoDir) != 0 ||
      !S_ISDIR(infoDir.st_mode))
    return error = BaseName(path) + "：无法建立回收站 " + trash, false;
  if (filesDir.st_dev != item.st_dev)
    return error = BaseName(path) + "：与回收站不在同一个磁盘上，无法移到回收站", false;
  return MoveIntoTrash(path, trash, path, error);
}

bool PasteInto(const std::string& folder, const std::vector<std::string>& sources, bool move, std::string& error) {
  TPasteControl control;
  TPasteResult result = RunPaste(folder, sources, move, control);
  if (!result.Ok) error = std::move(result.Error);
  return result.Ok;
}

std::string PathToFileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  for (const unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += char(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

std::string FileUriToPath(const std::string& uri) {
  if (uri.rfind("file:", 0) != 0) return std::string();
  std::string rest = uri.substr(5);
  if (rest.rfind("//", 0) == 0) {
    const std::size_t slash = rest.find('/', 2);
    if (slash == std::string::npos) return std::string();
    const std::string host = rest.substr(2, slash - 2);
    if (!host.empty() && host != "localhost") return std::string();
    rest = rest.substr(slash);
  }
  const std::string path = PercentDecode(rest);
  if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return std::string();
  return path;
}

std::string GnomeCopiedFiles(const std::vector<std::string>& paths, bool cut) {
  std::string body = cut ? "cut" : "copy";
  for (const std::string& p : paths) body += "\n" + PathToFileUri(p);
  return body;
}

std::vector<std::string> PathsFromUriList(const std::string& body) {
  std::vector<std::string> paths;
  for (const std::string& line : Lines(body)) {
    if (line.empty() || line[0] == '#') continue;
    if (std::string p = FileUriToPath(line); !p.empty()) paths.push_back(p);
  }
  return paths;
}

std::vector<std::string> PathsFromGnomeCopiedFiles(const std::string& body, bool& cut) {
  std::vector<std::string> lines = Lines(body);
  cut = !lines.empty() && lines[0] == "cut";
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < lines.size(); ++i)
    if (std::string p = FileUriToPath(lines[i]); !p.empty()) paths.push_back(p);
  return paths;
}

void PutFilesOnClipboard(const std::vector<std::string>& paths, bool cut) {
  auto* data = new QMimeData;
  std::string uris, text;
  for (const std::string& p : paths) {
    uris += PathToFileUri(p) + "\r\n";
    text += (text.empty() ? "" : "\n") + p;
  }
  data->setData(kUriListType, QByteArray::fromStdString(uris));
  data->setData(kGnomeCopiedType, QByteArray::fromStdString(GnomeCopiedFiles(paths, cut)));
  data->setData(kKdeCutType, cut ? "1" : "0");
  data->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
  QGuiApplication::clipboard()->setMimeData(data);
}

bool FilesOnClipboard(std::vector<std::string>& paths, bool& cut) {
  paths.clear();
  cut = false;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return false;
  if (data->hasFormat(kGnomeCopiedType)) {
    paths = PathsFromGnomeCopiedFiles(data->data(kGnomeCopiedType).toStdString(), cut);
  } else if (data->hasFormat(kUriListType)) {
    paths = PathsFromUriList(data->data(kUriListType).toStdString());
    cut = data->data(kKdeCutType) == "1";
  }
  return !paths.empty();
}
